// Size of the board's scrollable content, in pixels, from the quiz alone.
#pragma once

#include "quiz/quiz.h"

constexpr int contentWidthFor(int answersPerEntry)
{
    return answersPerEntry == 1 ? 890 : 980;
}

// Three media entries stand to a row; text entries one to a line. A kind
// the board does not know has no content.
// Text quizzes with two answers per entry add a heading line per group of
// three entries.
constexpr int contentHeightFor(QuizKind kind, int entryCount, int answersPerEntry, RevealKind revealKind)
{
    switch (kind) {
    case QuizKind::Text:
        return 25 * entryCount + 25 + (answersPerEntry == 2 ? 20 * ((entryCount + 2) / 3) : 0);
    case QuizKind::Picture:
    case QuizKind::Video:
        return (entryCount + 2) / 3 * (revealKind == RevealKind::Text ? 360 : 330) + 25;
    case QuizKind::Sound:
        return (entryCount + 2) / 3 * 80 + 20;
    }
    return 0;
}
