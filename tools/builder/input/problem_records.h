// A problem as a record for programs that place it (the studio puts each at
// its field): one JSON object, on one line.
#pragma once

#include "tools/builder/input/diagnostics.h"

#include <string>

// {"severity": "error", "file": "quiz.json", "entry": 14, "field": "answers",
//  "answer": 2, "csvLine": 0, "column": "", "id": "HoldsSeparator",
//  "line": "quiz.json : Entrée 14, réponse 2 : ..."}: entry and answer from 1,
// 0 when not told; "line" is the line quizbuild prints in `language`.
std::string problemRecord(const std::string& file, const Problem& problem, bool strict, Language language);

// Every problem of the file, errors first, one record a line.
std::string problemRecords(const Diagnostics& diagnostics, bool strict, Language language);
