// The board of a sound quiz: where each entry's play and stop buttons,
// number, answer boxes and verdicts stand, and what the buttons do: the
// sound file written beside the quiz, the MCI window that plays it,
// one sound at a time, and the file gone after stop and after closing.
#include "tests/media/board_grid.h"
#include "tests/media/media_driver.h"
#include "tests/media/media_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <functional>

#include <vfw.h>

namespace {

constexpr const char* soundFile = "quizz.mp3";

LPARAM buttonIcon(HWND button)
{
    DWORD_PTR icon = 0;
    SendMessageTimeoutA(button, BM_GETIMAGE, IMAGE_ICON, 0, SMTO_ABORTIFHUNG, 5000, &icon);
    return LPARAM(icon);
}

void expectMediaButtons(const PlayerRun& run, int entry, int c, int s)
{
    HWND play = run.boardItem(playButtonId(entry));
    HWND stop = run.boardItem(stopButtonId(entry));
    ASSERT_NE(play, nullptr);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(run.placementIn(play, run.board()), (Placement{c + 30, s, 20, 21})) << "play button";
    EXPECT_EQ(run.placementIn(stop, run.board()), (Placement{c + 30, s + 21, 20, 20})) << "stop button";
    EXPECT_NE(buttonIcon(play), 0) << "play button's icon";
    EXPECT_NE(buttonIcon(stop), 0) << "stop button's icon";
}

TEST(SoundBoard, OneAnswerPerEntryStandsThreeToARow)
{
    const int entries = 4;
    PlayerRun run;
    std::string problem;
    std::string folder = freshFolder("media-sound-one");
    // A file of the sound file's name that this run did not write: closing leaves it.
    ASSERT_TRUE(writeWholeFile(folder + "\\" + soundFile, "left over"));
    std::string program = buildMediaQuiz(mediaQuiz("sound", entries, {"tone1.mp3", "tone2.mp3"}), folder, problem);
    ASSERT_FALSE(program.empty()) << problem;
    ASSERT_TRUE(run.start(program, folder));

    for (int entry = 1; entry <= entries; ++entry) {
        SCOPED_TRACE("entry " + std::to_string(entry));
        int c = columnX(entry, 1);
        int s = soundRowY(entry);
        expectMediaButtons(run, entry, c, s);
        HWND number = boardChildReading(run, numberLabelId, std::to_string(entry) + ".");
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(run.placementIn(number, run.board()), (Placement{c + 10, s + 2, 19, 17}));
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + entry), run.board()), (Placement{c + 50, s, 220, 20}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + entry), run.board()), (Placement{c + 50, s + 19, 220, 21}));
        EXPECT_EQ(run.boardText(5000 + entry), "?");
    }
    EXPECT_EQ(run.placementIn(run.boardItem(6004), run.board()).y, 100) << "the second row";
    EXPECT_TRUE(run.childrenWithId(run.board(), headingLabelId).empty());
    EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), std::size_t(entries));
    EXPECT_EQ(run.childrenOfClass(run.board(), "Button").size(), std::size_t(2 * entries));
    EXPECT_EQ(run.boardItem(pictureControlId(1)), nullptr);
    EXPECT_TRUE(soundWindowsOf(run).empty()) << "nothing plays before a play button is pressed";
    EXPECT_TRUE(run.messageBoxes().empty());

    EXPECT_EQ(overlapsListed(run), "");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_EQ(readWholeFile(folder + "\\" + soundFile), "left over");
}

