#include "tools/builder/input/csv_entries.h"

#include "third_party/libcsv/csv.h"
#include "tools/builder/input/csv_column_names.h"
#include "tools/builder/input/csv_encoding.h"

#include <array>
#include <new>
#include <optional>

using Json = nlohmann::json;

namespace {

std::size_t indexOf(CsvColumn column)
{
    return static_cast<std::size_t>(column);
}

struct Cell {
    std::string text;
    std::size_t line;
    bool quoted;  // an empty quoted field ("") is written on purpose
};

struct Row {
    std::vector<Cell> cells;
    std::size_t line;
};

// What the parser's callbacks build, and where in the file the byte being
// parsed is: the parser itself counts no lines.
struct Reading {
    std::vector<Row> rows;
    std::vector<Cell> cells;
    std::size_t line = 1;
    std::size_t fieldLine = 0;  // where the open field's first byte was; 0 before it
    bool fieldQuoted = false;
};

void onField(void* bytes, std::size_t size, void* data)
{
    auto& reading = *static_cast<Reading*>(data);
    std::string text = size ? std::string(static_cast<const char*>(bytes), size) : std::string();
    reading.cells.push_back(
        {std::move(text), reading.fieldLine ? reading.fieldLine : reading.line, reading.fieldLine && reading.fieldQuoted});
    reading.fieldLine = 0;
}

void onRowEnd(int, void* data)
{
    auto& reading = *static_cast<Reading*>(data);
    std::size_t line = reading.cells.empty() ? reading.line : reading.cells.front().line;
    reading.rows.push_back({std::move(reading.cells), line});
    reading.cells.clear();
}

// Spreadsheets in locales whose decimal mark is a comma (French ones among
// them) separate fields with semicolons. The header row holds only column
// names, so whichever of the two it holds more of outside quotes is the
// separator.
unsigned char separatorOf(std::string_view text)
{
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    // Bounded by the first line's length.
    for (char byte : text) {
        if (byte == '"')
            quoted = !quoted;
        else if (!quoted && (byte == '\n' || byte == '\r'))
            break;
        commas += !quoted && byte == ',';
        semicolons += !quoted && byte == ';';
    }
    return semicolons > commas ? ';' : ',';
}

Place columnPlace(const std::string& name, std::size_t line, std::size_t column, const std::vector<Cell>& header)
{
    Place place = csvFilePlace(name, line);
    place.columnNamed = column < header.size() && !header[column].text.empty();
    place.column = place.columnNamed ? header[column].text : std::to_string(column + 1);
    return place;
}

// The parser's refusals, told where the field is, in the author's words.
void reportParseProblem(const csv_parser& parser, const Reading& reading, bool atEnd, const std::string& name,
                        Diagnostics& diagnostics)
{
    const std::vector<Cell>& header = reading.rows.empty() ? reading.cells : reading.rows.front().cells;
    std::size_t column = reading.cells.size();
    if (atEnd) {
        reportError(diagnostics, columnPlace(name, reading.fieldLine, column, header), MessageId::CsvUnclosedQuote);
        return;
    }
    Place place = columnPlace(name, reading.line, column, header);
    // FIELD_MIGHT_HAVE_ENDED (3): a quote closed the field and more text came.
    if (parser.pstate == 3)
        reportError(diagnostics, place, MessageId::CsvTextAfterQuote);
    else
        reportError(diagnostics, place, MessageId::CsvStrayQuote);
}

// Every row of the file with the line each cell starts on; nullopt after a
// problem, which is reported.
std::optional<std::vector<Row>> parseRows(std::string_view text, const std::string& name, Diagnostics& diagnostics)
{
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        throw std::bad_alloc();
    csv_set_delim(&parser, separatorOf(text));
    Reading reading;
    bool parsed = true;
    // One byte at a time, so that the callbacks know the line of the byte
    // that ended each field. Bounded by the text's length.
    for (std::size_t at = 0; at < text.size() && parsed; ++at) {
        char byte = text[at];
        if (!reading.fieldLine && byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n') {
            reading.fieldLine = reading.line;
            reading.fieldQuoted = byte == '"';
        }
        if (csv_parse(&parser, &text[at], 1, onField, onRowEnd, &reading) != 1) {
            if (csv_error(&parser) != CSV_EPARSE) {
                csv_free(&parser);
                throw std::bad_alloc();
            }
            reportParseProblem(parser, reading, false, name, diagnostics);
            parsed = false;
        }
        // CR LF, LF and a lone CR each end a line.
        if (byte == '\n' || (byte == '\r' && (at + 1 == text.size() || text[at + 1] != '\n')))
            ++reading.line;
    }
    if (parsed && csv_fini(&parser, onField, onRowEnd, &reading) != 0) {
        reportParseProblem(parser, reading, true, name, diagnostics);
        parsed = false;
    }
    csv_free(&parser);
    if (!parsed)
        return std::nullopt;
    return std::move(reading.rows);
}

std::size_t columnOf(const std::string& text)
{
    std::optional<CsvColumn> column = csvColumnNamed(text);
    return column ? indexOf(*column) : CsvColumnCount;
}

// A header cell as quoted in a message: a cell of another file's first
// row may be long, and its start is enough to find it.
std::string shortText(const std::string& text)
{
    constexpr std::size_t longest = 40;
    if (text.size() <= longest)
        return text;
    std::size_t end = longest;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;  // not inside a UTF-8 sequence
    return text.substr(0, end);
}

// The column each header cell names, by position; problems reported.
std::optional<std::vector<CsvColumn>> readHeader(const Row& header, const std::string& name,
                                                 const CsvColumnsNeeded& needed, Diagnostics& diagnostics)
{
    std::string known = knownCsvColumnList(), knownFrench = knownCsvColumnValue(true);
    // A first row without a single column name is no header row (another
    // file, or the header left out): one line says so, not one per cell.
    bool namesAny = false;
    for (const Cell& cell : header.cells)
        namesAny = namesAny || columnOf(cell.text) < CsvColumnCount;
    if (!namesAny) {
        reportError(diagnostics, csvFilePlace(name, header.line), MessageId::CsvNoHeaderNames, {known, knownFrench});
        return std::nullopt;
    }

    std::size_t errorsBefore = diagnostics.errors.size();
    std::vector<CsvColumn> columns;
    std::array<std::size_t, CsvColumnCount> seenAt{};  // 1-based position; 0 when not named
    for (std::size_t at = 0; at < header.cells.size(); ++at) {
        const std::string& text = header.cells[at].text;
        Place place = csvFilePlace(name, header.cells[at].line);
        place.column = std::to_string(at + 1);
        std::size_t found = columnOf(text);
        if (found == CsvColumnCount) {
            if (text.empty())
                reportError(diagnostics, place, MessageId::CsvNoColumnName, {known, knownFrench});
            else
                reportError(diagnostics, place, MessageId::CsvUnknownColumn, {shortText(text), shortText(text) == text ? "" : "...", known, knownFrench});
            continue;
        }
        if (seenAt[found]) {
            reportError(diagnostics, place, MessageId::CsvColumnAgain, {text, std::to_string(seenAt[found])});
            continue;
        }
        seenAt[found] = at + 1;
        columns.push_back(static_cast<CsvColumn>(found));
    }
    struct Need {
        bool needed;
        CsvColumn column;
        const char* why;
    };
    const Need needs[] = {
        {true, CsvColumn::Answer1, "every entry has an answer"},
        {needed.clue, CsvColumn::Clue, "a text quiz shows the clue of every entry"},
        {needed.secondAnswer, CsvColumn::Answer2, "answersPerEntry is 2"},
        {needed.media, CsvColumn::Media, "this quiz kind needs a media file for every entry"},
        {needed.revealPicture, CsvColumn::RevealPicture, "reveal \"picture\" needs one for every entry"},
    };
    for (const Need& need : needs)
        if (need.needed && !seenAt[indexOf(need.column)])
            reportError(diagnostics, csvFilePlace(name, header.line), MessageId::CsvColumnMissing,
                        {csvColumnName(need.column), need.why, csvColumnSpellings()[indexOf(need.column)].french});
    if (diagnostics.errors.size() != errorsBefore)
        return std::nullopt;
    return columns;
}

// A spreadsheet cell may hold line breaks; a stored text is one line, so
// each break becomes a space.
std::string oneLine(const std::string& text)
{
    if (text.find_first_of("\r\n") == std::string::npos)
        return text;
    std::string line;
    line.reserve(text.size());
    // Bounded by the text's length.
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        line += text[at] == '\r' || text[at] == '\n' ? ' ' : text[at];
    }
    return line;
}

