// The example quiz whose entries come from a spreadsheet's CSV file
// (examples/departements.csv: semicolons, a byte order mark, quoted fields
// and a line break inside one), built with quizbuild.exe and played.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

namespace {

// The source tree as Windows programs under Wine see it.
const std::string examples = std::string("Z:") + QUIZ_SOURCE_DIR + "/examples";

TEST(SpreadsheetQuiz, TheExampleBuiltFromItsCsvFilePlays)
{
    TestFolder folder("e2e-spreadsheet");
    std::string program = folder.file("departements.exe");
    std::string log = folder.file("build.log");
    std::string command = "\"" + builderProgram() + "\" build \"" + examples + "/departements.json\" -o \"" + program
                          + "\" --player \"" + playerProgram() + "\"";
    ASSERT_EQ(runLogged(command, log, 60000), 0u) << readWholeFile(log);

    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    std::vector<HWND> clues = run.childrenWithId(run.board(), 3000);
    ASSERT_EQ(clues.size(), 17u);
    EXPECT_EQ(run.text(clues[0]), "Ain (01)");
    EXPECT_EQ(run.text(clues[2]), "Ard\xE8" "che (07)");
    // A cell of two lines, and quoted cells holding the separator and quotes.
    EXPECT_EQ(run.text(clues[4]), "Bouches-du-Rh\xF4ne (13)");
    EXPECT_EQ(run.text(clues[8]), "Doubs (25); citadelle de Vauban");
    EXPECT_EQ(run.text(clues[11]), "Haute-Garonne (31), \"la ville rose\"");

    run.setText(run.boardItem(4009), "Besan\xE7on");
    run.postKeyUp(run.boardItem(4009), VK_RETURN);
    EXPECT_EQ(run.boardText(5009), "BRAVO");

    run.setText(run.boardItem(4001), "bourg-en-bresse");
    run.postKeyUp(run.boardItem(4001), VK_RETURN);
    EXPECT_EQ(run.boardText(5001), "BRAVO");
    run.setText(run.boardItem(4005), "Marseile");
    run.postKeyUp(run.boardItem(4005), VK_RETURN);
    EXPECT_NE(run.boardText(5005), "BRAVO");

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
