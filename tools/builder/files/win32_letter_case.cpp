#include "tools/builder/files/letter_case.h"

// Windows' file system finds a file in any letter case of its name.
std::string pathInOtherCase(const std::string&)
{
    return "";
}
