// Positions on the board's content at scroll position (0, 0), in pixels, as
// functions of the entry number i (1-based). Picture, sound and video entries
// stand three to a row; text entries one to a line.
#pragma once

#include "quiz/quiz.h"

constexpr int textRowY(int entry)
{
    return 25 * entry - 15;
}
constexpr int soundRowY(int entry)
{
    return (entry - 1) / 3 * 80 + 20;
}
// Two answers per entry shift the whole grid right to make room for the headings.
constexpr int gridColumnX(int entry, int answersPerEntry)
{
    return (entry - 1) % 3 * 290 + (answersPerEntry == 2 ? 90 : 0);
}
// Rows stand further apart when a revealed text needs room under the picture.
constexpr int gridRowBaseY(int entry, RevealKind revealKind)
{
    return (entry - 1) / 3 * (revealKind == RevealKind::Text ? 360 : 330) + 280;
}

// Where an entry's answer controls stand, by the kind of its clue: the first
// answer box, the answer width, the verdict label with one answer per
// entry, and the number label.
struct AnswerPlacement {
    int boxX, boxY, width;
    int labelX, labelY, labelWidth;
    int numberX, numberY;
};

constexpr AnswerPlacement answerPlacement(QuizKind kind, int entry, int answersPerEntry, RevealKind revealKind)
{
    int c = gridColumnX(entry, answersPerEntry);
    int b = gridRowBaseY(entry, revealKind);
    int s = soundRowY(entry);
    int t = textRowY(entry);
    switch (kind) {
    case QuizKind::Picture:
        return {c + 30, b + 10, answersPerEntry == 1 ? 260 : 240, c + 30, b + 29, 260, c + 10, b + 12};
    case QuizKind::Sound:
        return {c + 50, s, 220, c + 50, s + 19, 220, c + 10, s + 2};
    case QuizKind::Video:
        return {c + 35, b - 40, 230, c + 35, b - 21, 230, c - 10, b - 36};
    case QuizKind::Text:
        break;
    }
    return {615, t, 100, 720, t - 1, 90, 30, t + 3};
}

// The two heading labels of a group of three entries (two answers per
// entry) stand level with the first group's two answer rows: at the left
// edge for media quizzes, right of the verdicts for text quizzes, whose
// left side holds the numbers and clues.
struct HeadingPlacement {
    int x, y;
};

constexpr HeadingPlacement headingPlacement(QuizKind kind, int entry, RevealKind revealKind)
{
    switch (kind) {
    case QuizKind::Picture:
        return {3, gridRowBaseY(entry, revealKind) + 12};
    case QuizKind::Sound:
        return {3, soundRowY(entry) + 5};
    case QuizKind::Video:
        return {3, gridRowBaseY(entry, revealKind) - 38};
    case QuizKind::Text:
        break;
    }
    return {735, textRowY(entry)};
}