// What spreadsheets export for rows whose cells were touched and emptied.
bool emptyRow(const Row& row)
{
    for (const Cell& cell : row.cells)
        if (!cell.text.empty() || cell.quoted)
            return false;
    return true;
}

// Spreadsheets write a separator after the last column when cells beyond it
// were once touched ("clue;answer1;;"): a column without a name and without
// a value in any row holds nothing of the author's, so it is left out.
void dropUnnamedEmptyColumns(std::vector<Row>& rows)
{
    std::vector<Cell>& header = rows.front().cells;
    // Bounded by the header's cells, each checked against every row once.
    for (std::size_t column = header.size(); column-- > 0;) {
        bool empty = true;
        for (const Row& row : rows)
            empty = empty && (column >= row.cells.size() || (row.cells[column].text.empty() && !row.cells[column].quoted));
        if (!empty)
            continue;
        for (Row& row : rows)
            if (column < row.cells.size())
                row.cells.erase(row.cells.begin() + std::ptrdiff_t(column));
    }
}

// The entry as the description's array would hold it. Optional cells left
// empty are absent, as a key left out; the clue and the answers are texts
// whatever they hold, so an empty one is kept as written.
CsvEntry entryOf(const Row& row, const Row& header, const std::vector<CsvColumn>& columns, const CsvColumnsNeeded& needed)
{
    CsvEntry entry;
    entry.line = row.line;
    entry.fields = Json::object();
    std::string texts[CsvColumnCount];
    for (std::size_t at = 0; at < columns.size(); ++at) {
        std::size_t column = indexOf(columns[at]);
        texts[column] = oneLine(row.cells[at].text);
        entry.cellLines[column] = row.cells[at].line;
        entry.columnNames[column] = header.cells[at].text;
    }
    auto has = [&entry](CsvColumn column) { return entry.cellLines[indexOf(column)] != 0; };
    auto text = [&texts](CsvColumn column) { return texts[indexOf(column)]; };
    if (has(CsvColumn::Clue))
        entry.fields["clue"] = text(CsvColumn::Clue);
    Json answers = Json::array({text(CsvColumn::Answer1)});
    if (has(CsvColumn::Answer2) && (needed.secondAnswer || !text(CsvColumn::Answer2).empty()))
        answers.push_back(text(CsvColumn::Answer2));
    entry.fields["answers"] = answers;
    for (CsvColumn column : {CsvColumn::Media, CsvColumn::RevealPicture, CsvColumn::RevealText})
        if (!text(column).empty())
            entry.fields[csvColumnName(column)] = text(column);
    return entry;
}

}  // namespace

