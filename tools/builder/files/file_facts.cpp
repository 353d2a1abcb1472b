#include "tools/builder/files/file_facts.h"

#include <cctype>
#include <string_view>

namespace {

constexpr std::string_view deviceNames[] = {"NUL", "CON", "PRN", "AUX"};
constexpr std::string_view numberedDevices[] = {"COM", "LPT"};  // with a digit 1 to 9

}  // namespace

std::string inputFileProblem(const FileFacts& facts)
{
    switch (facts.kind) {
    case FileKind::File: return "";
    case FileKind::Missing: return "not found";
    case FileKind::Folder: return "a folder, not a file";
    case FileKind::Device:
        if (!facts.problem.empty())
            return facts.problem;
        return "names a device, not a file (Windows keeps NUL, CON, PRN, AUX, COM1 to COM9 and LPT1 to LPT9, with "
               "any extension, for its devices); rename the file";
    case FileKind::Unknown: break;
    }
    return facts.problem.empty() ? "cannot be opened" : facts.problem;
}

bool sameFile(const FileFacts& first, const FileFacts& second)
{
    return first.identified && second.identified && first.volume == second.volume && first.index == second.index;
}

bool isDeviceName(const std::string& path)
{
    std::size_t start = path.find_last_of("\\/:");
    std::string_view name(path);
    name.remove_prefix(start == std::string::npos ? 0 : start + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')  // bounded by the name's length
        name.remove_suffix(1);
    std::string upper;
    for (char c : name)  // bounded by the name's length
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (std::string_view device : deviceNames)
        if (upper == device)
            return true;
    for (std::string_view device : numberedDevices)
        if (upper.size() == 4 && upper.compare(0, 3, device) == 0 && upper[3] >= '1' && upper[3] <= '9')
            return true;
    return false;
}
