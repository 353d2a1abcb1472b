#include "judging/board_rules.h"

#include "judging/reward.h"
#include "judging/verdict.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A board as the rules see it: what each box holds and what each label reads.
struct TestBoard {
    std::vector<std::string> boxes;     // by rank, 1-based
    std::vector<std::string> verdicts;  // by rank, 1-based
};

void readBox(void* board, int rank, char (&text)[QuizTextSize])
{
    copyText(text, static_cast<TestBoard*>(board)->boxes.at(rank).c_str());
}

void readVerdict(void* board, int rank, char (&text)[QuizTextSize])
{
    copyText(text, static_cast<TestBoard*>(board)->verdicts.at(rank).c_str());
}

struct QuizFixture {
    Quiz quiz;
    QuizFixture(int entries, int answers, RevealKind reveal)
    {
        initQuiz(quiz);
        quiz.answersPerEntry = answers;
        quiz.revealKind = reveal;
        quiz.entryCount = entries;
        for (int entry = 1; entry <= entries; ++entry) {
            std::string n = std::to_string(entry);
            appendEntry(quiz, ("Paris" + n).c_str(), ("Lyon" + n).c_str(), "clue");
            copyText(quiz.codes[entry - 1], ("code" + n).c_str());
        }
    }
    ~QuizFixture() { freeEntries(quiz); }
};

TestBoard emptyBoard(const Quiz& quiz)
{
    int boxes = boxCountOf(quiz);
    return {std::vector<std::string>(boxes + 1), std::vector<std::string>(boxes + 1)};
}

TEST(BoardRules, JudgementRevealsOnlyWhenEveryAnswerIsExact)
{
    struct Row {
        RevealKind reveal;
        int answers;
        const char* first;
        const char* second;
        const char* verdict;  // of box 1
        RevealAction action;
    };
    // Every row judges the first box of entry 2, whose answers are Paris2 and Lyon2.
    const Row rows[] = {
        {RevealKind::None, 1, "Paris2", "", "BRAVO", RevealAction::Nothing},
        {RevealKind::Picture, 1, "Paris2", "", "BRAVO", RevealAction::Shown},
        {RevealKind::Text, 1, "Paris2", "", "BRAVO", RevealAction::Shown},
        // Right by the verdict's trimming and folding, but not the stored text itself.
        {RevealKind::Text, 1, " paris2 ", "", "BRAVO", RevealAction::Nothing},
        {RevealKind::Picture, 1, "PARIS2", "", "BRAVO", RevealAction::Nothing},
        {RevealKind::Text, 1, "Pari2", "", "Quasiment", RevealAction::Hidden},
        {RevealKind::None, 1, "", "", "?", RevealAction::Hidden},
        {RevealKind::Text, 2, "Paris2", "Lyon2", "BRAVO", RevealAction::Shown},
        {RevealKind::Picture, 2, "Paris2", "Lyon2", "BRAVO", RevealAction::Shown},
        {RevealKind::Picture, 2, "Paris2", "lyon2", "BRAVO", RevealAction::Nothing},
        {RevealKind::Text, 2, "Paris2", "Marseille", "BRAVO", RevealAction::Nothing},
        {RevealKind::None, 2, "Paris2", "Lyon2", "BRAVO", RevealAction::Nothing},
        {RevealKind::Text, 2, "Lyon2", "Lyon2", "FAUX", RevealAction::Hidden},
    };
    for (const Row& row : rows) {
        QuizFixture fixture(3, row.answers, row.reveal);
        TestBoard board = emptyBoard(fixture.quiz);
        BoardReading reading = {&board, readBox, readVerdict};
        int rank = row.answers + 1;
        board.boxes[rank] = row.first;
        if (row.answers == 2)
            board.boxes[rank + 1] = row.second;
        Judgement judgement = judgeBox(fixture.quiz, reading, rank);
        SCOPED_TRACE(std::string(row.first) + " / " + row.second + ", answers " + std::to_string(row.answers));
        EXPECT_STREQ(judgement.verdict, row.verdict);
        EXPECT_EQ(judgement.reveal, row.action);
    }
}

