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

std::string listed(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "\n  " + line;
    return text;
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
    std::vector<std::string> overlaps = run.overlappingBoardControls();
    EXPECT_TRUE(overlaps.empty()) << overlaps.size() << " overlapping pairs:" << listed(overlaps);
    // Each box took the focus as it was made, so the last one made, far
    // below the first view, keeps it.
    EXPECT_EQ(run.focused(), run.boardItem(4000 + entries));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

// A group of three entries opens with a heading line of 20 pixels.
int pairedRowY(int entry)
{
    return rowY(entry) + 20 * ((entry - 1) / 3 + 1);
}

TEST(TextBoard, TwoAnswersPerEntryStandSideBySideUnderHeadingsEveryThirdEntry)
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
        int t = pairedRowY(entry);
        int first = 2 * entry - 1;
        int second = 2 * entry;
        const std::string& clue = quiz.entries[entry - 1].clue;
        std::string number = std::to_string(entry) + ".";
        expectControls(run, entry,
                       {{"clue label", childReading(run, clueLabelId, clue), clue, {50, t, 360, 20}},
                        {"number label", childReading(run, numberLabelId, number), number, {30, t + 3, 19, 17}},
                        {"first answer box", run.boardItem(4000 + first), "", {425, t, 100, 20}},
                        {"first verdict label", run.boardItem(5000 + first), "?", {530, t - 1, 90, 21}},
                        {"second answer box", run.boardItem(4000 + second), "", {635, t, 100, 20}},
                        {"second verdict label", run.boardItem(5000 + second), "?", {740, t - 1, 90, 21}}});
    }
    // Headings for entries 1, 4 and 7, on a line of their own above the box columns.
    std::vector<HWND> headings = run.childrenWithId(run.board(), headingLabelId);
    EXPECT_EQ(headings.size(), 6u);
    for (int entry = 1; entry <= entries; entry += 3) {
        int y = pairedRowY(entry) - 22;
        int firsts = 0, seconds = 0;
        for (HWND heading : headings) {
            Placement at = run.placementIn(heading, run.board());
            firsts += run.text(heading) == quiz.firstAnswerLabel && at == Placement{425, y, 100, 20};
            seconds += run.text(heading) == quiz.secondAnswerLabel && at == Placement{635, y, 100, 20};
        }
        EXPECT_EQ(firsts, 1) << "heading at (425, " << y << "); headings:" << describe(run, headings);
        EXPECT_EQ(seconds, 1) << "heading at (635, " << y << "); headings:" << describe(run, headings);
    }
    EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), std::size_t(2 * entries));
    std::vector<std::string> overlaps = run.overlappingBoardControls();
    EXPECT_TRUE(overlaps.empty()) << overlaps.size() << " overlapping pairs:" << listed(overlaps);

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
