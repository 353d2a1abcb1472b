// Judges one answer box by the board's rules and shows what they say: the
// verdict in the label beside the box, the entry's answer picture or text
// revealed or its text hidden, then the score and code refreshed.
#pragma once

#include "judging/board_rules.h"
#include "quiz/quiz.h"
#include "win32/platform.h"

void judgeAnswer(const Quiz& quiz, HWND board, int answerBoxId);
// The same, leaving the score as it is: judging many boxes at once (the
// board's restored answers, an F1 spread) counts the score once when done
// with updateScore, as each count reads every verdict label again.
void judgeAnswerLeavingScore(const Quiz& quiz, HWND board, int answerBoxId);