TEST(SoundBoard, TwoAnswersPerEntryHaveHeadingsForEntriesOneAndFour)
{
    const int entries = 4;
    MediaQuiz quiz = mediaQuiz("sound", entries, {"tone1.mp3"}, 2);
    quiz.firstAnswerLabel = "Mot anglais";
    quiz.secondAnswerLabel = "Traduction";
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-sound-two", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;

    const int columns[] = {90, 380, 670, 90};
    for (int entry = 1; entry <= entries; ++entry) {
        SCOPED_TRACE("entry " + std::to_string(entry));
        int c = columns[entry - 1];
        int s = soundRowY(entry);
        expectMediaButtons(run, entry, c, s);
        HWND number = boardChildReading(run, numberLabelId, std::to_string(entry) + ".");
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(run.placementIn(number, run.board()), (Placement{c + 10, s + 2, 19, 17}));
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + 2 * entry - 1), run.board()), (Placement{c + 50, s, 170, 21}));
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + 2 * entry), run.board()), (Placement{c + 50, s + 20, 170, 21}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + 2 * entry - 1), run.board()),
                  (Placement{c + 225, s + 1, 60, 17}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + 2 * entry), run.board()), (Placement{c + 225, s + 21, 60, 17}));
    }

    struct HeadingRow {
        std::string text;
        int y;
    };
    const HeadingRow headingRows[] = {{quiz.firstAnswerLabel, 25},
                                      {quiz.secondAnswerLabel, 45},
                                      {quiz.firstAnswerLabel, 105},
                                      {quiz.secondAnswerLabel, 125}};
    std::vector<HWND> headings = run.childrenWithId(run.board(), headingLabelId);
    EXPECT_EQ(headings.size(), std::size(headingRows));
    for (const HeadingRow& row : headingRows) {
        int found = 0;
        for (HWND heading : headings)
            found +=
                run.text(heading) == row.text && run.placementIn(heading, run.board()) == Placement{3, row.y, 95, 20};
        EXPECT_EQ(found, 1) << "heading \"" << row.text << "\" at (3, " << row.y << ") 95 x 20";
    }

    EXPECT_EQ(overlapsListed(run), "");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

class SoundPlayback : public testing::Test {
protected:
    static constexpr int entries = 5;
    static constexpr int missingSoundEntry = 5;

    void SetUp() override
    {
        MediaQuiz quiz = mediaQuiz("sound", entries, {"tone1.mp3", "tone2.mp3", "tone3.mp3"});
        std::string problem;
        folder = startMediaQuiz(quiz, "media-sound-play", {mediaResourceId(missingSoundEntry)}, run, problem);
        ASSERT_FALSE(folder.empty()) << problem;
    }

    std::string soundPath() const { return folder + "\\" + soundFile; }
    void command(int id) const { run.post(run.board(), WM_COMMAND, WPARAM(id), 0); }
    // The one sound window, once it reports that it plays.
    HWND playingSoundWindow() const
    {
        std::vector<HWND> windows = soundWindowsOf(run);
        if (windows.size() != 1) {
            ADD_FAILURE() << windows.size() << " sound windows";
            return nullptr;
        }
        HWND window = windows.front();
        EXPECT_EQ(GetParent(window), run.board());
        EXPECT_TRUE(waitUntil([window] { return soundWindowMode(window) == MCI_MODE_PLAY; }))
            << "mode " << soundWindowMode(window) << ", not playing (" << MCI_MODE_PLAY << ")";
        return window;
    }

    std::string folder;
    PlayerRun run;
};

