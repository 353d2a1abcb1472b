// The board of a video quiz: where each entry's frame, play and stop
// buttons, number and answer controls stand; the clip files the player
// writes beside the quiz and removes again; a clip that is missing; and
// start-up without the hosting library "atl.dll".
//
// Wine's media-player control draws frames in a window of its own and
// reports no play state, so what plays is not checked here, only what the
// player does with its files, windows and messages.
#include "tests/e2e/test_quiz.h"
#include "tests/media/board_grid.h"
#include "tests/media/media_driver.h"
#include "tests/media/media_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD exitTimeoutMs = 20000;

// A program name of this test run's own: DLL overrides are set per program
// name for the whole prefix, which other runs may share at the same time.
std::string programNamed(const std::string& name)
{
    return name + "-" + std::to_string(GetCurrentProcessId()) + ".exe";
}

std::string clipPath(const std::string& folder, int entry)
{
    return folder + "\\quizz" + std::to_string(entry) + ".avi";
}

std::string listed(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += " " + name;
    return list.empty() ? " none" : list;
}

// Frame, buttons and number of entry i around the row base b and column c.
void expectVideoEntry(const PlayerRun& run, int entry, int c, int b)
{
    EXPECT_EQ(run.placementIn(run.boardItem(videoFrameId(entry)), run.board()), (Placement{c + 15, b - 250, 200, 150}))
        << "video frame";
    EXPECT_EQ(run.placementIn(run.boardItem(playButtonId(entry)), run.board()), (Placement{c + 15, b - 40, 20, 20}))
        << "play button";
    EXPECT_EQ(run.placementIn(run.boardItem(stopButtonId(entry)), run.board()), (Placement{c + 15, b - 20, 20, 20}))
        << "stop button";
    HWND number = boardChildReading(run, numberLabelId, std::to_string(entry) + ".");
    ASSERT_NE(number, nullptr) << "number label";
    EXPECT_EQ(run.placementIn(number, run.board()), (Placement{c - 10, b - 36, 19, 17})) << "number label";
}