std::vector<CsvEntry> readCsvEntries(std::string_view bytes, const std::string& name, const CsvColumnsNeeded& needed,
                                     Diagnostics& diagnostics, const char** encoding)
{
    CsvText text = decodeCsvText(bytes);
    if (!text.problem.empty()) {
        reportError(diagnostics, csvFilePlace(name), text.fault);
        return {};
    }
    if (encoding)
        *encoding = text.encoding;
    std::optional<std::vector<Row>> rows = parseRows(text.utf8, name, diagnostics);
    if (!rows)
        return {};
    if (rows->empty()) {
        reportError(diagnostics, csvFilePlace(name, 1), MessageId::CsvNoHeaderRow);
        return {};
    }
    dropUnnamedEmptyColumns(*rows);
    const Row& header = rows->front();
    std::optional<std::vector<CsvColumn>> columns = readHeader(header, name, needed, diagnostics);
    if (!columns)
        return {};
    while (rows->size() > 1 && emptyRow(rows->back()))
        rows->pop_back();

    std::vector<CsvEntry> entries;
    std::size_t errorsBefore = diagnostics.errors.size();
    for (std::size_t at = 1; at < rows->size(); ++at) {
        const Row& row = (*rows)[at];
        std::size_t count = row.cells.size(), wanted = header.cells.size();
        if (count > wanted)
            reportError(diagnostics, columnPlace(name, row.cells[wanted].line, wanted, header.cells),
                        MessageId::CsvFieldPastLastColumn, {std::to_string(wanted)});
        else if (count < wanted)
            reportError(diagnostics, columnPlace(name, row.cells.back().line, count, header.cells),
                        MessageId::CsvRowTooShort, {std::to_string(count), std::to_string(wanted)});
        else
            entries.push_back(entryOf(row, header, *columns, needed));
    }
    if (diagnostics.errors.size() != errorsBefore)
        return {};
    return entries;
}

Place csvFilePlace(const std::string& name, std::size_t line)
{
    Place place;
    place.file = name;
    place.line = line;
    return place;
}

Place csvPlace(const CsvEntry& entry, const std::string& name, const std::string& field)
{
    std::optional<CsvColumn> column;
    if (field == "clue")
        column = CsvColumn::Clue;
    else if (field == "answers[0]")
        column = CsvColumn::Answer1;
    else if (field == "answers[1]" || field == "answers")
        column = entry.cellLines[indexOf(CsvColumn::Answer2)] ? CsvColumn::Answer2 : CsvColumn::Answer1;
    else if (field == "media")
        column = CsvColumn::Media;
    else if (field == "revealPicture")
        column = CsvColumn::RevealPicture;
    else if (field == "revealText")
        column = CsvColumn::RevealText;
    std::size_t line = column ? entry.cellLines[indexOf(*column)] : 0;
    Place place = csvFilePlace(name, line ? line : entry.line);
    place.csvKey = field;
    if (column) {
        place.column = csvColumnName(*column);
        place.columnNamed = true;
        place.columnAsWritten = entry.columnNames[indexOf(*column)];
    }
    return place;
}
