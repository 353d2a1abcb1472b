#include "quiz/quiz.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(QuizRecord, InitGivesEveryFieldAnEmptyValue)
{
    Quiz quiz;
    std::memset(&quiz, 0x5A, sizeof quiz);
    initQuiz(quiz);
    EXPECT_EQ(quiz.revealKind, RevealKind::Text);
    EXPECT_EQ(quiz.head, nullptr);
    EXPECT_EQ(quiz.tail, nullptr);
    EXPECT_EQ(quiz.entryCount, 0);
    EXPECT_EQ(quiz.answersPerEntry, 0);
    EXPECT_EQ(quiz.boardBrush, nullptr);
    EXPECT_STREQ(quiz.title, "");
    EXPECT_STREQ(quiz.secondAnswerLabel, "");
    EXPECT_STREQ(quiz.codes[0], "");
    EXPECT_STREQ(quiz.codes[MaxEntries - 1], "");
    EXPECT_EQ(entryAt(quiz, 0), nullptr);
}

TEST(QuizRecord, AppendLinksEntriesInOrder)
{
    Quiz quiz;
    initQuiz(quiz);
    QuizEntry* first = appendEntry(quiz, "alex", "", "clue 1");
    EXPECT_EQ(quiz.head, first);
    EXPECT_EQ(quiz.tail, first);
    EXPECT_EQ(first->prev, nullptr);
    EXPECT_EQ(first->next, nullptr);
    EXPECT_STREQ(first->revealText, "");
    EXPECT_STREQ(first->answer2, "");

    QuizEntry* second = appendEntry(quiz, "b1", "b2", "clue 2");
    QuizEntry* third = appendEntry(quiz, "c1", "c2", "clue 3");
    EXPECT_EQ(quiz.head, first);
    EXPECT_EQ(quiz.tail, third);
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(second->prev, first);
    EXPECT_EQ(second->next, third);
    EXPECT_EQ(third->prev, second);
    EXPECT_EQ(third->next, nullptr);
    EXPECT_STREQ(second->answer2, "b2");
    EXPECT_STREQ(third->clue, "clue 3");
    freeEntries(quiz);
}

TEST(QuizRecord, AppendCutsTextsAt259Bytes)
{
    Quiz quiz;
    initQuiz(quiz);
    std::string longText(400, 'x');
    QuizEntry* entry = appendEntry(quiz, longText.c_str(), longText.c_str(), longText.c_str());
    EXPECT_EQ(std::strlen(entry->answer1), 259u);
    EXPECT_EQ(std::strlen(entry->clue), 259u);
    freeEntries(quiz);
}

TEST(QuizRecord, EntryAtClampsToTheLastEntry)
{
    Quiz quiz;
    initQuiz(quiz);
    QuizEntry* first = appendEntry(quiz, "a", "", "");
    QuizEntry* second = appendEntry(quiz, "b", "", "");
    struct Row { int index; QuizEntry* expected; };
    for (Row row : {Row{0, first}, Row{1, second}, Row{2, second}, Row{29, second}, Row{-1, first}})
        EXPECT_EQ(entryAt(quiz, row.index), row.expected) << "index " << row.index;
    freeEntries(quiz);
}

TEST(QuizRecord, FreeEntriesKeepsCounts)
{
    Quiz quiz;
    initQuiz(quiz);
    quiz.entryCount = 2;
    appendEntry(quiz, "a", "", "");
    appendEntry(quiz, "b", "", "");
    freeEntries(quiz);
    EXPECT_EQ(quiz.head, nullptr);
    EXPECT_EQ(quiz.tail, nullptr);
    EXPECT_EQ(quiz.entryCount, 2);
    freeEntries(quiz);
    EXPECT_EQ(quiz.head, nullptr);
}

}  // namespace
