// A quiz's entries as a spreadsheet exports them: a CSV file whose header
// row names the columns. Each row becomes an entry shaped as the
// description's "entries" array would hold it, so the very same checks of
// texts and media apply to both, and every problem names the file, the
// line and the column an author looks for in the spreadsheet.
#pragma once

#include "tools/builder/input/csv_column_names.h"
#include "tools/builder/input/diagnostics.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Far more than 90 entries of texts at their longest, all quoted.
inline constexpr uint64_t MaxEntriesFileBytes = uint64_t(4) << 20;


// The columns the header row must name, from the rest of the description.
struct CsvColumnsNeeded {
    bool clue = false;           // a text quiz shows every clue
    bool secondAnswer = false;   // two answers per entry
    bool media = false;          // picture, sound and video quizzes
    bool revealPicture = false;  // reveal "picture"
};

struct CsvEntry {
    nlohmann::json fields;       // "clue", "answers", ... as in a description; empty optional cells left out
    std::size_t line = 0;        // where the row starts
    std::size_t cellLines[CsvColumnCount] = {};  // where each cell starts; 0 without that column
    std::string columnNames[CsvColumnCount];     // as the header row writes them ("Réponse 1")
};

// The rows below the header, in order; empty rows at the end are left out.
// `name` is the file as the description names it (control characters
// escaped): problems are reported at "NAME, line 4, column \"answer1\"".
// Nothing comes out when the file itself or its header row is wrong.
// `encoding` gets what the bytes were read as (csv_encoding.h).
std::vector<CsvEntry> readCsvEntries(std::string_view bytes, const std::string& name, const CsvColumnsNeeded& needed,
                                     Diagnostics& diagnostics, const char** encoding = nullptr);

// Where a field of an entry (as the description's checks name it: "clue",
// "answers[1]", "" for the whole entry) is in the file.
Place csvPlace(const CsvEntry& entry, const std::string& name, const std::string& field);

// The file itself, or one of its lines.
Place csvFilePlace(const std::string& name, std::size_t line = 0);
