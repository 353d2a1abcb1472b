#include "tools/builder/input/csv_encoding.h"

#include "quiz/windows_1252.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr const char* saveAgain =
    "; save it again from the spreadsheet as \"CSV UTF-8\" (Excel) or as Text CSV with UTF-8 (LibreOffice Calc)";

CsvText fromUtf16(std::string_view bytes, bool bigEndian)
{
    if (bytes.size() % 2)
        return {{}, "UTF-16", "UTF-16 cut in the middle of a character" + std::string(saveAgain)};
    std::string utf8;
    auto unitAt = [&](std::size_t at) {
        auto first = static_cast<uint8_t>(bytes[at]), second = static_cast<uint8_t>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    // Bounded by the text's length: every step reads one or two units.
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        char32_t unit = unitAt(at);
        if (unit >= 0xD800 && unit < 0xDC00 && at + 2 < bytes.size() && unitAt(at + 2) >= 0xDC00
            && unitAt(at + 2) < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00);
            at += 2;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            return {{}, "UTF-16", "UTF-16 with a broken character" + std::string(saveAgain)};
        }
        appendUtf8(utf8, unit);
    }
    return {utf8, "UTF-16", ""};
}

}  // namespace

CsvText decodeCsvText(std::string_view bytes)
{
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return fromUtf16(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return fromUtf16(bytes.substr(2), true);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    // UTF-16 saved without its mark has a zero byte in every ASCII character.
    if (bytes.find('\0') != std::string_view::npos)
        return {{}, "", "holds zero bytes, as UTF-16 without its byte order mark does" + std::string(saveAgain)};
    if (isUtf8(bytes))
        return {std::string(bytes), "UTF-8", ""};
    TextConversion latin = windows1252ToUtf8(bytes);
    if (latin.converted)
        return {latin.text, "Windows-1252", ""};
    // Bounded by the text's length; the conversion found such a byte.
    std::size_t at = 0;
    while (at < bytes.size() && codePointOfWindows1252(static_cast<uint8_t>(bytes[at])) != NoCodePoint)
        ++at;
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", static_cast<uint8_t>(bytes[at]));
    std::size_t line = 1;
    for (std::size_t before = 0; before < at; ++before)  // bounded by `at`
        line += bytes[before] == '\n';
    return {{}, "", std::string("neither UTF-8 nor Windows-1252 (byte ") + byte + " on line " + std::to_string(line)
                        + ", which Windows-1252 leaves unassigned)" + saveAgain};
}
