#include "quiz/windows_1252.h"

#include <cstdio>

namespace {

// Bytes 0x80 to 0x9F, the only ones that differ from Latin-1; zero marks the
// unassigned ones.
constexpr char16_t highBlock[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

TextConversion refused(const char* format, unsigned value, std::size_t position)
{
    char problem[128];
    std::snprintf(problem, sizeof problem, format, value, static_cast<unsigned>(position));
    return {false, {}, problem};
}

}  // namespace

char32_t codePointOfWindows1252(uint8_t byte)
{
    if (byte < 0x80 || byte >= 0xA0)
        return byte;
    char16_t mapped = highBlock[byte - 0x80];
    return mapped ? mapped : NoCodePoint;
}

int windows1252ByteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int at = 0; at < 32; ++at)
        if (highBlock[at] && highBlock[at] == codePoint)
            return 0x80 + at;
    return -1;
}

bool isUtf8(std::string_view text)
{
    char32_t codePoint;
    // Each character read moves `at` on, and a failure ends the loop.
    for (std::size_t at = 0; at < text.size();)
        if (!decodeUtf8(text, at, codePoint))
            return false;
    return true;
}

bool decodeUtf8(std::string_view text, std::size_t& at, char32_t& codePoint)
{
    uint8_t lead = static_cast<uint8_t>(text[at]);
    int extra;
    char32_t least;  // smallest value of the form, to refuse overlong encodings
    if (lead < 0x80) {
        codePoint = lead;
        ++at;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, codePoint = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, codePoint = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, codePoint = lead & 0x07, least = 0x10000;
    } else {
        return false;
    }
    if (text.size() - at <= static_cast<std::size_t>(extra))
        return false;
    for (int n = 1; n <= extra; ++n) {
        uint8_t next = static_cast<uint8_t>(text[at + n]);
        if ((next & 0xC0) != 0x80)
            return false;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    at += static_cast<std::size_t>(extra) + 1;
    return true;
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string typedWindows1252(std::string_view utf8, std::size_t limit)
{
    std::string text;
    for (std::size_t at = 0; at < utf8.size() && text.size() < limit;) {
        char32_t codePoint;
        int byte = '?';
        if (decodeUtf8(utf8, at, codePoint))
            byte = windows1252ByteOf(codePoint);
        else
            ++at;
        text += static_cast<char>(byte < 0 ? '?' : byte);
    }
    return text;
}

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
