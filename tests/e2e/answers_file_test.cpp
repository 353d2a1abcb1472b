// The answers file from the player's side: what a run finds in its boxes
// given the file in its working folder, what closing leaves in the file,
// and the cases where the file must be left as it was.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Texts = std::vector<std::string>;

const std::string chars259(259, 'A');
const std::string chars300 = std::string(259, 'B') + std::string(41, 'C');

std::string linesOf(const Texts& lines)
{
    std::string file;
    for (const std::string& line : lines)
        file += line + "\r\n";
    return file;
}

// A readable form of file bytes for failure messages: line ends shown.
std::string shown(const std::string& bytes)
{
    std::string text;
    for (char c : bytes)
        text += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n\n") : std::string(1, c);
    return text;
}

Texts boxTexts(const PlayerRun& run, int boxes)
{
    Texts texts;
    for (int rank = 1; rank <= boxes; ++rank)
        texts.push_back(run.boardText(4000 + rank));
    return texts;
}

void expectBoxes(const PlayerRun& run, const Texts& expected, const std::string& name)
{
    Texts seen = boxTexts(run, int(expected.size()));
    for (std::size_t at = 0; at < expected.size(); ++at)
        EXPECT_EQ(seen[at], expected[at]) << name << ": box " << at + 1;
}

bool hasFile(const std::string& folder, const std::string& name)
{
    Texts names = filesIn(folder);
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string listing(const std::string& folder)
{
    std::string text;
    for (const std::string& name : filesIn(folder))
        text += " \"" + name + "\"";
    return text;
}

TEST(AnswersFile, FirstRunStartsEmptyAndClosingWritesOneStarLinePerBox)
{
    TestFolder folder("e2e-answers-first");
    std::string program = quizProgramIn(textQuiz(6, 2), folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    expectBoxes(run, Texts(12, ""), "first run");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);

    EXPECT_EQ(shown(readWholeFile(folder.file("quiz.txt"))), shown(linesOf(Texts(12, "*"))));
    Texts expectedFiles = {"quiz.exe", "quiz.txt"};
    Texts files = filesIn(folder.path());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, expectedFiles) << "files:" << listing(folder.path());
}

struct RestoreRow {
    const char* name;
    std::string file;     // the answers file found at start
    Texts boxes;          // the five boxes' texts then
    const char* score;    // the restored answers are judged at once
    const char* code;
    std::string saved;    // the file after closing straight away
};

TEST(AnswersFile, EachLineRestoresItsBoxAndIsJudgedAtOnce)
{
    const Texts accented = {"\xE9t\xE9", "\xC0 bient\xF4t", "\x80uro \x9C\x9F", "na\xEFve \xE7\xE0", "rep5"};
    const std::string cut300 = chars300.substr(0, 259);
    const Texts allRight = {"rep1", "rep2", "rep3", "rep4", "rep5"};
    const RestoreRow rows[] = {
        {"stars, spaces and an empty line", "*\r\n  rep2  \r\n * \r\n\r\nrep5\r\n",
         {"", "  rep2  ", " * ", "", "rep5"}, " 2 / 5", "CODE2", "*\r\n  rep2  \r\n * \r\n*\r\nrep5\r\n"},
        {"line feeds alone and a last line without its end", "rep1\nabc\n\ndef\nrep5",
         {"rep1", "abc", "", "def", "rep5"}, " 2 / 5", "CODE2", linesOf({"rep1", "abc", "*", "def", "rep5"})},
        {"259 and 300 characters", linesOf({chars259, chars300, "rep3"}), {chars259, cut300, "rep3", "", ""},
         " 1 / 5", "CODE1", linesOf({chars259, cut300, "rep3", "*", "*"})},
        {"Windows-1252 accented bytes", linesOf(accented), accented, " 1 / 5", "CODE1", linesOf(accented)},
        {"more lines than boxes: the rest are kept", linesOf(allRight) + linesOf({"rep6", "rep7"}), allRight, " 5 / 5",
         "CODE5", linesOf(allRight) + linesOf({"rep6", "rep7"})},
        {"fewer lines than boxes", linesOf({"x", "rep2"}), {"x", "rep2", "", "", ""}, " 1 / 5", "CODE1",
         linesOf({"x", "rep2", "*", "*", "*"})},
        {"an empty file", "", {"", "", "", "", ""}, " 0 / 5", "      ", linesOf(Texts(5, "*"))},
    };
    int number = 0;
    for (const RestoreRow& row : rows) {
        TestFolder folder("e2e-answers-restore-" + std::to_string(++number));
        std::string program = quizProgramIn(textQuiz(5), folder.path());
        ASSERT_FALSE(program.empty()) << row.name;
        ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), row.file)) << row.name;
        PlayerRun run;
        ASSERT_TRUE(run.start(program, folder.path())) << row.name;
        expectBoxes(run, row.boxes, row.name);
        EXPECT_EQ(run.headerText(150), row.score) << row.name;
        EXPECT_EQ(run.headerText(157), row.code) << row.name;
        ASSERT_TRUE(run.close()) << row.name;
        EXPECT_EQ(run.exitCode(), 0u) << row.name;
        EXPECT_EQ(shown(readWholeFile(folder.file("quiz.txt"))), shown(row.saved)) << row.name;
    }
}

