// A class's answers files judged as the player judges what it restores, and
// the table a teacher opens: verdicts stated by hand for right, wrong,
// empty and other quizzes' files, in every encoding the player reads; then
// the command over real files.
#include "tools/builder/commands/command_line.h"
#include "tools/builder/commands/commands.h"
#include "tools/builder/input/owned_quiz.h"
#include "tools/builder/output/class_results.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

// Paris, Athènes (Windows-1252, as the payload holds it), Rome; a code per score.
void capitals(Quiz& quiz)
{
    quiz.answersPerEntry = 1;
    for (const char* answer : {"Paris", "Ath\xE8nes", "Rome"})
        appendEntry(quiz, answer, "", "");
    quiz.entryCount = 3;
    for (int row = 0; row < 3; ++row)
        copyText(quiz.codes[row], std::string(3, char('A' + row)).c_str());
}

// Victor Hugo and Émile Zola, first and last name in two boxes.
void writers(Quiz& quiz)
{
    quiz.answersPerEntry = 2;
    appendEntry(quiz, "Victor", "Hugo", "");
    appendEntry(quiz, "\xC9mile", "Zola", "");
    quiz.entryCount = 2;
    copyText(quiz.codes[0], "K1");
    copyText(quiz.codes[1], "K2");
}

std::string utf16Le(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

const char* const Right = "BRAVO";
const char* const Empty = "?";

TEST(ClassResults, EachFileJudgedAsThePlayerRestoresIt)
{
    struct Row {
        const char* name;
        std::string bytes;
        bool matches;
        std::size_t lines;
        int score;
        std::string code;
        std::vector<std::string> verdicts;
    };
    const Row rows[] = {
        {"all right, Windows-1252", "Paris\r\nAth\xE8nes\r\nRome\r\n", true, 3, 3, "CCC", {Right, Right, Right}},
        {"UTF-8 with its mark, case and spaces, no last line end", "\xEF\xBB\xBF  paris \r\nATH\xC3\xA8NES\r\nrome",
         true, 3, 3, "CCC", {Right, Right, Right}},
        {"UTF-16 with its mark", utf16Le("Paris\r\n*\r\nEmor\r\n"), true, 3, 1, "AAA", {Right, Empty, "Anagramme"}},
        {"lines ended by CR alone", "Paris\rAth\xE8nes\rRomme\r", true, 3, 2, "BBB", {Right, Right, "Quasiment"}},
        {"nothing typed", "*\r\n*\r\n*\r\n", true, 3, 0, "", {Empty, Empty, Empty}},
        {"fewer lines: another quiz", "Paris\r\nAth\xE8nes\r\n", false, 2, 0, "", {}},
        {"more lines: another quiz", "Paris\r\nAth\xE8nes\r\nRome\r\nBerlin\r\n", false, 4, 0, "", {}},
        {"an empty file", "", false, 0, 0, "", {}},
    };
    OwnedQuiz owned;
    capitals(owned.quiz);
    for (const Row& row : rows) {
        PupilResult result = judgeAnswersFile(owned.quiz, "L\xC3\xA9" "a", row.bytes);
        EXPECT_EQ(result.pupil, "L\xC3\xA9" "a") << row.name;
        EXPECT_EQ(result.matches, row.matches) << row.name;
        EXPECT_EQ(result.lineCount, row.lines) << row.name;
        EXPECT_EQ(result.score, row.score) << row.name;
        EXPECT_EQ(result.code, row.code) << row.name;
        EXPECT_EQ(std::vector<std::string>(result.verdicts.begin(), result.verdicts.end()), row.verdicts) << row.name;
    }
}

TEST(ClassResults, AnEntryCountsOnlyWithEveryAnswerRight)
{
    OwnedQuiz owned;
    writers(owned.quiz);
    PupilResult result = judgeAnswersFile(owned.quiz, "Tom", "victor\r\nHUGO\r\n\xC9mile\r\nZolla\r\n");
    EXPECT_EQ(result.score, 1);
    EXPECT_EQ(result.code, "K1");
    EXPECT_EQ(std::vector<std::string>(result.verdicts.begin(), result.verdicts.end()),
              (std::vector<std::string>{Right, Right, Right, "Quasiment"}));
    EXPECT_EQ(result.typed, (std::vector<std::string>{"victor", "HUGO", "\xC9mile", "Zolla"}));
}

TEST(ClassResults, PupilIsTheFileNameWithoutExtension)
{
    const std::pair<std::string, std::string> rows[] = {
        {"classe/L\xC3\xA9" "a.txt", "L\xC3\xA9" "a"},
        {"C:\\classe\\Tom.TXT", "Tom"},
        {"Capitales - Zo\xE9.txt", "Capitales - Zo\xC3\xA9"},  // Windows-1252, as quizbuild.exe gets it
        {"a.b.txt", "a.b"},
        {"sans-extension", "sans-extension"},
        {".txt", ".txt"},
    };
    for (const auto& [path, pupil] : rows)
        EXPECT_EQ(pupilNameOf(path), pupil) << path;
}

TEST(ClassResults, TableForAFrenchSpreadsheet)
{
    OwnedQuiz owned;
    writers(owned.quiz);
    std::vector<PupilResult> pupils = {
        judgeAnswersFile(owned.quiz, "L\xC3\xA9" "a", "Victor\r\nHugo\r\n\xC9mile\r\nZolla\r\n"),
        judgeAnswersFile(owned.quiz, "Dupont; \"Jo\"", "Victor\r\nHugo\r\n*\r\nZola\r\n"),
        judgeAnswersFile(owned.quiz, "Tom", "Victor\r\nHugo\r\n"),
        judgeAnswersFile(owned.quiz, "Zo\xC3\xA9", "x\r\nHugo\r\n*\r\n*\r\n"),
    };
    EXPECT_EQ(classResultsCsv(owned.quiz, pupils),
              "\xEF\xBB\xBF"
              "\xC3\xA9l\xC3\xA8ve;score;code;1.1;1.2;2.1;2.2\r\n"
              "L\xC3\xA9" "a;1;K1;BRAVO;BRAVO;BRAVO;Quasiment\r\n"
              "\"Dupont; \"\"Jo\"\"\";1;K1;BRAVO;BRAVO;?;BRAVO\r\n"
              "Tom;autre quiz : 2 lignes pour 4 cases;;;;;\r\n"
              "Zo\xC3\xA9;0;;FAUX;BRAVO;?;?\r\n"
              "r\xC3\xA9ussite;;;67 %;100 %;33 %;33 %\r\n");
}

TEST(ClassResults, OneAnswerPerEntryNamesColumnsByEntryAndNoMatchLeavesSharesEmpty)
{
    OwnedQuiz owned;
    capitals(owned.quiz);
    std::vector<PupilResult> pupils = {judgeAnswersFile(owned.quiz, "Tom", "Paris\r\n")};
    EXPECT_EQ(classResultsCsv(owned.quiz, pupils), "\xEF\xBB\xBF"
                                                   "\xC3\xA9l\xC3\xA8ve;score;code;1;2;3\r\n"
                                                   "Tom;autre quiz : 1 ligne pour 3 cases;;;;\r\n"
                                                   "r\xC3\xA9ussite;;;;;\r\n");
}

// The command over real files in a folder of its own.
struct Folder {
    std::string path;
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "class-results-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~Folder() { fs::remove_all(path); }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path + "/" + name, std::ios::binary) << bytes;
        return path + "/" + name;
    }
    std::string read(const std::string& name) const
    {
        std::ostringstream bytes;
        bytes << std::ifstream(path + "/" + name, std::ios::binary).rdbuf();
        return bytes.str();
    }
};

