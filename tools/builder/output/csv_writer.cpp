#include "tools/builder/output/csv_writer.h"

#include "third_party/libcsv/csv.h"

#include <vector>

namespace {

// Separators, quotes and line breaks would split or end the field; spaces
// and tabs at either end are trimmed from unquoted fields when read.
bool needsQuotes(const std::string& text)
{
    if (text.find_first_of(",;\"\r\n") != std::string::npos)
        return true;
    return !text.empty()
           && (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' || text.back() == '\t');
}

std::string field(const std::string& text)
{
    if (!needsQuotes(text))
        return text;
    // Every quote doubled and two around: at most twice the length and two.
    std::string quoted(text.size() * 2 + 2, '\0');
    quoted.resize(csv_write(quoted.data(), quoted.size(), text.data(), text.size()));
    return quoted;
}

// A row of empty cells is written with one quoted, since a reader leaves
// out such rows at the end of a file, where spreadsheets leave them.
std::string rowOf(const std::vector<std::string>& cells)
{
    std::string row;
    bool empty = true;
    for (std::size_t at = 0; at < cells.size(); ++at) {
        row += (at ? "," : "") + field(cells[at]);
        empty = empty && cells[at].empty();
    }
    return (empty ? "\"\"" : "") + row + "\r\n";
}

}  // namespace

std::string entriesCsv(const nlohmann::ordered_json& entries)
{
    const nlohmann::ordered_json first = entries.empty() ? nlohmann::ordered_json::object() : entries.at(0);
    std::size_t answers = first.contains("answers") ? first.at("answers").size() : 1;
    std::vector<std::string> header = {"clue", "answer1"};
    if (answers > 1)
        header.push_back("answer2");
    for (const char* key : {"media", "revealPicture", "revealText"})
        if (first.contains(key))
            header.push_back(key);

    std::string csv = "\xEF\xBB\xBF" + rowOf(header);
    for (const nlohmann::ordered_json& entry : entries) {
        std::vector<std::string> cells = {entry.value("clue", "")};
        for (std::size_t at = 0; at < answers; ++at)
            cells.push_back(entry.at("answers").at(at).get<std::string>());
        for (std::size_t column = cells.size(); column < header.size(); ++column)
            cells.push_back(entry.value(header[column], ""));
        csv += rowOf(cells);
    }
    return csv;
}