TEST(VideoBoard, OneAnswerPerEntryStandsUnderItsFrame)
{
    const int entries = 4;
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(mediaQuiz("video", entries, {"clip1.avi", "clip2.avi", "clip3.avi"}),
                                        "media-video-one", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;

    for (int entry = 1; entry <= entries; ++entry) {
        SCOPED_TRACE("entry " + std::to_string(entry));
        int c = columnX(entry, 1);
        int b = rowBaseY(entry);
        expectVideoEntry(run, entry, c, b);
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + entry), run.board()), (Placement{c + 35, b - 40, 230, 20}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + entry), run.board()), (Placement{c + 35, b - 21, 230, 21}));
    }
    // Entry 1's number stands partly left of the board's edge.
    EXPECT_EQ(run.placementIn(boardChildReading(run, numberLabelId, "1."), run.board()).x, -10);
    EXPECT_TRUE(run.childrenWithId(run.board(), headingLabelId).empty());
    EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), std::size_t(entries));
    EXPECT_TRUE(run.messageBoxes().empty());

    EXPECT_EQ(overlapsListed(run), "");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(VideoBoard, TwoAnswersPerEntryHaveHeadingsLevelWithTheirBoxes)
{
    const int entries = 4;
    MediaQuiz quiz = mediaQuiz("video", entries, {"clip1.avi"}, 2);
    quiz.firstAnswerLabel = "Couleur";
    quiz.secondAnswerLabel = "Note entendue";
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-video-two", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;

    const int columns[] = {90, 380, 670, 90};
    for (int entry = 1; entry <= entries; ++entry) {
        SCOPED_TRACE("entry " + std::to_string(entry));
        int c = columns[entry - 1];
        int b = rowBaseY(entry);
        expectVideoEntry(run, entry, c, b);
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + 2 * entry - 1), run.board()),
                  (Placement{c + 35, b - 40, 180, 21}));
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + 2 * entry), run.board()), (Placement{c + 35, b - 20, 180, 21}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + 2 * entry - 1), run.board()),
                  (Placement{c + 220, b - 39, 60, 17}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + 2 * entry), run.board()), (Placement{c + 220, b - 19, 60, 17}));
    }

    std::vector<HWND> headings = run.childrenWithId(run.board(), headingLabelId);
    EXPECT_EQ(headings.size(), 4u);
    for (int entry : {1, 4}) {
        int b = rowBaseY(entry);
        for (const auto& [text, y] :
             {std::pair{quiz.firstAnswerLabel, b - 38}, std::pair{quiz.secondAnswerLabel, b - 18}}) {
            int found = 0;
            for (HWND heading : headings)
                found += run.text(heading) == text && run.placementIn(heading, run.board()) == Placement{3, y, 75, 20};
            EXPECT_EQ(found, 1) << "heading \"" << text << "\" at (3, " << y << ") 75 x 20";
        }
    }

    EXPECT_EQ(overlapsListed(run), "");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(VideoClips, SetUpRemovesEachClipAndPlayWritesItAgainUntilExit)
{
    const int entries = 3;
    std::string folder = freshFolder("media-video-clips");
    std::string problem;
    std::string program =
        buildMediaQuiz(mediaQuiz("video", entries, {"clip1.avi", "clip2.avi", "clip3.avi"}), folder, problem);
    ASSERT_FALSE(program.empty()) << problem;
    FolderWatch watch(folder);
    ASSERT_TRUE(watch.watching());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder));

    // Each clip was written for its player and removed right after.
    EXPECT_TRUE(filesMatching(folder, "quizz*.avi").empty())
        << "left after start-up:" << listed(filesMatching(folder, "quizz*.avi"));
    std::vector<std::string> clipChanges;
    for (const std::string& change : watch.changes())
        if (change.find("quizz") == 1)
            clipChanges.push_back(change);
    EXPECT_EQ(clipChanges, (std::vector<std::string>{"+quizz1.avi", "-quizz1.avi", "+quizz2.avi", "-quizz2.avi",
                                                     "+quizz3.avi", "-quizz3.avi"}));

    run.post(run.boardItem(playButtonId(1)), BM_CLICK, 0, 0);
    EXPECT_TRUE(readWholeFile(clipPath(folder, 1)) == mediaFixtureBytes("clip1.avi"))
        << "quizz1.avi is not entry 1's clip";
    EXPECT_EQ(filesMatching(folder, "quizz*.avi"), std::vector<std::string>{"quizz1.avi"});

    run.post(run.board(), WM_COMMAND, playButtonId(3), 0);
    EXPECT_TRUE(readWholeFile(clipPath(folder, 3)) == mediaFixtureBytes("clip3.avi"))
        << "quizz3.avi is not entry 3's clip";

    // Stopping leaves the files; only the end of the program removes them.
    run.post(run.board(), WM_COMMAND, stopButtonId(2), 0);
    EXPECT_TRUE(fileExists(clipPath(folder, 1)));
    EXPECT_TRUE(fileExists(clipPath(folder, 3)));
    EXPECT_FALSE(fileExists(clipPath(folder, 2)));
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_TRUE(filesMatching(folder, "quizz*.avi").empty())
        << "left after exit:" << listed(filesMatching(folder, "quizz*.avi"));
    EXPECT_FALSE(fileExists(folder + "\\quizz.mp3"));
}

