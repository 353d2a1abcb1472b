#include "judging/verdict_colour.h"

#include "judging/verdict.h"

#include <cstring>

int64_t verdictColourOf(const char* verdict)
{
    if (std::strcmp(verdict, verdictAnagram) == 0)
        return anagramColour;
    if (std::strcmp(verdict, verdictRight) == 0)
        return rightColour;
    if (std::strcmp(verdict, verdictWrong) == 0)
        return wrongColour;
    if (std::strcmp(verdict, verdictEmpty) == 0)
        return defaultLabelColour;
    return hintColour;
}
