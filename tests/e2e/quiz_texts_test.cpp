// Texts the quiz and the answers file give are shown whole, whatever their
// first byte: window creation would read a text starting with 0xFF as a
// resource number and keep three bytes of it. And the version label shows
// its whole text.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

namespace {

std::string headerLabelReading(const PlayerRun& run, const std::string& text)
{
    for (HWND label : run.childrenOfClass(run.mainWindow(), "Static"))
        if (run.text(label) == text)
            return text;
    return "";
}

TEST(QuizTexts, ThoseStartingWithByteFFAreShownJudgedAndSavedWhole)
{
    TestQuiz quiz = textQuiz(3, 2);
    quiz.title = "\xFFQuizz des inventeurs";
    quiz.author = "\xFF" "Ana";
    quiz.description = "\xFF" "Description enti\xE8re";
    quiz.firstAnswerLabel = "\xFFPr\xE9nom";
    quiz.secondAnswerLabel = "\xFF";
    quiz.entries[0] = {"\xFFIndice", "\xFFm\xE4\xF2o", "\xFF"};
    quiz.entries[1] = {"\xFF", "\xFF" "abcdef", "deux2"};
    const std::string answers = "\xFFm\xE4\xF2o\r\n\xFF\r\n\xFF" "abcdef\r\ndeux2\r\n*\r\ndeux3\r\n";
    TestFolder folder("e2e-texts-ff");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), answers));
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    EXPECT_EQ(run.text(run.mainWindow()), quiz.title);
    for (const std::string& text : {quiz.title, quiz.author, quiz.description})
        EXPECT_EQ(headerLabelReading(run, text), text);
    int clues = 0, firstHeadings = 0, secondHeadings = 0;
    for (HWND label : run.childrenWithId(run.board(), 3000))
        clues += run.text(label) == quiz.entries[0].clue || run.text(label) == quiz.entries[1].clue;
    for (HWND label : run.childrenWithId(run.board(), 156)) {
        firstHeadings += run.text(label) == quiz.firstAnswerLabel;
        secondHeadings += run.text(label) == quiz.secondAnswerLabel;
    }
    EXPECT_EQ(clues, 2);
    EXPECT_EQ(firstHeadings, 1);
    EXPECT_EQ(secondHeadings, 1);

    const struct {
        int box;
        std::string text;
        const char* verdict;
    } boxes[] = {
        {4001, "\xFFm\xE4\xF2o", "BRAVO"}, {4002, "\xFF", "BRAVO"}, {4003, "\xFF" "abcdef", "BRAVO"},
        {4004, "deux2", "BRAVO"},          {4005, "", "?"},        {4006, "deux3", "BRAVO"},
    };
    for (const auto& row : boxes) {
        EXPECT_EQ(run.boardText(row.box), row.text) << "box " << row.box;
        EXPECT_EQ(run.boardText(row.box + 1000), row.verdict) << "box " << row.box;
    }
    EXPECT_EQ(run.headerText(150), " 2 / 3");

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_EQ(readWholeFile(folder.file("quiz.txt")), answers);
}

TEST(QuizTexts, TheVersionLabelIsAsWideAsItsText)
{
    TestFolder folder("e2e-texts-version");
    std::string program = quizProgramIn(textQuiz(3), folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    HWND label = run.headerItem(8000);
    const std::string text = "R\xE9" "alis\xE9 avec la version 2.1";
    ASSERT_EQ(run.text(label), text);

    // The text's width in the label's font, measured here with the same font.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    ASSERT_GT(size.cx, 0);

    RECT client = {};
    GetClientRect(run.mainWindow(), &client);
    Placement at = run.placementIn(label, run.mainWindow());
    EXPECT_GE(at.width, size.cx) << "text " << size.cx << " pixels wide";
    EXPECT_GE(at.width, 130);
    EXPECT_EQ(at.x + at.width, client.right - 15);
    EXPECT_EQ(at.y, client.bottom - 16);
    EXPECT_EQ(at.height, 15);

    // A smaller window keeps the width and the right edge.
    SetWindowPos(run.mainWindow(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    run.settle();
    GetClientRect(run.mainWindow(), &client);
    EXPECT_EQ(run.placementIn(label, run.mainWindow()),
              (Placement{int(client.right) - 15 - at.width, int(client.bottom) - 16, at.width, 15}));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
