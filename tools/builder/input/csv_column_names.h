// The names a CSV file's header row may give its columns: the English ones
// quizbuild has always read and the French ones teachers write, in any
// letter case, with or without accents and spaces ("Réponse 1", "REPONSE1",
// "revealpicture"), so that a spreadsheet's own first row is taken as it is.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class CsvColumn { Clue, Answer1, Answer2, Media, RevealPicture, RevealText };
inline constexpr std::size_t CsvColumnCount = 6;

// The name the header row gives the column: "clue", "answer1", ...
const char* csvColumnName(CsvColumn column);

struct CsvColumnSpelling {
    CsvColumn column;
    const char* english;  // as descriptions and extract --csv write it: "answer1"
    const char* french;   // as the release's templates write it: "réponse 1"
};

// Every column, in CsvColumn order.
std::span<const CsvColumnSpelling> csvColumnSpellings();

// The column a header cell names (UTF-8, as the file was decoded), if any.
std::optional<CsvColumn> csvColumnNamed(std::string_view cell);

// The known columns as the header row's messages list them:
// "\"clue\", \"answer1\", ...". The one place that list is made.
std::string knownCsvColumnList();

// The known columns as a list value of a message (message_catalogue.h), in
// the names English or French files give them.
std::string knownCsvColumnValue(bool french);