TEST(VideoClips, MissingClipIsReportedAtStartUpAndAtEveryPlay)
{
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(mediaQuiz("video", 2, {"clip1.avi", "clip2.avi"}), "media-video-missing",
                                        {mediaResourceId(2)}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    const std::string missing = "Impossible de localiser le fichier vid\xE9o.";
    ASSERT_EQ(run.messageBoxes().size(), 1u);
    EXPECT_EQ(run.messageBoxes()[0].caption, "Information");
    EXPECT_EQ(run.messageBoxes()[0].text, missing);

    // The entry is otherwise complete.
    int b = rowBaseY(2);
    expectVideoEntry(run, 2, 290, b);
    EXPECT_EQ(run.placementIn(run.boardItem(4002), run.board()), (Placement{325, b - 40, 230, 20}));
    EXPECT_EQ(run.boardText(5002), "?");

    run.post(run.board(), WM_COMMAND, playButtonId(2), 0);
    std::vector<ShownMessageBox> shown = answerMessageBoxesOf(run, 3000);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Information");
    EXPECT_EQ(shown[0].text, missing);
    EXPECT_FALSE(fileExists(clipPath(folder, 2)));

    // The other entry still plays.
    run.post(run.board(), WM_COMMAND, playButtonId(1), 0);
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());
    EXPECT_TRUE(readWholeFile(clipPath(folder, 1)) == mediaFixtureBytes("clip1.avi"))
        << "quizz1.avi is not entry 1's clip";

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_TRUE(filesMatching(folder, "quizz*.avi").empty());
}

// A file named like a clip file that the player did not write is the
// user's: set-up and play do not write over it and the end of the program
// does not delete it.
TEST(VideoClips, AUsersFileOfAClipFilesNameIsNeverTouched)
{
    std::string folder = freshFolder("media-video-users-file");
    std::string problem;
    std::string program = buildMediaQuiz(mediaQuiz("video", 2, {"clip1.avi", "clip2.avi"}), folder, problem);
    ASSERT_FALSE(program.empty()) << problem;
    const std::string mine = "mon film, pas celui du quiz";
    ASSERT_TRUE(writeWholeFile(clipPath(folder, 1), mine));
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder));
    ASSERT_EQ(run.messageBoxes().size(), 1u);
    EXPECT_EQ(run.messageBoxes()[0].text, "Impossible de charger le fichier vid\xE9o.");
    EXPECT_EQ(readWholeFile(clipPath(folder, 1)), mine);

    run.post(run.board(), WM_COMMAND, playButtonId(1), 0);
    std::vector<ShownMessageBox> shown = answerMessageBoxesOf(run, 3000);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Impossible de charger le fichier vid\xE9o.");
    EXPECT_EQ(readWholeFile(clipPath(folder, 1)), mine);
    run.post(run.board(), WM_COMMAND, playButtonId(2), 0);
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_EQ(readWholeFile(clipPath(folder, 1)), mine);
    EXPECT_FALSE(fileExists(clipPath(folder, 2)));
}

// A clip file that cannot be written (here a folder holds its name) is
// reported like a clip that cannot be loaded, at set-up and at play.
TEST(VideoClips, UnwritableClipFileIsReportedAtSetUpAndAtPlay)
{
    std::string folder = freshFolder("media-video-unwritable");
    std::string problem;
    std::string program = buildMediaQuiz(mediaQuiz("video", 2, {"clip1.avi", "clip2.avi"}), folder, problem);
    ASSERT_FALSE(program.empty()) << problem;
    std::string blocked = clipPath(folder, 2);
    CreateDirectoryA(blocked.c_str(), nullptr);
    ASSERT_TRUE(GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder));
    const std::string notLoadable = "Impossible de charger le fichier vid\xE9o.";
    ASSERT_EQ(run.messageBoxes().size(), 1u);
    EXPECT_EQ(run.messageBoxes()[0].caption, "Information");
    EXPECT_EQ(run.messageBoxes()[0].text, notLoadable);
    EXPECT_EQ(run.boardText(5002), "?") << "entry 2 is otherwise complete";

    run.post(run.board(), WM_COMMAND, playButtonId(2), 0);
    std::vector<ShownMessageBox> shown = answerMessageBoxesOf(run, 3000);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, notLoadable);

    run.post(run.board(), WM_COMMAND, playButtonId(1), 0);
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());
    EXPECT_TRUE(readWholeFile(clipPath(folder, 1)) == mediaFixtureBytes("clip1.avi"))
        << "quizz1.avi is not entry 1's clip";

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_FALSE(fileExists(clipPath(folder, 1)));
    RemoveDirectoryA(blocked.c_str());
}

