// The header's score (entries whose every verdict label reads "BRAVO") and
// its reward code, counted afresh from the board's labels.
#pragma once

#include "quiz/quiz.h"
#include "win32/platform.h"

constexpr int ScoreDisplayId = 150;  // the first of the header's labels with 150
constexpr int CodeDisplayId = 157;

void updateScore(const Quiz& quiz, HWND board);
