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
