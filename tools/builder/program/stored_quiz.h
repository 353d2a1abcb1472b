// The quiz resources of one built program as stored (payloads still
// packed), as a program's resources or a build's plan give them: what the
// extraction and the web page both start from.
#pragma once

#include "tools/builder/input/diagnostics.h"
#include "tools/builder/program/quiz_resources.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

struct StoredQuiz {
    std::optional<std::vector<uint8_t>> quizPayload;   // "PATCH" 104
    std::optional<std::vector<uint8_t>> codesPayload;  // "PATCH" 105
    std::optional<std::vector<uint8_t>> link;          // "PATCH" 106, Windows-1252 bytes
    std::map<int, std::vector<uint8_t>> media;         // "IMG" by resource id
};

// The resources a build would write, as a program would store them.
StoredQuiz storedQuizOf(const std::vector<QuizResource>& resources);

// A payload unpacked; empty, with the problem reported at `where`, when it
// cannot be. A missing payload is an error when `required`, else empty.
std::vector<uint8_t> unpackedPayload(const std::optional<std::vector<uint8_t>>& packed, const char* where,
                                     const char* resource, bool required, Diagnostics& diagnostics);

// The media item of resource "IMG" `id`, or null when the program has none.
const std::vector<uint8_t>* storedMedia(const StoredQuiz& stored, int id);