TEST_F(SoundPlayback, PlayWritesTheEntrysSoundAndPlaysItInAnMciWindow)
{
    // Stop with nothing playing does nothing.
    command(stopButtonId(1));
    EXPECT_TRUE(soundWindowsOf(run).empty());
    EXPECT_FALSE(fileExists(soundPath()));
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());

    // Only clicks count, and only the quiz's own buttons.
    command(MAKEWPARAM(playButtonId(1), BN_DOUBLECLICKED));
    command(playButtonId(mostEntries + 1));
    EXPECT_TRUE(soundWindowsOf(run).empty());
    EXPECT_FALSE(fileExists(soundPath()));

    // A click on entry 1's play button.
    run.post(run.boardItem(playButtonId(1)), BM_CLICK, 0, 0);
    EXPECT_TRUE(readWholeFile(soundPath()) == mediaFixtureBytes("tone1.mp3")) << "quizz.mp3 is not entry 1's sound";
    HWND first = playingSoundWindow();
    ASSERT_NE(first, nullptr);

    // Entry 3 while entry 1 plays: entry 1's file goes, entry 3's comes,
    // in a new window.
    FolderWatch watch(folder);
    ASSERT_TRUE(watch.watching());
    command(playButtonId(3));
    EXPECT_EQ(watch.changes(), (std::vector<std::string>{std::string("-") + soundFile, std::string("+") + soundFile}));
    EXPECT_TRUE(readWholeFile(soundPath()) == mediaFixtureBytes("tone3.mp3")) << "quizz.mp3 is not entry 3's sound";
    HWND third = playingSoundWindow();
    EXPECT_NE(third, first);
    EXPECT_FALSE(IsWindow(first)) << "entry 1's sound window is still there";

    // Any stop button stops it and removes the file.
    command(stopButtonId(2));
    EXPECT_TRUE(soundWindowsOf(run).empty());
    EXPECT_FALSE(IsWindow(third));
    EXPECT_FALSE(fileExists(soundPath()));

    command(stopButtonId(1));
    EXPECT_TRUE(soundWindowsOf(run).empty());
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST_F(SoundPlayback, ClosingWhileASoundPlaysRemovesItsFile)
{
    command(playButtonId(2));
    EXPECT_TRUE(readWholeFile(soundPath()) == mediaFixtureBytes("tone2.mp3")) << "quizz.mp3 is not entry 2's sound";
    EXPECT_NE(playingSoundWindow(), nullptr);

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_FALSE(fileExists(soundPath()));
}

TEST_F(SoundPlayback, MissingSoundIsReportedAndNothingPlays)
{
    command(playButtonId(1));
    ASSERT_NE(playingSoundWindow(), nullptr);

    command(playButtonId(missingSoundEntry));
    std::vector<ShownMessageBox> shown = answerMessageBoxesOf(run, 3000);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Information");
    EXPECT_EQ(shown[0].text, "Impossible de localiser le fichier audio.");
    // The sound that played is stopped first; nothing replaces it.
    EXPECT_TRUE(soundWindowsOf(run).empty());
    EXPECT_FALSE(fileExists(soundPath()));

    // The other entries still play.
    command(playButtonId(4));
    EXPECT_TRUE(readWholeFile(soundPath()) == mediaFixtureBytes("tone1.mp3")) << "quizz.mp3 is not entry 4's sound";
    EXPECT_NE(playingSoundWindow(), nullptr);

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_FALSE(fileExists(soundPath()));
}

