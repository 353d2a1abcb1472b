#include "tools/builder/input/windows_1252.h"

#include "quiz/windows_1252.h"

#include <cstdint>
#include <cstdio>

namespace {

TextConversion refused(const char* format, unsigned value, std::size_t position)
{
    char problem[128];
    std::snprintf(problem, sizeof problem, format, value, static_cast<unsigned>(position));
    return {false, {}, problem};
}

}  // namespace

TextConversion utf8ToWindows1252(std::string_view utf8)
{
    TextConversion result{true, {}, {}};
    std::size_t at = 0;
    for (std::size_t character = 1; at < utf8.size(); ++character) {
        char32_t codePoint;
        if (!decodeUtf8(utf8, at, codePoint))
            return refused("invalid UTF-8: byte 0x%02X at byte %u", static_cast<uint8_t>(utf8[at]), at + 1);
        int byte = windows1252ByteOf(codePoint);
        if (byte < 0)
            return refused("character U+%04X (character %u) has no Windows-1252 form", codePoint, character);
        result.text += static_cast<char>(byte);
    }
    return result;
}

TextConversion windows1252ToUtf8(std::string_view text)
{
    TextConversion result{true, {}, {}};
    for (std::size_t at = 0; at < text.size(); ++at) {
        uint8_t byte = static_cast<uint8_t>(text[at]);
        char32_t codePoint = codePointOfWindows1252(byte);
        if (codePoint == NoCodePoint)
            return refused("byte 0x%02X (byte %u) is unassigned in Windows-1252", byte, at + 1);
        appendUtf8(result.text, codePoint);
    }
    return result;
}
