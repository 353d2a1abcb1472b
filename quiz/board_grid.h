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

// Where each control of an entry stands, in the order the board creates
// them. Rectangles a kind does not have stay empty.
struct BoardRect {
    int x, y, width, height;
    bool operator==(const BoardRect&) const = default;
};

struct EntryPlan {
    BoardRect clue;         // text: the clue label; picture: the square the picture is centred in; video: the frame
    BoardRect explanation;  // picture: the label a revealed text shows in
    BoardRect play, stop;   // sound and video
    BoardRect number;
    BoardRect boxes[2];
    BoardRect verdicts[2];
};

// Text quizzes with two answers per entry put both boxes on the entry's
// line, each followed by its verdict, and open every group of three entries
// with a line of its own for the headings above the two box columns.
constexpr int pairedTextRowY(int entry)
{
    return textRowY(entry) + 20 * ((entry - 1) / 3 + 1);
}

constexpr EntryPlan entryPlan(QuizKind kind, int entry, int answersPerEntry, RevealKind revealKind)
{
    int c = gridColumnX(entry, answersPerEntry);
    int b = gridRowBaseY(entry, revealKind);
    int s = soundRowY(entry);
    bool single = answersPerEntry == 1;
    EntryPlan plan = {};
    int boxX = 0, boxY = 0, width = 0;
    switch (kind) {
    case QuizKind::Text: {
        if (single) {
            int t = textRowY(entry);
            plan.clue = {50, t, 550, 20};
            plan.number = {30, t + 3, 19, 17};
            plan.boxes[0] = {615, t, 100, 20};
            plan.verdicts[0] = {720, t - 1, 90, 21};
            return plan;
        }
        // A shorter clue leaves room for both boxes and verdicts in the
        // board's width.
        int t = pairedTextRowY(entry);
        plan.clue = {50, t, 360, 20};
        plan.number = {30, t + 3, 19, 17};
        for (int answer = 0; answer < 2; ++answer) {
            plan.boxes[answer] = {425 + 210 * answer, t, 100, 20};
            plan.verdicts[answer] = {530 + 210 * answer, t - 1, 90, 21};
        }
        return plan;
    }
    case QuizKind::Picture:
        plan.clue = {c + 30, b - 260, 260, 260};
        plan.explanation = {c + 30, b + 56, 260, 35};
        plan.number = {c + 10, b + 12, 19, 17};
        boxX = c + 30, boxY = b + 10, width = single ? 260 : 240;
        if (single)
            plan.verdicts[0] = {c + 30, b + 29, 260, 21};
        break;
    case QuizKind::Sound:
        plan.play = {c + 30, s, 20, 21};
        plan.stop = {c + 30, s + 21, 20, 20};
        plan.number = {c + 10, s + 2, 19, 17};
        boxX = c + 50, boxY = s, width = 220;
        if (single)
            plan.verdicts[0] = {c + 50, s + 19, 220, 21};
        break;
    case QuizKind::Video:
        plan.play = {c + 15, b - 40, 20, 20};
        plan.stop = {c + 15, b - 20, 20, 20};
        plan.clue = {c + 15, b - 250, 200, 150};
        plan.number = {c - 10, b - 36, 19, 17};
        boxX = c + 35, boxY = b - 40, width = 230;
        if (single)
            plan.verdicts[0] = {c + 35, b - 21, 230, 21};
        break;
    }
    if (single) {
        plan.boxes[0] = {boxX, boxY, width, 20};
    } else {
        for (int answer = 0; answer < 2; ++answer) {
            plan.boxes[answer] = {boxX, boxY + 20 * answer, width - 50, 21};
            plan.verdicts[answer] = {boxX + width - 45, boxY + 20 * answer + 1, 60, 17};
        }
    }
    return plan;
}

// The highest edge of an entry's controls: the top of its first rectangle
// that is not empty.
constexpr int entryTop(const EntryPlan& plan)
{
    const BoardRect* rects[] = {&plan.clue,     &plan.explanation, &plan.play,        &plan.stop,       &plan.number,
                                &plan.boxes[0], &plan.boxes[1],    &plan.verdicts[0], &plan.verdicts[1]};
    int top = 0;
    bool any = false;
    for (const BoardRect* rect : rects)
        if (rect->width > 0 && rect->height > 0 && (!any || rect->y < top)) {
            top = rect->y;
            any = true;
        }
    return top;
}

// How many leading entries have a control that starts above `viewHeight`
// with the board scrolled to the top: the ones the board builds before it
// shows, the rest coming just after. Entries fill the board row by row from
// the top, so once one starts below the view every later one does too.
constexpr int entriesInView(QuizKind kind, int entryCount, int answersPerEntry, RevealKind revealKind,
                            int viewHeight)
{
    int count = 0;
    while (count < entryCount && entryTop(entryPlan(kind, count + 1, answersPerEntry, revealKind)) < viewHeight)
        ++count;
    return count;
}

// The two heading labels of the group of three entries that `entry` opens
// (two answers per entry): at the left edge, level with the group's two
// answer rows, for media quizzes (narrower for video, whose number labels
// stand left of the grid); above the two box columns for text quizzes.
struct HeadingPlan {
    BoardRect first, second;
};

constexpr HeadingPlan headingPlan(QuizKind kind, int entry, RevealKind revealKind)
{
    int y = 0;
    int width = 95;
    switch (kind) {
    case QuizKind::Text: {
        int t = pairedTextRowY(entry) - 22;
        return {{425, t, 100, 20}, {635, t, 100, 20}};
    }
    case QuizKind::Picture:
        y = gridRowBaseY(entry, revealKind) + 12;
        break;
    case QuizKind::Sound:
        y = soundRowY(entry) + 5;
        break;
    case QuizKind::Video:
        y = gridRowBaseY(entry, revealKind) - 38;
        width = 75;
        break;
    }
    return {{3, y, width, 20}, {3, y + 20, width, 20}};
}
