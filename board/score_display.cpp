#include "board/score_display.h"

#include "board/board_reading.h"
#include "judging/board_rules.h"
#include "judging/reward.h"
#include "win32/controls.h"

void updateScore(const Quiz& quiz, HWND board)
{
    int score = countScore(quiz, boardReadingOf(board));
    HWND header = GetParent(board);
    char text[32];
    scoreText(score, quiz.entryCount, text, sizeof text);
    setControlText(header, ScoreDisplayId, text);
    setControlText(header, CodeDisplayId, rewardCodeOf(quiz, score));
}
