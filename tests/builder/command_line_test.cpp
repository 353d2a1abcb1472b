#include "tools/builder/commands/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(CommandLine, FitPicturesForTheCommandsThatWriteAQuiz)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"build", "q.json", "-o", "o.exe", "--fit-pictures"}, ""},
        {{"html", "--fit-pictures", "q.json", "-o", "o.html"}, ""},
        {{"scorm", "q.json", "-o", "o.zip", "--fit-pictures"}, ""},
        {{"check", "q.json", "--fit-pictures"}, "unknown option --fit-pictures"},
        {{"extract", "q.exe", "-o", "d", "--fit-pictures"}, "unknown option --fit-pictures"},
    };
    for (const auto& [arguments, error] : rows) {
        CommandLine line = parseCommandLine(arguments);
        EXPECT_EQ(line.error, error) << arguments[0];
        EXPECT_EQ(line.fitPictures, error.empty()) << arguments[0];
    }
    EXPECT_FALSE(parseCommandLine({"build", "q.json", "-o", "o.exe"}).fitPictures);
}

TEST(CommandLine, EveryCommandAndItsUsageProblems)
{
    struct Row {
        std::vector<std::string> arguments;
        Command command;
        std::string input, output, player;
        bool strict, help;
        std::string error;
    };
    const Row rows[] = {
        {{"build", "q.json", "-o", "out.exe"}, Command::Build, "q.json", "out.exe", "", false, false, ""},
        {{"build", "-o", "out.exe", "--strict", "q.json", "--player", "p.exe"},
         Command::Build, "q.json", "out.exe", "p.exe", true, false, ""},
        {{"check", "q.json", "--strict"}, Command::Check, "q.json", "", "", true, false, ""},
        {{"extract", "q.exe", "-o", "dir"}, Command::Extract, "q.exe", "dir", "", false, false, ""},
        {{"pack", "in", "out"}, Command::Pack, "in", "out", "", false, false, ""},
        {{"unpack", "in", "out"}, Command::Unpack, "in", "out", "", false, false, ""},
        {{"build", "--help"}, Command::Build, "", "", "", false, true, ""},
        {{"extract", "x", "-h"}, Command::Extract, "", "", "", false, true, ""},
        {{"--help"}, Command::None, "", "", "", false, true, ""},
        {{}, Command::None, "", "", "", false, false, "missing command"},
        {{"bild", "q.json"}, Command::None, "", "", "", false, false, "unknown command bild"},
        {{"build", "q.json"}, Command::Build, "q.json", "", "", false, false, "missing -o OUT.exe"},
        {{"extract", "q.exe"}, Command::Extract, "q.exe", "", "", false, false, "missing -o DIR"},
        {{"build", "q.json", "-o"}, Command::Build, "", "", "", false, false, "-o needs a file name"},
        {{"build", "q.json", "-o", "o.exe", "--player"}, Command::Build, "", "o.exe", "", false, false,
         "--player needs a file name"},
        {{"build", "a.json", "b.json", "-o", "o.exe"}, Command::Build, "", "o.exe", "", false, false,
         "too many file names"},
        {{"pack", "in"}, Command::Pack, "", "", "", false, false, "missing file name"},
        {{"check", "q.json", "--strikt"}, Command::Check, "", "", "", false, false, "unknown option --strikt"},
        {{"extract", "q.exe", "-o", "d", "--strict"}, Command::Extract, "", "d", "", false, false,
         "unknown option --strict"},
        {{"check", "q.json", "--player", "p.exe"}, Command::Check, "", "", "", false, false,
         "unknown option --player"},
        {{"pack", "-o", "x", "y"}, Command::Pack, "", "", "", false, false, "unknown option -o"},
    };
    for (const Row& row : rows) {
        std::string context;
        for (const std::string& argument : row.arguments)
            context += argument + " ";
        CommandLine line = parseCommandLine(row.arguments);
        EXPECT_EQ(line.command, row.command) << context;
        EXPECT_EQ(line.error, row.error) << context;
        EXPECT_EQ(line.help, row.help) << context;
        EXPECT_EQ(line.strict, row.strict) << context;
        EXPECT_EQ(line.player, row.player) << context;
        if (row.error.empty()) {
            EXPECT_EQ(line.input, row.input) << context;
            EXPECT_EQ(line.output, row.output) << context;
        }
    }
}

TEST(CommandLine, ResultsTakesTheQuizThenEveryAnswersFile)
{
    struct Row {
        std::vector<std::string> arguments;
        std::string input;
        std::vector<std::string> answers;
        std::string output, error;
    };
    const Row rows[] = {
        {{"results", "q.json", "a.txt", "b.txt", "-o", "c.csv"}, "q.json", {"a.txt", "b.txt"}, "c.csv", ""},
        {{"results", "-o", "c.csv", "q.exe", "a.txt"}, "q.exe", {"a.txt"}, "c.csv", ""},
        {{"results", "q.json", "-o", "c.csv"}, "", {}, "", "missing answers files"},
        {{"results", "-o", "c.csv"}, "", {}, "", "missing file name"},
        {{"results", "q.json", "a.txt"}, "q.json", {"a.txt"}, "", "missing -o OUT.csv"},
        {{"results", "q.json", "a.txt", "-o", "c.csv", "--strict"}, "", {}, "", "unknown option --strict"},
    };
    for (const Row& row : rows) {
        CommandLine line = parseCommandLine(row.arguments);
        EXPECT_EQ(line.command, Command::Results) << row.arguments.size();
        EXPECT_EQ(line.error, row.error) << row.arguments.size();
        if (row.error.empty()) {
            EXPECT_EQ(line.input, row.input);
            EXPECT_EQ(line.answers, row.answers);
            EXPECT_EQ(line.output, row.output);
        }
    }
}

}  // namespace
