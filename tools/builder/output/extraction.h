// Turns the resources of a built quiz back into a description and its media
// files, so a quiz can be edited and built again with identical payloads.
#pragma once

#include "tools/builder/input/diagnostics.h"
#include "tools/builder/program/stored_quiz.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ExtractedFile {
    std::string name;  // relative to the output folder, "/"-separated: "quiz.json", "media/01.jpg"
    std::vector<uint8_t> bytes;
};

// quiz.json first, then the media files it names (media/01.jpg for entry
// 1's item, media/01-reveal.gif for its answer picture, by detected type).
// With `entriesAsCsv`, quiz.csv follows quiz.json and holds the entries,
// which quiz.json names instead of listing them. Nothing comes out when an
// error was reported.
std::vector<ExtractedFile> extractQuiz(const StoredQuiz& stored, Diagnostics& diagnostics, bool entriesAsCsv = false);
