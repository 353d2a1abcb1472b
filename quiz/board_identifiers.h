// Every board control is found by its identifier alone, computed from the
// entry number i (1-based) and the answer number j (1 or 2) with the answer
// count a of the quiz: rank k = a * (i - 1) + j.
#pragma once

#include "quiz/resource_ids.h"

constexpr int NumberLabelId = 153;
constexpr int HeadingLabelId = 156;
constexpr int ClueLabelId = 3000;
constexpr int AnswerBoxIdBase = 4000;
constexpr int VerdictLabelIdBase = 5000;
constexpr int PlayButtonIdBase = 6000;
constexpr int StopButtonIdBase = 7000;
constexpr int ExplanationLabelIdBase = 8000;
constexpr int PictureControlIdBase = 9000;
constexpr int VideoFrameIdBase = 9900;

constexpr int answerRank(int answersPerEntry, int entry, int answer)
{
    return answersPerEntry * (entry - 1) + answer;
}
constexpr int answerBoxId(int answersPerEntry, int entry, int answer)
{
    return AnswerBoxIdBase + answerRank(answersPerEntry, entry, answer);
}
constexpr int verdictLabelIdOf(int answerBoxId)
{
    return answerBoxId + (VerdictLabelIdBase - AnswerBoxIdBase);
}

// With two answers, boxes 4001 and 4002 belong to entry 1, 4003 and 4004 to
// entry 2, and so on; odd boxes hold the first answer.
constexpr int entryOfAnswerBox(int answersPerEntry, int answerBoxId)
{
    return answersPerEntry == 2 ? (answerBoxId - 3999) / 2 : answerBoxId - AnswerBoxIdBase;
}
constexpr int answerOfAnswerBox(int answersPerEntry, int answerBoxId)
{
    return answersPerEntry == 2 && answerBoxId % 2 == 0 ? 2 : 1;
}

constexpr int entryOfPlayButton(int buttonId) { return buttonId - PlayButtonIdBase; }
constexpr int entryOfStopButton(int buttonId) { return buttonId - StopButtonIdBase; }
