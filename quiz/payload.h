// The two unpacked payloads: the quiz ("|"-separated fields after a 4-byte
// header) and the reward codes (CR LF-ended lines). Parsing never reads past
// the given length nor stores past the record's limits.
#pragma once

#include "quiz/quiz.h"

#include <cstddef>
#include <cstdint>

constexpr uint8_t fieldSeparator = '|';

// Fills header, counts, entries, reveal kind, reveal texts and colour. A
// payload that runs out early, holds a field over 259 bytes, declares more
// than 90 entries, an unknown kind or an answer count other than 1 or 2 is damaged: the
// record is then emptied again (initQuiz state, no entries) and false returned.
bool parseQuizPayload(Quiz& quiz, const uint8_t* bytes, std::size_t length);

// Fills codes rows 0 to entryCount - 1. A payload with too few lines or a
// code over 259 bytes is damaged: every row is left empty and false returned.
bool parseCodesPayload(Quiz& quiz, const uint8_t* bytes, std::size_t length);

// The built-in quiz shown when the program carries none: 30 entries
// declared, two stored (every later number shows the second).
void loadSampleQuiz(Quiz& quiz);
