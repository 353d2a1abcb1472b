// The header's score text and the reward code that belongs to a score:
// the player and the web page show the same two texts for the same score.
#pragma once

#include "quiz/quiz.h"

#include <cstddef>

// Six spaces: the code display at score 0.
inline constexpr const char* noRewardCode = "      ";

// " %d / %d" with the score and the entry count, as the header shows it.
void scoreText(int score, int entryCount, char* text, std::size_t size);

// The score as a whole percentage of the entries, rounded half up: what a
// school platform records (0 for a quiz without entries).
int scorePercent(int score, int entryCount);

// The code shown at `score`: six spaces at 0, else row score - 1 of the
// codes. A score outside 1..90 (no such row) shows as score 0.
const char* rewardCodeOf(const Quiz& quiz, int score);
