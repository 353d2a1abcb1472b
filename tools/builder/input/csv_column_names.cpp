#include "tools/builder/input/csv_column_names.h"

#include "tools/builder/input/diagnostics.h"

#include <array>

namespace {

constexpr std::array<CsvColumnSpelling, CsvColumnCount> spellings = {{
    {CsvColumn::Clue, "clue", "indice"},
    {CsvColumn::Answer1, "answer1", "réponse 1"},
    {CsvColumn::Answer2, "answer2", "réponse 2"},
    {CsvColumn::Media, "media", "média"},
    {CsvColumn::RevealPicture, "revealPicture", "image révélée"},
    {CsvColumn::RevealText, "revealText", "texte révélé"},
}};

// A Latin-1 letter (U+00C0 to U+00FF) without its accent, in lower case;
// 0 for the signs of that block that are no letters.
char plainLatin1Letter(char32_t letter)
{
    // From U+00C0: ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞß, then the same in lower case.
    constexpr const char* plain = "aaaaaaaceeeeiiiidnooooo\0ouuuuyts";
    return letter == 0xFF ? 'y' : plain[(letter - 0xC0) % 0x20];
}

// The name folded for comparison: ASCII letters in lower case, Latin-1
// accented letters without their accent, spaces (plain and no-break) left out.
std::string folded(std::string_view name)
{
    std::string out;
    for (std::size_t at = 0; at < name.size(); ++at) {  // bounded by the name's length
        unsigned char byte = static_cast<unsigned char>(name[at]);
        if (byte == ' ' || byte == '\t')
            continue;
        // U+0080 to U+00FF: two bytes, C2 or C3 then a continuation byte.
        if ((byte == 0xC2 || byte == 0xC3) && at + 1 < name.size()) {
            char32_t codePoint = char32_t(byte & 0x1F) << 6 | (static_cast<unsigned char>(name[at + 1]) & 0x3F);
            if (codePoint == 0xA0) {
                ++at;
                continue;
            }
            if (codePoint >= 0xC0 && plainLatin1Letter(codePoint)) {
                out += plainLatin1Letter(codePoint);
                ++at;
                continue;
            }
        }
        // U+202F, the narrow no-break space French typography puts before ";" and ":".
        if (name.substr(at, 3) == "\xE2\x80\xAF") {
            at += 2;
            continue;
        }
        out += byte >= 'A' && byte <= 'Z' ? char(byte - 'A' + 'a') : char(byte);
    }
    return out;
}

}  // namespace

std::span<const CsvColumnSpelling> csvColumnSpellings()
{
    return spellings;
}

const char* csvColumnName(CsvColumn column)
{
    return spellings[static_cast<std::size_t>(column)].english;
}

std::optional<CsvColumn> csvColumnNamed(std::string_view cell)
{
    std::string name = folded(cell);
    if (name.empty())
        return std::nullopt;
    for (const CsvColumnSpelling& spelling : spellings)
        if (name == folded(spelling.english) || name == folded(spelling.french))
            return spelling.column;
    return std::nullopt;
}

std::string knownCsvColumnValue(bool french)
{
    std::string list;
    for (const CsvColumnSpelling& spelling : spellings)
        list += (list.empty() ? "" : "\n") + std::string(french ? spelling.french : spelling.english);
    return list;
}

std::string knownCsvColumnList()
{
    std::string list;
    for (const CsvColumnSpelling& spelling : spellings)
        list += (list.empty() ? "" : ", ") + inQuotes(spelling.english);
    return list;
}
