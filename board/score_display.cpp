#include "board/score_display.h"

#include "board/answer_judging.h"
#include "board/controls.h"
#include "judging/board_rules.h"
#include "judging/reward.h"

void updateScore(const Quiz& quiz, HWND board)
{
    int score = countScore(quiz, boardReadingOf(board));
    HWND header = GetParent(board);
    char text[32];
    scoreText(score, quiz.entryCount, text, sizeof text);
    setControlText(header, ScoreDisplayId, text);
    setControlText(header, CodeDisplayId, rewardCodeOf(quiz, score));
}
