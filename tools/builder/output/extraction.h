// Turns the resources of a built quiz back into a description and its media
// files, so a quiz can be edited and built again with identical payloads.
#pragma once

#include "tools/builder/input/diagnostics.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The quiz resources of one program, as stored (payloads still packed).
struct StoredQuiz {
    std::optional<std::vector<uint8_t>> quizPayload;   // "PATCH" 104
    std::optional<std::vector<uint8_t>> codesPayload;  // "PATCH" 105
    std::optional<std::vector<uint8_t>> link;          // "PATCH" 106, Windows-1252 bytes
    std::map<int, std::vector<uint8_t>> media;         // "IMG" by resource id
};

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