TEST(BoardRules, ScoreCountsEntriesWhoseEveryLabelReadsRightWithItsCode)
{
    for (int answers : {1, 2}) {
        QuizFixture fixture(90, answers, RevealKind::None);
        TestBoard board = emptyBoard(fixture.quiz);
        BoardReading reading = {&board, readBox, readVerdict};
        for (int score = 0; score <= 90; ++score) {
            for (int rank = 1; rank <= boxCountOf(fixture.quiz); ++rank) {
                int entry = entryOfRank(fixture.quiz, rank);
                board.boxes[rank] = entry <= score ? storedAnswerOf(fixture.quiz, rank) : "faux";
                // With two answers, one more entry has its first box right only.
                if (answers == 2 && entry == score + 1 && rank % 2 == 1)
                    board.boxes[rank] = storedAnswerOf(fixture.quiz, rank);
                board.verdicts[rank] = judgeBox(fixture.quiz, reading, rank).verdict;
            }
            SCOPED_TRACE("answers " + std::to_string(answers) + ", score " + std::to_string(score));
            ASSERT_EQ(countScore(fixture.quiz, reading), score);
            std::string code = score == 0 ? std::string(noRewardCode) : "code" + std::to_string(score);
            EXPECT_EQ(rewardCodeOf(fixture.quiz, countScore(fixture.quiz, reading)), code);
        }
    }
}

TEST(BoardRules, SpreadReachesEveryBoxNotRightAsTheBoardNowReads)
{
    struct Row {
        int answers;
        std::vector<const char*> verdicts;  // by rank, from 1
        std::vector<int> reached;
    };
    const Row rows[] = {
        {1, {"BRAVO", "FAUX", "", "Quasiment", "BRAVO"}, {2, 3, 4}},
        {1, {"BRAVO", "BRAVO", "BRAVO", "BRAVO", "BRAVO"}, {}},
        {1, {"", "", "", "", ""}, {1, 2, 3, 4, 5}},
        // "BRAVO" is read byte for byte: another case or a longer text is not right.
        {2, {"BRAVO", "bravo", "BRAVO ", "BRAVO", "Trop court", "BRAVO", "?", "BRAVO", "BRAVO", "FAUX"},
         {2, 3, 5, 7, 10}},
    };
    for (const Row& row : rows) {
        QuizFixture fixture(5, row.answers, RevealKind::None);
        TestBoard board = emptyBoard(fixture.quiz);
        for (std::size_t at = 0; at < row.verdicts.size(); ++at)
            board.verdicts[at + 1] = row.verdicts[at];
        BoardReading reading = {&board, readBox, readVerdict};
        std::vector<int> reached;
        for (int rank = nextSpreadTarget(fixture.quiz, reading, 0); rank;
             rank = nextSpreadTarget(fixture.quiz, reading, rank))
            reached.push_back(rank);
        EXPECT_EQ(reached, row.reached) << "answers " << row.answers;
    }
}

TEST(BoardRules, TabWrapsAroundAtEitherEnd)
{
    QuizFixture fixture(3, 2, RevealKind::None);
    const int rows[][3] = {{1, false, 2}, {5, false, 6}, {6, false, 1}, {1, true, 6}, {4, true, 3}};
    for (const auto& row : rows)
        EXPECT_EQ(tabTarget(fixture.quiz, row[0], row[1]), row[2]) << "from " << row[0] << (row[1] ? " back" : "");
}

TEST(BoardRules, SpreadSeesABoxJudgedOnTheWay)
{
    QuizFixture fixture(3, 1, RevealKind::None);
    TestBoard board = emptyBoard(fixture.quiz);
    board.verdicts = {"", "FAUX", "FAUX", "FAUX"};
    BoardReading reading = {&board, readBox, readVerdict};
    EXPECT_EQ(nextSpreadTarget(fixture.quiz, reading, 1), 2);
    board.verdicts[2] = verdictRight;
    EXPECT_EQ(nextSpreadTarget(fixture.quiz, reading, 1), 3);
    EXPECT_EQ(nextSpreadTarget(fixture.quiz, reading, 3), 0);
}

TEST(BoardRules, BoxNamesAsReportsShowThem)
{
    QuizFixture single(12, 1, RevealKind::None);
    QuizFixture paired(12, 2, RevealKind::None);
    const std::pair<int, const char*> singles[] = {{1, "1"}, {12, "12"}};
    const std::pair<int, const char*> pairs[] = {{1, "1.1"}, {2, "1.2"}, {23, "12.1"}, {24, "12.2"}};
    for (const auto& [rank, name] : singles)
        EXPECT_EQ(boxName(single.quiz, rank), name) << rank;
    for (const auto& [rank, name] : pairs)
        EXPECT_EQ(boxName(paired.quiz, rank), name) << rank;
}

TEST(BoardRules, ScorePercentRoundsHalfUp)
{
    // Nothing right of nothing is 0.
    const int percents[][3] = {{0, 3, 0}, {1, 3, 33}, {2, 3, 67}, {1, 8, 13}, {1, 200, 1}, {3, 3, 100}, {0, 0, 0}};
    for (const auto& row : percents)
        EXPECT_EQ(scorePercent(row[0], row[1]), row[2]) << row[0] << " of " << row[1];
}

}  // namespace