TEST(AnswersFile, TypedAnswersAreSavedOnCloseAndComeBackNextRun)
{
    TestFolder folder("e2e-answers-round-trip");
    std::string program = quizProgramIn(textQuiz(3, 2), folder.path());
    ASSERT_FALSE(program.empty());
    const Texts typed = {" rep1 ", "*", chars300, "\xE9l\xE8ve \xE0 l'\xE9t\xE9", "", "deux3"};
    const Texts kept = {" rep1 ", "", chars300.substr(0, 259), "\xE9l\xE8ve \xE0 l'\xE9t\xE9", "", "deux3"};
    {
        PlayerRun run;
        ASSERT_TRUE(run.start(program, folder.path()));
        for (std::size_t at = 0; at < typed.size(); ++at)
            run.setText(run.boardItem(4001 + int(at)), typed[at]);
        ASSERT_TRUE(run.close());
        EXPECT_EQ(run.exitCode(), 0u);
    }
    EXPECT_EQ(shown(readWholeFile(folder.file("quiz.txt"))),
              shown(linesOf({" rep1 ", "*", chars300.substr(0, 259), "\xE9l\xE8ve \xE0 l'\xE9t\xE9", "*", "deux3"})));
    PlayerRun again;
    ASSERT_TRUE(again.start(program, folder.path()));
    expectBoxes(again, kept, "next run");
    // Boxes 1 (its spaces trimmed) and 6 are right, but no entry has both answers right.
    EXPECT_EQ(again.boardText(5001), "BRAVO");
    EXPECT_EQ(again.boardText(5006), "BRAVO");
    EXPECT_EQ(again.headerText(150), " 0 / 3");
    ASSERT_TRUE(again.close());
    EXPECT_EQ(again.exitCode(), 0u);
}

TEST(AnswersFile, LivesInTheWorkingFolderNamedAfterTheProgram)
{
    const struct {
        const char* program;
        const char* answers;
    } rows[] = {{"quiz.exe", "quiz.txt"}, {"Mon Quiz.EXE", "Mon Quiz.txt"}};
    int number = 0;
    for (const auto& row : rows) {
        ++number;
        TestFolder home("e2e-answers-home-" + std::to_string(number));
        TestFolder working("e2e-answers-working-" + std::to_string(number));
        std::string program = quizProgramIn(textQuiz(3), home.path(), row.program);
        ASSERT_FALSE(program.empty()) << row.program;
        const std::string besideProgram = linesOf({"rep1", "rep2", "rep3"});
        ASSERT_TRUE(writeWholeFile(home.file(row.answers), besideProgram));
        ASSERT_TRUE(writeWholeFile(working.file(row.answers), linesOf({"ici", "rep2"})));

        PlayerRun run;
        ASSERT_TRUE(run.start(program, working.path())) << row.program;
        expectBoxes(run, {"ici", "rep2", ""}, row.program);
        run.setText(run.boardItem(4003), "rep3");
        ASSERT_TRUE(run.close()) << row.program;
        EXPECT_EQ(run.exitCode(), 0u) << row.program;

        EXPECT_TRUE(hasFile(working.path(), row.answers)) << row.program << ": files:" << listing(working.path());
        EXPECT_EQ(shown(readWholeFile(working.file(row.answers))), shown(linesOf({"ici", "rep2", "rep3"})))
            << row.program;
        EXPECT_EQ(readWholeFile(home.file(row.answers)), besideProgram) << row.program;
    }
}

