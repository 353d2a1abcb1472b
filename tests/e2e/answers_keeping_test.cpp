// What closing keeps of the answers file beyond the quiz's own boxes: lines
// the quiz has no box for, answers another copy of the quiz saved meanwhile,
// a file that could not be read at start-up, and files a text editor saved
// in another encoding. And a box takes no more than can be saved.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

std::string linesOf(const Texts& lines)
{
    std::string file;
    for (const std::string& line : lines)
        file += line + "\r\n";
    return file;
}

Texts numbered(const std::string& stem, int count)
{
    Texts lines;
    for (int n = 1; n <= count; ++n)
        lines.push_back(stem + std::to_string(n));
    return lines;
}

TEST(AnswersKept, LinesPastTheBoxesOfTheSampleQuizSurviveClosing)
{
    // A program without its quiz falls back to the 60 boxes of the sample quiz.
    TestFolder folder("e2e-keep-sample");
    std::string program = folder.file("quiz.exe");
    ASSERT_TRUE(CopyFileA(playerProgram().c_str(), program.c_str(), FALSE));
    Texts lines = numbered("ligne", 180);
    lines[100] = std::string(300, 'L');
    ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), linesOf(lines)));

    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    ASSERT_EQ(run.childrenOfClass(run.board(), "Edit").size(), 60u);
    EXPECT_EQ(run.boardText(4060), "ligne60");
    run.setText(run.boardItem(4001), "chang\xE9");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);

    lines[0] = "chang\xE9";
    EXPECT_EQ(readWholeFile(folder.file("quiz.txt")), linesOf(lines));
}

TEST(AnswersKept, TwoCopiesOpenAtOnceKeepEachOthersAnswers)
{
    TestFolder folder("e2e-keep-two-copies");
    std::string program = quizProgramIn(textQuiz(4), folder.path());
    ASSERT_FALSE(program.empty());
    ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), linesOf({"a", "b", "c", "d"})));

    PlayerRun first, second;
    ASSERT_TRUE(first.start(program, folder.path()));
    ASSERT_TRUE(second.start(program, folder.path()));
    first.setText(first.boardItem(4001), "un");
    second.setText(second.boardItem(4003), "trois");
    second.setText(second.boardItem(4004), "");
    ASSERT_TRUE(first.close());
    EXPECT_EQ(readWholeFile(folder.file("quiz.txt")), linesOf({"un", "b", "c", "d"}));
    ASSERT_TRUE(second.close());
    EXPECT_EQ(first.exitCode(), 0u);
    EXPECT_EQ(second.exitCode(), 0u);
    // Each copy's changes, and the boxes neither touched as they were.
    EXPECT_EQ(readWholeFile(folder.file("quiz.txt")), linesOf({"un", "b", "trois", "*"}));
}

TEST(AnswersKept, AFileThatCouldNotBeOpenedAtStartIsNotWrittenOver)
{
    TestFolder folder("e2e-keep-held-at-start");
    std::string program = quizProgramIn(textQuiz(3), folder.path());
    ASSERT_FALSE(program.empty());
    const std::string before = linesOf({"rep1", "rep2", "vieux"});
    std::string answers = folder.file("quiz.txt");
    ASSERT_TRUE(writeWholeFile(answers, before));

    // Held without sharing (as a backup tool would) while the player starts.
    HANDLE held = CreateFileA(answers.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PlayerRun run;
    bool started = run.start(program, folder.path());
    CloseHandle(held);
    ASSERT_TRUE(started);
    EXPECT_EQ(run.boardText(4001), "");
    run.setText(run.boardItem(4002), "nouveau");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_EQ(readWholeFile(answers), before);
}

struct EncodingRow {
    const char* name;
    std::string file;  // as a text editor saved it
    Texts boxes;       // what the three boxes show
};

std::string utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(AnswersKept, FilesOfOtherEncodingsAndLineEndsAreReadAndSavedInTheProgramsOwn)
{
    const EncodingRow rows[] = {
        {"UTF-16 little-endian", utf16(u"rep1\r\n\u00E9t\u00E9 \u20AC\r\n\u4E2D\U0001F600x\r\n", false),
         {"rep1", "\xE9t\xE9 \x80", "??x"}},
        {"UTF-16 big-endian", utf16(u"\u00C0 bient\u00F4t\r\nrep2\r\n", true), {"\xC0 bient\xF4t", "rep2", ""}},
        {"UTF-8 with its mark", "\xEF\xBB\xBFna\xC3\xAFve\r\n\xE2\x80\x9Cguillemets\xE2\x80\x9D\r\n\xE4\xB8\xAD\r\n",
         {"na\xEFve", "\x93guillemets\x94", "?"}},
        {"lines ended by CR alone", "rep1\rdeux\rrep3\r", {"rep1", "deux", "rep3"}},
    };
    int number = 0;
    for (const EncodingRow& row : rows) {
        TestFolder folder("e2e-keep-encoding-" + std::to_string(++number));
        std::string program = quizProgramIn(textQuiz(3), folder.path());
        ASSERT_FALSE(program.empty()) << row.name;
        ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), row.file)) << row.name;
        PlayerRun run;
        ASSERT_TRUE(run.start(program, folder.path())) << row.name;
        for (int box = 1; box <= 3; ++box)
            EXPECT_EQ(run.boardText(4000 + box), row.boxes[box - 1]) << row.name << ", box " << box;
        ASSERT_TRUE(run.close()) << row.name;
        Texts saved;
        for (const std::string& text : row.boxes)
            saved.push_back(text.empty() ? "*" : text);
        EXPECT_EQ(readWholeFile(folder.file("quiz.txt")), linesOf(saved)) << row.name;
    }
}

TEST(AnswerBox, TakesNoMoreThanTheCharactersThatAreSaved)
{
    TestFolder folder("e2e-box-limit");
    std::string program = quizProgramIn(textQuiz(2), folder.path());
    ASSERT_FALSE(program.empty());
    const std::string full(259, 'A');
    ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), linesOf({full, "rep2"})));
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    HWND box = run.boardItem(4001);
    EXPECT_EQ(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), 259);
    // Typing at the end of a full box adds nothing.
    SendMessageA(box, EM_SETSEL, 259, 259);
    run.post(box, WM_CHAR, 'X', 1);
    EXPECT_EQ(run.boardText(4001), full);
    ASSERT_TRUE(run.close());
    EXPECT_EQ(readWholeFile(folder.file("quiz.txt")), linesOf({full, "rep2"}));
}

}  // namespace
