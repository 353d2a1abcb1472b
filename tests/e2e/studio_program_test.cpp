// A quiz program the studio saved in the browser, played as a person
// would: the studio's page test leaves the program and what to type in it
// in the folder QUIZ_STUDIO_PLAY names (quiz.exe and steps.txt, whose lines
// are "box TAB typed TAB verdict TAB score TAB code" in Windows-1252), and
// this test types each answer and reads the verdict, the score and the code.
#include "tests/e2e/player_driver.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace {

struct PlayStep {
    int box = 0;
    std::string typed, verdict, score, code;
};

std::vector<PlayStep> stepsIn(const std::string& text)
{
    std::vector<PlayStep> steps;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            fields.push_back(cell);
        if (fields.size() == 5)
            steps.push_back({std::atoi(fields[0].c_str()), fields[1], fields[2], fields[3], fields[4]});
    }
    return steps;
}

TEST(StudioProgram, PlaysAsTyped)
{
    const char* played = std::getenv("QUIZ_STUDIO_PLAY");
    if (!played)
        GTEST_SKIP() << "QUIZ_STUDIO_PLAY is not set: the studio's program test runs this";
    std::vector<PlayStep> steps = stepsIn(readWholeFile(std::string(played) + "\\steps.txt"));
    ASSERT_FALSE(steps.empty()) << "no steps in " << played << "\\steps.txt";
    TestFolder folder("e2e-studio-program");
    std::string program = folder.file("studio.exe");
    ASSERT_TRUE(CopyFileA((std::string(played) + "\\quiz.exe").c_str(), program.c_str(), FALSE));
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    for (const PlayStep& step : steps) {
        HWND box = run.boardItem(4000 + step.box);
        ASSERT_TRUE(box) << "box " << step.box;
        run.setText(box, step.typed);
        run.postKeyUp(box, VK_RETURN);
        EXPECT_EQ(run.boardText(5000 + step.box), step.verdict) << "\"" << step.typed << "\" in box " << step.box;
        EXPECT_EQ(run.headerText(150), step.score) << "after \"" << step.typed << "\" in box " << step.box;
        EXPECT_EQ(run.headerText(157), step.code) << "after \"" << step.typed << "\" in box " << step.box;
    }
    EXPECT_TRUE(run.messageBoxes().empty());
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
