// The writing side of the two payloads: the exact bytes the loader parses.
#pragma once

#include "quiz/quiz.h"

#include <cstdint>
#include <vector>

// Header byte 0 is not read by the player; writers store 0 there.
std::vector<uint8_t> writeQuizPayload(const Quiz& quiz);
// entryCount lines, each ended by CR LF.
std::vector<uint8_t> writeCodesPayload(const Quiz& quiz);
