// Judges one answer box: its verdict into the label beside it, the entry's
// answer picture or text revealed once all its answers are exactly right,
// then the score and code refreshed.
#pragma once

#include "quiz/quiz.h"
#include "shell/platform.h"

void judgeAnswer(const Quiz& quiz, HWND board, int answerBoxId);
// The same, leaving the score as it is: judging many boxes at once (the
// board's restored answers, an F1 spread) counts the score once when done
// with updateScore, as each count reads every verdict label again.
void judgeAnswerLeavingScore(const Quiz& quiz, HWND board, int answerBoxId);
