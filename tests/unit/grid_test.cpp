#include "board/grid.h"
#include "board/identifiers.h"

#include <gtest/gtest.h>

namespace {

TEST(BoardGrid, Positions)
{
    struct Row { int entry; int answers; RevealKind reveal; int columnX; int rowBaseY; int soundY; int textY; };
    const Row rows[] = {
        {1, 1, RevealKind::None, 0, 280, 20, 10},
        {1, 1, RevealKind::Text, 0, 280, 20, 10},
        {5, 1, RevealKind::None, 290, 610, 100, 110},
        {4, 2, RevealKind::Text, 90, 640, 100, 85},
        {3, 2, RevealKind::Picture, 670, 280, 20, 60},
        {90, 1, RevealKind::Text, 580, 29 * 360 + 280, 29 * 80 + 20, 2235},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(gridColumnX(row.entry, row.answers), row.columnX) << "entry " << row.entry;
        EXPECT_EQ(gridRowBaseY(row.entry, row.reveal), row.rowBaseY) << "entry " << row.entry;
        EXPECT_EQ(soundRowY(row.entry), row.soundY) << "entry " << row.entry;
        EXPECT_EQ(textRowY(row.entry), row.textY) << "entry " << row.entry;
    }
}

TEST(BoardIdentifiers, AnswerBoxesMapBackToEntryAndAnswer)
{
    struct Row { int answers; int entry; int answer; int box; int label; };
    const Row rows[] = {
        {1, 1, 1, 4001, 5001}, {1, 17, 1, 4017, 5017}, {1, 90, 1, 4090, 5090},
        {2, 1, 1, 4001, 5001}, {2, 1, 2, 4002, 5002}, {2, 2, 1, 4003, 5003},
        {2, 2, 2, 4004, 5004}, {2, 3, 1, 4005, 5005}, {2, 3, 2, 4006, 5006},
        {2, 90, 2, 4180, 5180},
    };
    for (const Row& row : rows) {
        int box = answerBoxId(row.answers, row.entry, row.answer);
        EXPECT_EQ(box, row.box);
        EXPECT_EQ(verdictLabelIdOf(box), row.label);
        EXPECT_EQ(entryOfAnswerBox(row.answers, box), row.entry) << "box " << box;
        EXPECT_EQ(answerOfAnswerBox(row.answers, box), row.answer) << "box " << box;
    }
    EXPECT_EQ(entryOfPlayButton(6012), 12);
    EXPECT_EQ(entryOfStopButton(7003), 3);
    EXPECT_EQ(6012 - 5600, MediaResourceIdBase + 12);
}

}  // namespace

namespace {

TEST(BoardGrid, AnswerControlsByKind)
{
    struct Row { QuizKind kind; int entry; int answers; RevealKind reveal; AnswerPlacement at; };
    const Row rows[] = {
        // the worked example: picture entry 5, c 290, b 610
        {QuizKind::Picture, 5, 1, RevealKind::None, {320, 620, 260, 320, 639, 260, 300, 622}},
        {QuizKind::Picture, 1, 2, RevealKind::None, {120, 290, 240, 120, 309, 260, 100, 292}},
        {QuizKind::Text, 3, 1, RevealKind::None, {615, 60, 100, 720, 59, 90, 30, 63}},
        {QuizKind::Sound, 4, 1, RevealKind::None, {50, 100, 220, 50, 119, 220, 10, 102}},
        {QuizKind::Video, 1, 1, RevealKind::None, {35, 240, 230, 35, 259, 230, -10, 244}},
    };
    for (const Row& row : rows) {
        AnswerPlacement at = answerPlacement(row.kind, row.entry, row.answers, row.reveal);
        EXPECT_EQ(at.boxX, row.at.boxX) << int(row.kind);
        EXPECT_EQ(at.boxY, row.at.boxY) << int(row.kind);
        EXPECT_EQ(at.width, row.at.width) << int(row.kind);
        EXPECT_EQ(at.labelX, row.at.labelX) << int(row.kind);
        EXPECT_EQ(at.labelY, row.at.labelY) << int(row.kind);
        EXPECT_EQ(at.labelWidth, row.at.labelWidth) << int(row.kind);
        EXPECT_EQ(at.numberX, row.at.numberX) << int(row.kind);
        EXPECT_EQ(at.numberY, row.at.numberY) << int(row.kind);
    }
    // Heading labels level with the answer rows: (3, b + 12) for pictures,
    // y 25 and 105 for sound entries 1 and 4.
    EXPECT_EQ(headingPlacement(QuizKind::Picture, 4, RevealKind::None).y, 610 + 12);
    EXPECT_EQ(headingPlacement(QuizKind::Sound, 1, RevealKind::None).y, 25);
    EXPECT_EQ(headingPlacement(QuizKind::Sound, 4, RevealKind::None).y, 105);
    EXPECT_EQ(headingPlacement(QuizKind::Sound, 4, RevealKind::None).x, 3);
}

}  // namespace