// A sound that has played to its end keeps its window and its file until
// the next play or stop.
TEST(SoundFiles, EndedSoundStaysOpenUntilStopped)
{
    PlayerRun run;
    std::string problem;
    std::string folder =
        startMediaQuiz(mediaQuiz("sound", 2, {"short.mp3", "tone1.mp3"}), "media-sound-ended", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    std::string soundPath = folder + "\\" + soundFile;

    run.post(run.board(), WM_COMMAND, playButtonId(1), 0);
    std::vector<HWND> windows = soundWindowsOf(run);
    ASSERT_EQ(windows.size(), 1u);
    HWND window = windows.front();
    EXPECT_TRUE(waitUntil([window] { return soundWindowMode(window) == MCI_MODE_PLAY; }));
    // One second of sound.
    EXPECT_TRUE(waitUntil([window] { return soundWindowMode(window) == MCI_MODE_STOP; }, 5000))
        << "mode " << soundWindowMode(window) << ", not stopped (" << MCI_MODE_STOP << ")";
    EXPECT_EQ(soundWindowsOf(run), windows);
    EXPECT_TRUE(readWholeFile(soundPath) == mediaFixtureBytes("short.mp3")) << "quizz.mp3 is not entry 1's sound";

    run.post(run.board(), WM_COMMAND, stopButtonId(2), 0);
    EXPECT_TRUE(soundWindowsOf(run).empty());
    EXPECT_FALSE(fileExists(soundPath));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

// Sounds the player cannot hand to the MCI window, each reported in the
// player's words with no dialog of the system's, nothing playing and no file
// of the user's touched: a sound file name a folder holds, a file of that
// name the player did not write (the user's), sounds the MCI cannot read or
// opens and cannot play, and a resource that claims more bytes than the program holds.
TEST(SoundFiles, ASoundThatCannotBeWrittenOrReadIsReportedAndNothingPlays)
{
    const std::string mine = "mes notes, pas un son";
    struct Row {
        std::string name;
        std::string firstSound;
        std::function<bool(const std::string& folder, const std::string& program)> prepare;
        std::string leftInTheFolder;  // what the sound file's name holds after closing; "" for nothing
    };
    std::vector<Row> rows = {
        {"a folder holds the name", "tone1.mp3",
         [](const std::string& folder, const std::string&) {
             return CreateDirectoryA((folder + "\\" + soundFile).c_str(), nullptr) != 0;
         },
         "(folder)"},
        {"the user's file of that name", "tone1.mp3",
         [&mine](const std::string& folder, const std::string&) {
             return writeWholeFile(folder + "\\" + soundFile, mine);
         },
         mine},
        {"a sound the MCI cannot read", "garbage.mp3", [](const std::string&, const std::string&) { return true; }, ""},
        {"a resource claiming 64 MB", "tone1.mp3",
         [](const std::string&, const std::string& program) {
             return resizeResource(program, "IMG", mediaResourceId(1), 64 * 1024 * 1024);
         },
         ""},
    };
    // "ID3" and noise: the MCI refuses some of these, and opens others
    // that stop at once or never start.
    for (std::string sound : {"noise1", "noise2", "noise3", "noise4", "noise5", "noise6"})
        rows.push_back({"", sound + ".mp3", [](const std::string&, const std::string&) { return true; }, ""});
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.empty() ? row.firstSound : row.name);
        std::string folder = freshFolder("media-sound-unloadable-" + std::to_string(++number));
        std::string problem;
        std::string program = buildMediaQuiz(mediaQuiz("sound", 2, {row.firstSound, "tone2.mp3"}), folder, problem);
        ASSERT_FALSE(program.empty()) << problem;
        ASSERT_TRUE(row.prepare(folder, program));
        PlayerRun run;
        ASSERT_TRUE(run.start(program, folder));

        run.post(run.board(), WM_COMMAND, playButtonId(1), 0);
        // Longer than the player gives a sound to get going.
        std::vector<ShownMessageBox> shown = answerMessageBoxesOf(run, 6000);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].caption, "Information");
        EXPECT_EQ(shown[0].text, "Impossible de charger le fichier audio.");
        EXPECT_TRUE(soundWindowsOf(run).empty());
        run.post(run.board(), WM_COMMAND, stopButtonId(1), 0);

        // The next entry still plays.
        run.post(run.board(), WM_COMMAND, playButtonId(2), 0);
        EXPECT_EQ(soundWindowsOf(run).size(), row.leftInTheFolder.empty() ? 1u : 0u);
        answerMessageBoxesOf(run, 500);

        ASSERT_TRUE(run.close());
        EXPECT_EQ(run.exitCode(), 0u);
        std::string path = folder + "\\" + soundFile;
        if (row.leftInTheFolder == "(folder)")
            EXPECT_TRUE(RemoveDirectoryA(path.c_str())) << "the folder is still there";
        else if (row.leftInTheFolder.empty())
            EXPECT_FALSE(fileExists(path));
        else
            EXPECT_EQ(readWholeFile(path), row.leftInTheFolder);
    }
}

// The sound window stays hidden while it plays: MCIWndCreateA shows every
// child window it creates, with a play bar that would sit in the board's
// top-left corner over entry 1.
TEST_F(SoundPlayback, SoundWindowStaysHiddenWhilePlaying)
{
    command(playButtonId(1));
    HWND window = playingSoundWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    // The corner above entry 1 shows the board itself.
    POINT corner = {15, 8};
    MapWindowPoints(run.board(), HWND_DESKTOP, &corner, 1);
    EXPECT_EQ(WindowFromPoint(corner), run.board());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
