// What the player shows beside an answer once Enter is released in its box:
// the verdict text and the colour the label is filled with, and the colours
// of the other board labels.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

struct VerdictRow {
    const char* stored;
    const char* typed;
    const char* verdict;
};

// One entry per row, in this order; every verdict text is reached.
const VerdictRow verdictRows[] = {
    {"alex", "  Alex ", "BRAVO"},
    {"alex", "xela", "Anagramme"},
    {"alex", "alxe", "Anagramme"},
    {"alex", "ale", "Quasiment"},
    {"alex", "al", "Presque"},
    {"alex", "a", "FAUX"},
    {"ABCDEFGHIJK", "ABCDEFGH", "Trop court"},
    {"ABCDEFGHIJ", "ABCDEF", "pas loin"},
    {"ABCDEFGHIJ", "ABCDE", "FAUX"},
    {"ALEX", "ALEXANDRE", "Trop long"},
    {"ABCDEFGHIJKLMNOP", "ABCXEFGXIJKXMNOP", "yade lid\xE9" "e"},
    {"\xE9t\xE9", "\xC9T\xC9", "Presque"},
    {"alex", "   ", "?"},
    {"alex ", "alex", "Quasiment"},
    {"AAABCDEFGHIJ", "AABCDEFG", "FAUX"},
};

// Only the first 259 characters of a box are judged.
const std::string longAnswer(259, 'L');
const std::string longTyped = longAnswer + "XYZ";
constexpr int verdictEntries = int(std::size(verdictRows));

Colour fillOf(const std::string& verdict)
{
    if (verdict == "BRAVO")
        return rgb(0, 255, 0);
    if (verdict == "FAUX")
        return rgb(255, 0, 0);
    if (verdict == "Anagramme")
        return rgb(255, 100, 0);
    if (verdict == "?")
        return {GetSysColor(COLOR_3DFACE)};
    return rgb(255, 203, 38);
}

TestQuiz verdictQuiz()
{
    TestQuiz quiz;
    for (const VerdictRow& row : verdictRows)
        quiz.entries.push_back({std::string("Typed: ") + row.typed, row.stored, ""});
    quiz.entries.push_back({"Long", longAnswer, ""});
    // One more entry whose label is written by hand below.
    quiz.entries.push_back({"Spare", "spare", ""});
    for (std::size_t entry = 0; entry < quiz.entries.size(); ++entry)
        quiz.codes.push_back("C" + std::to_string(entry + 1));
    return quiz;
}

TEST(Verdicts, EnterReleasedInABoxShowsTheVerdictInItsColour)
{
    TestQuiz quiz = verdictQuiz();
    TestFolder folder("e2e-verdicts");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    for (int entry = 1; entry <= verdictEntries; ++entry) {
        const VerdictRow& row = verdictRows[entry - 1];
        HWND box = run.boardItem(4000 + entry);
        ASSERT_TRUE(box) << "entry " << entry;
        run.setText(box, row.typed);
        run.postKeyUp(box, VK_RETURN);
        EXPECT_EQ(run.boardText(5000 + entry), row.verdict)
            << "stored \"" << row.stored << "\", typed \"" << row.typed << "\"";
        EXPECT_EQ(run.text(box), row.typed) << "judging leaves the box as typed";
    }
    // Filled in the verdict's colour: sampled inside the border, clear of the text.
    for (int entry = 1; entry <= verdictEntries; ++entry) {
        const VerdictRow& row = verdictRows[entry - 1];
        Colour fill = fillOf(row.verdict);
        EXPECT_EQ(run.colourAt(run.boardItem(5000 + entry), 2, 2, fill), fill) << "verdict \"" << row.verdict << "\"";
    }
    HWND longBox = run.boardItem(4000 + verdictEntries + 1);
    run.setText(longBox, longTyped);
    run.postKeyUp(longBox, VK_RETURN);
    EXPECT_EQ(run.boardText(5000 + verdictEntries + 1), "BRAVO") << "259 characters and 3 more";

    // A verdict that changes repaints its label: "BRAVO" turns to "FAUX".
    run.setText(run.boardItem(4001), "zzz");
    run.postKeyUp(run.boardItem(4001), VK_RETURN);
    ASSERT_EQ(run.boardText(5001), "FAUX");
    EXPECT_EQ(run.colourAt(run.boardItem(5001), 2, 2, fillOf("FAUX")), fillOf("FAUX")) << "label turned to \"FAUX\"";

    // The colour goes by the exact text: "bravo" is not "BRAVO".
    HWND spare = run.boardItem(5000 + verdictEntries + 2);
    run.setText(spare, "bravo");
    EXPECT_EQ(run.colourAt(spare, 2, 2, fillOf("bravo")), fillOf("bravo")) << "verdict label reading \"bravo\"";

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(Verdicts, CluesArePaleYellowAndNumbersAndHeadingsTakeTheBoardColour)
{
    TestQuiz quiz = textQuiz(5, 2);
    quiz.boardColour = RGB(40, 120, 90);
    TestFolder folder("e2e-label-colours");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    const Colour paleYellow = rgb(255, 255, 192);
    const Colour board = {quiz.boardColour};
    std::vector<HWND> clues = run.childrenWithId(run.board(), 3000);
    std::vector<HWND> numbers = run.childrenWithId(run.board(), 153);
    ASSERT_EQ(clues.size(), 5u);
    ASSERT_EQ(numbers.size(), 5u);
    for (HWND clue : clues)
        EXPECT_EQ(run.colourAt(clue, 2, 2, paleYellow), paleYellow) << "clue \"" << run.text(clue) << "\"";
    // Numbers are right-aligned: their left edge is clear of the text.
    for (HWND number : numbers)
        EXPECT_EQ(run.colourAt(number, 1, 1, board), board) << "number label \"" << run.text(number) << "\"";
    // Headings are left-aligned: their right edge is clear of the text.
    std::vector<HWND> headings = run.childrenWithId(run.board(), 156);
    ASSERT_EQ(headings.size(), 4u);
    for (HWND heading : headings)
        EXPECT_EQ(run.colourAt(heading, 93, 2, board), board) << "heading \"" << run.text(heading) << "\"";
    // The board itself, left of the first number label (inside its 1-pixel border).
    EXPECT_EQ(run.colourAt(run.board(), 11, 6, board), board) << "board background";

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
