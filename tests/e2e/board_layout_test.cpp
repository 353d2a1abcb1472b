// Where the board puts each entry of a text quiz: clue, number, answer boxes
// and verdict labels, with one and with two answers per entry, in board
// client coordinates at the starting scroll position.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr int clueLabelId = 3000;
constexpr int numberLabelId = 153;
constexpr int headingLabelId = 156;

// Text entries stand one to a line, 25 pixels apart.
int rowY(int entry)
{
    return 25 * entry - 15;
}

// The child with that identifier reading that text; several labels share
// an identifier, so the text tells them apart.
HWND childReading(const PlayerRun& run, int id, const std::string& text)
{
    for (HWND child : run.childrenWithId(run.board(), id))
        if (run.text(child) == text)
            return child;
    return nullptr;
}

struct ExpectedControl {
    const char* what;
    HWND control;
    std::string text;
    Placement at;
};

std::string describe(const PlayerRun& run, const std::vector<HWND>& labels)
{
    std::ostringstream out;
    for (HWND label : labels)
        out << " \"" << run.text(label) << "\" at " << run.placementIn(label, run.board()) << ";";
    return out.str();
}

void expectControls(const PlayerRun& run, int entry, const std::vector<ExpectedControl>& controls)
{
    for (const ExpectedControl& row : controls) {
        if (!row.control) {
            ADD_FAILURE() << "entry " << entry << ": no " << row.what << " reading \"" << row.text << "\"";
            continue;
        }
        EXPECT_EQ(run.text(row.control), row.text) << "entry " << entry << ": " << row.what;
        EXPECT_EQ(run.placementIn(row.control, run.board()), row.at) << "entry " << entry << ": " << row.what;
    }
}

TEST(TextBoard, OneAnswerPerEntryStandsOneEntryToALine)
{
    const int entries = 30;
    TestQuiz quiz = textQuiz(entries);
    quiz.entries[0].clue = "  Capitale de l'\xC9quateur, \"Quito\" ?  ";
    TestFolder folder("e2e-layout-one");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    for (int entry = 1; entry <= entries; ++entry) {
        int t = rowY(entry);
        const std::string& clue = quiz.entries[entry - 1].clue;
        std::string number = std::to_string(entry) + ".";
        expectControls(run, entry,
                       {{"clue label", childReading(run, clueLabelId, clue), clue, {50, t, 550, 20}},
                        {"number label", childReading(run, numberLabelId, number), number, {30, t + 3, 19, 17}},
                        {"answer box", run.boardItem(4000 + entry), "", {615, t, 100, 20}},
                        {"verdict label", run.boardItem(5000 + entry), "?", {720, t - 1, 90, 21}}});
    }
    EXPECT_EQ(run.childrenWithId(run.board(), clueLabelId).size(), std::size_t(entries));
    EXPECT_EQ(run.childrenWithId(run.board(), numberLabelId).size(), std::size_t(entries));
    EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), std::size_t(entries));
    EXPECT_TRUE(run.childrenWithId(run.board(), headingLabelId).empty());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(TextBoard, TwoAnswersPerEntryStandOneBelowTheOtherWithHeadingsEveryThirdEntry)
{
    const int entries = 7;
    TestQuiz quiz = textQuiz(entries, 2);
    quiz.firstAnswerLabel = "Pr\xE9nom";
    quiz.secondAnswerLabel = "Ville natale";
    TestFolder folder("e2e-layout-two");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    for (int entry = 1; entry <= entries; ++entry) {
        int t = rowY(entry);
        int first = 2 * entry - 1;
        int second = 2 * entry;
        const std::string& clue = quiz.entries[entry - 1].clue;
        std::string number = std::to_string(entry) + ".";
        expectControls(run, entry,
                       {{"clue label", childReading(run, clueLabelId, clue), clue, {50, t, 550, 20}},
                        {"number label", childReading(run, numberLabelId, number), number, {30, t + 3, 19, 17}},
                        {"first answer box", run.boardItem(4000 + first), "", {615, t, 50, 21}},
                        {"second answer box", run.boardItem(4000 + second), "", {615, t + 20, 50, 21}},
                        {"first verdict label", run.boardItem(5000 + first), "?", {670, t + 1, 60, 17}},
                        {"second verdict label", run.boardItem(5000 + second), "?", {670, t + 21, 60, 17}}});
    }
    // Headings for entries 1, 4 and 7, right of the verdicts.
    std::vector<HWND> headings = run.childrenWithId(run.board(), headingLabelId);
    EXPECT_EQ(headings.size(), 6u);
    for (int entry = 1; entry <= entries; entry += 3) {
        int t = rowY(entry);
        std::vector<Placement> firsts, seconds;
        for (HWND heading : headings) {
            Placement at = run.placementIn(heading, run.board());
            if (run.text(heading) == quiz.firstAnswerLabel && at == Placement{735, t, 95, 20})
                firsts.push_back(at);
            if (run.text(heading) == quiz.secondAnswerLabel && at == Placement{735, t + 20, 95, 20})
                seconds.push_back(at);
        }
        EXPECT_EQ(firsts.size(), 1u) << "heading \"" << quiz.firstAnswerLabel << "\" at (735, " << t
                                     << "); headings:" << describe(run, headings);
        EXPECT_EQ(seconds.size(), 1u) << "heading \"" << quiz.secondAnswerLabel << "\" at (735, " << t + 20
                                      << "); headings:" << describe(run, headings);
    }
    EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), std::size_t(2 * entries));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
