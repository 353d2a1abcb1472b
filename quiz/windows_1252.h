// The Windows-1252 code page, the single-byte form of every quiz text, and
// the UTF-8 reading that texts from elsewhere come in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// No character: an unassigned byte, or invalid UTF-8.
inline constexpr char32_t NoCodePoint = 0xFFFFFFFF;

// The character of a Windows-1252 byte; NoCodePoint for the five bytes the
// code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t codePointOfWindows1252(uint8_t byte);

// The Windows-1252 byte of a character; -1 when it has none.
int windows1252ByteOf(char32_t codePoint);

// Reads one character at `at`, moving past it; false on invalid UTF-8
// (overlong forms, surrogates, truncated sequences), `at` then unchanged.
bool decodeUtf8(std::string_view text, std::size_t& at, char32_t& codePoint);

// Whether the whole text is valid UTF-8.
bool isUtf8(std::string_view text);

// Appends one character as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// What the player's answer box holds when `utf8` is typed into it: one byte
// per character, "?" for a character with no Windows-1252 form and for each
// byte that is no UTF-8, the first `limit` bytes kept.
std::string typedWindows1252(std::string_view utf8, std::size_t limit);

// Quiz texts are stored as single-byte Windows-1252, while descriptions are
// written in UTF-8; these two conversions are exact, with no best-fit
// substitutes, so a text either survives unchanged or is refused with a reason.
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