TEST(VideoStartUp, WithoutAtlAVideoQuizEndsWithCodeOneAndShowsNothing)
{
    const std::string exeName = programNamed("video-without-atl");
    std::string folder = freshFolder("media-video-no-atl");
    std::string problem;
    std::string program = buildMediaQuiz(mediaQuiz("video", 2, {"clip1.avi"}), folder, problem, exeName);
    ASSERT_FALSE(program.empty()) << problem;

    ScopedDllOverride withoutAtl(exeName, "atl", "");
    ASSERT_TRUE(withoutAtl.set());
    WatchedRun run = watchRun(program, folder, exitTimeoutMs);
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.ended) << "still running with " << run.visibleWindows << " windows shown";
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.visibleWindows, 0);
    EXPECT_TRUE(filesMatching(folder, "quizz*.avi").empty());
}

TEST(VideoStartUp, WithoutAtlATextQuizRuns)
{
    const std::string exeName = programNamed("text-without-atl");
    std::string folder = freshFolder("media-text-no-atl");
    std::string program = quizProgramIn(textQuiz(3), folder, exeName);
    ASSERT_FALSE(program.empty());

    ScopedDllOverride withoutAtl(exeName, "atl", "");
    ASSERT_TRUE(withoutAtl.set());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder));
    EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), 3u);
    EXPECT_TRUE(run.messageBoxes().empty());
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

// Without the media player the first video player cannot be created: the
// board stops there, with entry 1's buttons and frame only, the buttons do
// nothing, and the answers saved by an earlier run stay in the answers
// file, one line per declared box. The player's DLL is disabled for this
// program; Wine's COM then starts a surrogate host (dllhost.exe) to serve
// the player from another process, so the proxy DLL through which this
// program would reach it there is disabled too, and the surrogate, which
// outlives the program, is ended with the test.
TEST(VideoStartUp, WithoutTheMediaPlayerTheBoardStopsAtTheFirstEntry)
{
    const std::string exeName = programNamed("video-without-player");
    std::string folder = freshFolder("media-video-no-player");
    std::string problem;
    std::string program = buildMediaQuiz(mediaQuiz("video", 3, {"clip1.avi"}, 2), folder, problem, exeName);
    ASSERT_FALSE(program.empty()) << problem;
    const std::string saved = "rouge\r\nla\r\nvert\r\n*\r\nbleu\r\nmi\r\n";
    std::string answersFile = folder + "\\" + exeName.substr(0, exeName.size() - 3) + "txt";
    ASSERT_TRUE(writeWholeFile(answersFile, saved));

    ScopedDllOverride withoutPlayer(exeName, "wmp", "");
    ScopedDllOverride withoutProxies(exeName, "actxprxy", "");
    ASSERT_TRUE(withoutPlayer.set());
    ASSERT_TRUE(withoutProxies.set());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder));
    EndsProcessesStartedBy surrogates(processOf(run.mainWindow()), "dllhost.exe");
    EXPECT_TRUE(run.messageBoxes().empty());
    EXPECT_NE(run.boardItem(playButtonId(1)), nullptr);
    EXPECT_NE(run.boardItem(stopButtonId(1)), nullptr);
    EXPECT_NE(run.boardItem(videoFrameId(1)), nullptr);
    EXPECT_TRUE(run.childrenWithId(run.board(), numberLabelId).empty());
    EXPECT_TRUE(run.childrenOfClass(run.board(), "Edit").empty());
    EXPECT_EQ(run.boardItem(playButtonId(2)), nullptr);
    EXPECT_EQ(run.boardItem(videoFrameId(2)), nullptr);

    run.post(run.board(), WM_COMMAND, playButtonId(1), 0);
    run.post(run.board(), WM_COMMAND, stopButtonId(1), 0);
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());
    EXPECT_TRUE(filesMatching(folder, "quizz*.avi").empty());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_EQ(readWholeFile(answersFile), saved);
}

}  // namespace
