// Quiz texts are stored as single-byte Windows-1252, while descriptions are
// written in UTF-8; these two conversions are exact, with no best-fit
// substitutes, so a text either survives unchanged or is refused with a reason.
#pragma once

#include <string>
#include <string_view>

struct TextConversion {
    bool converted;
    std::string text;     // the whole converted text, only when converted
    std::string problem;  // why not, e.g. "character U+4E2D (character 5) has no Windows-1252 form"
};

// Refuses invalid UTF-8 (overlong forms, surrogates, truncated sequences)
// and characters outside Windows-1252.
TextConversion utf8ToWindows1252(std::string_view utf8);

// Refuses the five bytes Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F,
// 0x90, 0x9D).
TextConversion windows1252ToUtf8(std::string_view text);
