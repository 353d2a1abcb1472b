// A quiz's entries written for a spreadsheet: the CSV file that `quizbuild
// extract --csv` puts beside the description, which reads back into the
// very same entries.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// The file the extracted description's "entries" names.
inline constexpr const char* ExtractedEntriesName = "quiz.csv";

// UTF-8 with a byte order mark (so spreadsheets take it for UTF-8), a header
// row, commas and CR LF line ends; a field is quoted only when it has to be.
// The columns are those the first entry's keys call for: "answers" becomes
// answer1 (and answer2).
std::string entriesCsv(const nlohmann::ordered_json& entries);
