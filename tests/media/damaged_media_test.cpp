// Programs whose resources claim more than they hold, and pictures that
// state sizes no board needs: the player starts as usual and shows what it
// can, and a picture that is not all there counts as one that cannot be
// decoded (sounds: sound_board_test.cpp).
#include "tests/e2e/player_driver.h"
#include "tests/media/board_grid.h"
#include "tests/media/media_driver.h"
#include "tests/media/media_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

bool systemLoads(const std::string& program, const std::string& folder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!startProcess("\"" + program + "\"", folder.c_str(), startup, process, CREATE_SUSPENDED))
        return false;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

struct DamageRow {
    const char* name;
    std::function<bool(const std::string& program)> damage;
    bool othersWhole;  // a cut file may lose the pictures stored after entry 1's too
};

TEST(DamagedMedia, APictureThatIsNotAllThereOrTooLargeShowsNothingAndTheRestPlays)
{
    const DamageRow rows[] = {
        {"IMG 401 claims 16 MB", [](const std::string& program) {
             return resizeResource(program, "IMG", mediaResourceId(1), 16 * 1024 * 1024);
         }, true},
        {"IMG 401 lies outside the image", [](const std::string& program) {
             return moveResource(program, "IMG", mediaResourceId(1), 0x7FFF0000);
         }, true},
        {"the program is cut inside IMG 401", [](const std::string& program) {
             std::size_t at = resourceDataOffset(program, "IMG", mediaResourceId(1));
             std::string bytes = readWholeFile(program);
             return at > 0 && at + 100 < bytes.size() && writeWholeFile(program, bytes.substr(0, at + 100));
         }, false},
        {"IMG 401 states 20000 x 20000", [](const std::string& program) {
             std::string huge = mediaFixtureBytes("huge20000.jpg");
             return writeResources(program, {{"IMG", mediaResourceId(1), std::vector<uint8_t>(huge.begin(), huge.end())}});
         }, true},
    };
    int number = 0;
    for (const DamageRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string folder = freshFolder("media-damaged-" + std::to_string(++number));
        std::string problem;
        MediaQuiz quiz = mediaQuiz("picture", 3, {"fill260.bmp"});
        std::string program = buildMediaQuiz(quiz, folder, problem);
        ASSERT_FALSE(program.empty()) << problem;
        ASSERT_TRUE(row.damage(program));
        // The system itself may refuse to load a cut program (64-bit Wine
        // does); then no code of the player ever runs.
        if (!row.othersWhole && !systemLoads(program, folder)) {
            std::printf("%s: the system refuses to load it\n", row.name);
            continue;
        }

        PlayerRun run;
        double start = secondsNow();
        ASSERT_TRUE(run.start(program, folder));
        double seconds = secondsNow() - start;
        EXPECT_LT(seconds, 10.0) << "start-up took " << seconds << " s";
        EXPECT_TRUE(run.messageBoxes().empty());
        HWND damaged = run.boardItem(pictureControlId(1));
        ASSERT_NE(damaged, nullptr);
        EXPECT_EQ(shownBitmap(damaged), 0);
        EXPECT_EQ(run.placementIn(damaged, run.board()), (Placement{30, 20, 260, 260}));
        if (row.othersWhole) {
            EXPECT_NE(shownBitmap(run.boardItem(pictureControlId(2))), 0);
        }
        EXPECT_EQ(run.boardText(verdictLabelId(1)), "?");
        ASSERT_TRUE(run.close());
        EXPECT_EQ(run.exitCode(), 0u);
    }
}

}  // namespace
