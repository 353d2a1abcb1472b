#include "tools/builder/input/csv_encoding.h"

#include "quiz/windows_1252.h"

#include <cstdint>
#include <cstdio>

namespace {

// A text that cannot be read: its record, and its English line as the
// catalogue words it.
CsvText refusal(const char* encoding, Message fault)
{
    std::string problem = renderMessage(fault, Language::English);
    return {{}, encoding, problem, std::move(fault)};
}

CsvText fromUtf16(std::string_view bytes, bool bigEndian)
{
    if (bytes.size() % 2)
        return refusal("UTF-16", {MessageId::CsvUtf16Cut, {}});
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
            return refusal("UTF-16", {MessageId::CsvUtf16Broken, {}});
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
        return refusal("", {MessageId::CsvZeroBytes, {}});
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
    return refusal("", {MessageId::CsvUnknownEncoding, {byte, std::to_string(line)}});
}
