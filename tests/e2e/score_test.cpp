// The header's score and reward code as entries become complete and
// incomplete again: the score counts entries whose every verdict is "BRAVO",
// the code is the one of that score.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

namespace {

struct ScoreStep {
    int box;            // rank of the answer box typed into
    const char* typed;  // then Enter is released in it
    const char* score;
    const char* code;
};

void playSteps(const PlayerRun& run, const std::vector<ScoreStep>& steps)
{
    for (const ScoreStep& step : steps) {
        HWND box = run.boardItem(4000 + step.box);
        ASSERT_TRUE(box) << "box " << step.box;
        run.setText(box, step.typed);
        run.postKeyUp(box, VK_RETURN);
        EXPECT_EQ(run.headerText(150), step.score) << "after \"" << step.typed << "\" in box " << step.box;
        EXPECT_EQ(run.headerText(157), step.code) << "after \"" << step.typed << "\" in box " << step.box;
    }
}

TEST(Score, CountsCompleteEntriesAndShowsTheCodeOfThatScore)
{
    TestQuiz quiz = textQuiz(30);
    TestFolder folder("e2e-score-one");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    // Entry 7 alone complete shows the first code, not the seventh.
    playSteps(run, {{7, "rep7", " 1 / 30", "CODE1"},
                    {2, " REP2 ", " 2 / 30", "CODE2"},
                    {12, "rep12", " 3 / 30", "CODE3"},
                    {2, "rep", " 2 / 30", "CODE2"},
                    {30, "rep30", " 3 / 30", "CODE3"},
                    {7, "", " 2 / 30", "CODE2"},
                    {12, "xyz", " 1 / 30", "CODE1"},
                    {30, "", " 0 / 30", "      "}});

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(Score, TwoAnswersCountOnlyWhenBothAreRight)
{
    TestQuiz quiz = textQuiz(4, 2);
    TestFolder folder("e2e-score-two");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    // Entry 1 holds boxes 1 and 2, entry 3 boxes 5 and 6.
    playSteps(run, {{1, "rep1", " 0 / 4", "      "},
                    {2, "faux", " 0 / 4", "      "},
                    {2, "deux1", " 1 / 4", "CODE1"},
                    {6, "deux3", " 1 / 4", "CODE1"},
                    {5, "deux3", " 1 / 4", "CODE1"},
                    {5, "rep3", " 2 / 4", "CODE2"},
                    {1, "rep", " 1 / 4", "CODE1"}});
    EXPECT_EQ(run.boardText(5001), "Quasiment");
    EXPECT_EQ(run.boardText(5002), "BRAVO");
    EXPECT_EQ(run.boardText(5005), "BRAVO");
    EXPECT_EQ(run.boardText(5006), "BRAVO");

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(Score, EveryEntryRightShowsTheFullScoreAndTheLastCode)
{
    TestQuiz quiz = textQuiz(30);
    quiz.codes.back() = "FIN-\xC9T\xC9";
    TestFolder folder("e2e-score-full");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    std::string answers;
    for (int entry = 1; entry <= 30; ++entry)
        answers += "rep" + std::to_string(entry) + "\r\n";
    ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), answers));
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    EXPECT_EQ(run.headerText(150), " 30 / 30");
    EXPECT_EQ(run.headerText(157), "FIN-\xC9T\xC9");
    playSteps(run, {{30, "rep", " 29 / 30", "CODE29"}, {30, "REP30", " 30 / 30", "FIN-\xC9T\xC9"}});

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