TEST(AnswersFile, AReadOnlyFileIsLeftAsItWas)
{
    TestFolder folder("e2e-answers-read-only");
    std::string program = quizProgramIn(textQuiz(3), folder.path());
    ASSERT_FALSE(program.empty());
    const std::string before = linesOf({"rep1", "*", "vieux"});
    std::string answers = folder.file("quiz.txt");
    ASSERT_TRUE(writeWholeFile(answers, before));
    ASSERT_TRUE(SetFileAttributesA(answers.c_str(), FILE_ATTRIBUTE_READONLY));

    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    expectBoxes(run, {"rep1", "", "vieux"}, "read-only file");
    run.setText(run.boardItem(4002), "nouveau");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);

    EXPECT_EQ(shown(readWholeFile(answers)), shown(before));
    EXPECT_FALSE(hasFile(folder.path(), "quiz.txt.new")) << "files:" << listing(folder.path());
    SetFileAttributesA(answers.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(AnswersFile, AFileHeldOpenElsewhereIsLeftAsItWas)
{
    TestFolder folder("e2e-answers-held");
    std::string program = quizProgramIn(textQuiz(3), folder.path());
    ASSERT_FALSE(program.empty());
    const std::string before = linesOf({"rep1", "*", "vieux"});
    std::string answers = folder.file("quiz.txt");
    ASSERT_TRUE(writeWholeFile(answers, before));

    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    run.setText(run.boardItem(4002), "nouveau");
    // Held without sharing from after start-up until the player has ended.
    HANDLE held = CreateFileA(answers.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    bool closed = run.close();
    CloseHandle(held);
    ASSERT_TRUE(closed);
    EXPECT_EQ(run.exitCode(), 0u);

    EXPECT_EQ(shown(readWholeFile(answers)), shown(before));
    EXPECT_FALSE(hasFile(folder.path(), "quiz.txt.new")) << "files:" << listing(folder.path());
}

TEST(AnswersFile, EndingTheSessionSavesTheAnswers)
{
    TestFolder folder("e2e-answers-end-session");
    std::string program = quizProgramIn(textQuiz(3), folder.path());
    ASSERT_FALSE(program.empty());
    std::string answers = folder.file("quiz.txt");
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    run.setText(run.boardItem(4002), "en cours");

    DWORD_PTR result = 0;
    SendMessageTimeoutA(run.mainWindow(), WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &result);
    EXPECT_FALSE(fileExists(answers)) << "a session that goes on saves nothing";
    SendMessageTimeoutA(run.mainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &result);
    EXPECT_EQ(shown(readWholeFile(answers)), shown(linesOf({"*", "en cours", "*"})));
    EXPECT_FALSE(hasFile(folder.path(), "quiz.txt.new")) << "files:" << listing(folder.path());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(DamagedQuiz, ShowsItsMessageAnEmptyBoardAndLeavesTheAnswersFileAlone)
{
    TestFolder folder("e2e-damaged");
    std::string program = folder.file("quiz.exe");
    ASSERT_TRUE(makeDamagedQuizProgram(program));
    const std::string before = linesOf({"rep1", "rep2", "rep3"});
    ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), before));

    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    ASSERT_EQ(run.messageBoxes().size(), 1u);
    EXPECT_EQ(run.messageBoxes()[0].caption, "Quizz");
    EXPECT_EQ(run.messageBoxes()[0].text, "Erreur dans le d\xE9" "cryptage des reponses");
    EXPECT_TRUE(run.childrenOfClass(run.board(), "Edit").empty());
    EXPECT_TRUE(run.childrenOfClass(run.board(), "Static").empty());
    EXPECT_EQ(run.headerText(150), " 0 / 0");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);

    EXPECT_EQ(shown(readWholeFile(folder.file("quiz.txt"))), shown(before));
    EXPECT_FALSE(hasFile(folder.path(), "quiz.txt.new")) << "files:" << listing(folder.path());
}

TEST(DamagedQuiz, APayloadThatIsNotAllThereIsDamagedNotFatal)
{
    struct Row {
        const char* name;
        int resource;
        bool moved;  // else resized
        const char* message;
        int boxes;
    };
    const Row rows[] = {
        {"PATCH 104 claims 16 MB", 104, false, "Erreur dans le d\xE9" "cryptage des reponses", 0},
        {"PATCH 104 lies outside the image", 104, true, "Erreur dans le d\xE9" "cryptage des reponses", 0},
        {"PATCH 105 lies outside the image", 105, true, "Erreur dans le d\xE9" "cryptage des codes", 3},
    };
    int number = 0;
    for (const Row& row : rows) {
        TestFolder folder("e2e-damaged-bounds-" + std::to_string(++number));
        std::string program = quizProgramIn(textQuiz(3), folder.path());
        ASSERT_FALSE(program.empty()) << row.name;
        bool damaged = row.moved ? moveResource(program, "PATCH", row.resource, 0x7FFFFF00)
                                 : resizeResource(program, "PATCH", row.resource, 16 * 1024 * 1024);
        ASSERT_TRUE(damaged) << row.name;
        const std::string before = linesOf({"rep1", "rep2", "rep3"});
        ASSERT_TRUE(writeWholeFile(folder.file("quiz.txt"), before));

        PlayerRun run;
        ASSERT_TRUE(run.start(program, folder.path())) << row.name;
        ASSERT_EQ(run.messageBoxes().size(), 1u) << row.name;
        EXPECT_EQ(run.messageBoxes()[0].caption, "Quizz") << row.name;
        EXPECT_EQ(run.messageBoxes()[0].text, row.message) << row.name;
        EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), std::size_t(row.boxes)) << row.name;
        ASSERT_TRUE(run.close()) << row.name;
        EXPECT_EQ(run.exitCode(), 0u) << row.name;
        if (row.boxes == 0) {
            EXPECT_EQ(shown(readWholeFile(folder.file("quiz.txt"))), shown(before)) << row.name;
        }
    }
}

}  // namespace
