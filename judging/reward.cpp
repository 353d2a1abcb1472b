#include "judging/reward.h"

#include <cstdio>

void scoreText(int score, int entryCount, char* text, std::size_t size)
{
    std::snprintf(text, size, " %d / %d", score, entryCount);
}

int scorePercent(int score, int entryCount)
{
    if (entryCount <= 0 || score <= 0)
        return 0;
    return (score * 200 + entryCount) / (2 * entryCount);
}

const char* rewardCodeOf(const Quiz& quiz, int score)
{
    if (score < 1 || score > MaxEntries)
        return noRewardCode;
    return quiz.codes[score - 1];
}