struct Ran {
    int status;
    std::string out, err;
};

Ran results(const std::vector<std::string>& arguments)
{
    CommandLine line = parseCommandLine(arguments);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = runResults(line);
    std::string err = testing::internal::GetCapturedStderr();
    return {status, testing::internal::GetCapturedStdout(), err};
}

constexpr const char* capitalsJson =
    "{\"kind\": \"text\", \"title\": \"Capitales\", \"entries\": [{\"clue\": \"France\", \"answers\": [\"Paris\"]},"
    " {\"clue\": \"Gr\xC3\xA8" "ce\", \"answers\": [\"Ath\xC3\xA8nes\"]}], \"codes\": [\"UN\", \"DEUX\"]}";

TEST(ResultsCommand, WritesTheTableAndNamesFilesOfAnotherQuiz)
{
    Folder folder;
    std::string quiz = folder.write("quiz.json", capitalsJson);
    std::string lea = folder.write("L\xC3\xA9" "a.txt", "Paris\r\nAth\xE8nes\r\n");
    std::string tom = folder.write("Tom.txt", "Paris\r\n*\r\n*\r\n");
    Ran ran = results({"results", quiz, lea, tom, "-o", folder.path + "/classe.csv"});
    EXPECT_EQ(ran.status, exitSuccess) << ran.err;
    EXPECT_EQ(ran.out, folder.path + "/classe.csv: 2 answers files, 1 judged\n");
    EXPECT_EQ(ran.err, tom + ": warning: 3 lines, the quiz has 2 answer boxes; listed as another quiz's answers, not judged\n");
    EXPECT_EQ(folder.read("classe.csv"), "\xEF\xBB\xBF"
                                         "\xC3\xA9l\xC3\xA8ve;score;code;1;2\r\n"
                                         "L\xC3\xA9" "a;2;DEUX;BRAVO;BRAVO\r\n"
                                         "Tom;autre quiz : 3 lignes pour 2 cases;;;\r\n"
                                         "r\xC3\xA9ussite;;;100 %;100 %\r\n");
}

TEST(ResultsCommand, RefusesWithoutWritingAndLosesNothing)
{
    struct Row {
        const char* name;
        std::vector<std::string> answers;  // in the folder; "OUT" is the output itself
        std::string err;                   // after the folder's path and "/"
    };
    const Row rows[] = {
        {"a missing answers file", {"Tom.txt", "absent.txt"}, "absent.txt: not found\n"},
        {"the output is an answers file", {"Tom.txt", "OUT"},
         "classe.csv: is an answers file itself, which the output would replace; name another output\n"},
    };
    for (const Row& row : rows) {
        Folder folder;
        std::string quiz = folder.write("quiz.json", capitalsJson);
        folder.write("Tom.txt", "Paris\r\n*\r\n");
        std::vector<std::string> arguments = {"results", quiz};
        for (const std::string& name : row.answers)
            arguments.push_back(folder.path + "/" + (name == "OUT" ? "classe.csv" : name));
        if (row.answers.back() == "OUT")
            folder.write("classe.csv", "Paris\r\n*\r\n");
        arguments.insert(arguments.end(), {"-o", folder.path + "/classe.csv"});
        Ran ran = results(arguments);
        EXPECT_EQ(ran.status, exitBadInput) << row.name;
        EXPECT_NE(ran.err.find(folder.path + "/" + row.err), std::string::npos) << row.name << ": " << ran.err;
        EXPECT_EQ(folder.read("classe.csv"), row.answers.back() == "OUT" ? "Paris\r\n*\r\n" : "") << row.name;
    }
}

}  // namespace
