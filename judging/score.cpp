#include "judging/score.h"

#include "board/controls.h"
#include "board/identifiers.h"
#include "judging/reward.h"
#include "judging/verdict.h"

#include <cstring>

void updateScore(const Quiz& quiz, HWND board)
{
    int score = 0;
    for (int entry = 1; entry <= quiz.entryCount; ++entry) {
        bool solved = true;
        for (int answer = 1; answer <= quiz.answersPerEntry && solved; ++answer) {
            // 9 characters at most: enough to tell "BRAVO".
            char verdict[10];
            readControlText(board, verdictLabelIdOf(answerBoxId(quiz.answersPerEntry, entry, answer)), verdict,
                            sizeof verdict);
            solved = std::strcmp(verdict, verdictRight) == 0;
        }
        // An entry without answer boxes has nothing right.
        if (solved && quiz.answersPerEntry > 0)
            ++score;
    }
    HWND header = GetParent(board);
    char text[32];
    scoreText(score, quiz.entryCount, text, sizeof text);
    setControlText(header, ScoreDisplayId, text);
    setControlText(header, CodeDisplayId, rewardCodeOf(quiz, score));
}
