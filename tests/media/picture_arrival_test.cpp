// A picture quiz's board shows before its pictures have all been decoded:
// what comes later must not undo what the player already sees or typed.
// Answers restored right show their answer pictures even where the question
// picture is still on its way, and closing before the pictures are all in
// keeps every answer, typed or restored, whether its box was made yet or not.
#include "tests/media/board_grid.h"
#include "tests/media/media_driver.h"
#include "tests/media/media_quiz.h"
#include "tests/media/picture_fixtures.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Ninety 800 x 600 photos take seconds to decode, long after the board shows.
constexpr int photoEntries = 90;
// Near the end, so they are decoded after their controls are made: GIFs
// whose header promises a 130 x 130 square, each holding a 130 x 65 image.
const std::map<int, std::string> promisingGifs = {{86, "screen130top.gif"}, {87, "screen130bottom.gif"}};

MediaQuiz photoQuiz()
{
    MediaQuiz quiz = mediaQuiz("picture", photoEntries, {"photo1.jpg", "photo2.jpg", "photo3.jpg"});
    quiz.reveal = "picture";
    for (MediaEntry& entry : quiz.entries)
        entry.revealPicture = "wide200x100.bmp";
    for (const auto& [entry, gif] : promisingGifs)
        quiz.entries[std::size_t(entry - 1)].media = gif;
    return quiz;
}

// The answers file of a one-answer quiz: each entry's line from `typed`, "*" for the others.
std::string answersFile(const std::map<int, std::string>& typed)
{
    std::string file;
    for (int entry = 1; entry <= photoEntries; ++entry) {
        auto found = typed.find(entry);
        file += (found == typed.end() ? std::string("*") : found->second) + "\r\n";
    }
    return file;
}

// Builds the photo quiz in a fresh folder with that answers file beside it.
std::string photoQuizWithAnswers(const std::string& folderName, const std::string& answers, std::string& folder)
{
    folder = freshFolder(folderName);
    std::string problem;
    std::string program = buildMediaQuiz(photoQuiz(), folder, problem);
    if (program.empty() || !writeWholeFile(folder + "\\quiz.txt", answers)) {
        ADD_FAILURE() << "the photo quiz could not be made: " << problem;
        return "";
    }
    return program;
}

TEST(PictureArrival, RestoredRightAnswersShowTheirAnswerPicturesWhereverTheQuestionPictureStands)
{
    // The first entries are in view, so their question pictures are placed
    // before the board shows; the last are built after it shows, while
    // their question pictures are still being decoded.
    const std::map<int, std::string> typed = {{1, "rep1"}, {2, "rep2"}, {45, "rep45"}, {89, "rep89"},
                                              {90, "rep90"}, {3, "rep"}, {88, "Lyon"}};
    const std::string saved = answersFile(typed);
    std::string folder;
    std::string program = photoQuizWithAnswers("media-arrival-restored", saved, folder);
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder));

    for (int entry = 1; entry <= photoEntries; ++entry) {
        SCOPED_TRACE("entry " + std::to_string(entry));
        auto found = typed.find(entry);
        bool solved = found != typed.end() && found->second == "rep" + std::to_string(entry);
        int c = columnX(entry, 1);
        int b = rowBaseY(entry);
        HWND picture = run.boardItem(pictureControlId(entry));
        ASSERT_NE(picture, nullptr);
        EXPECT_NE(shownBitmap(picture), 0);
        // 200 x 100 fitted to 260 x 130 and set 20 pixels from the column;
        // 800 x 600 fitted to 260 x 195 and the GIFs' 130 x 65 to 260 x 130,
        // centred in the square.
        int questionHeight = promisingGifs.count(entry) ? 130 : 195;
        EXPECT_EQ(run.placementIn(picture, run.board()),
                  solved ? (Placement{c + 20, b - 260 + 65, 260, 130})
                         : (Placement{c + 30, b - 260 + (260 - questionHeight) / 2, 260, questionHeight}));
        if (solved) {
            EXPECT_EQ(run.boardText(verdictLabelId(entry)), "BRAVO");
        }
    }
    for (int entry : {1, 45, 90})
        EXPECT_TRUE(showsPicture(run, run.boardItem(pictureControlId(entry)), "wide200x100.bmp")) << "entry " << entry;
    for (const auto& [entry, gif] : promisingGifs)
        EXPECT_TRUE(showsPicture(run, run.boardItem(pictureControlId(entry)), gif)) << "entry " << entry;

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_EQ(readWholeFile(folder + "\\quiz.txt"), saved);
}

TEST(PictureArrival, ClosingAsSoonAsTheBoardShowsKeepsEveryAnswer)
{
    const std::map<int, std::string> restored = {{1, "rep1"}, {2, "Marseille"}, {60, "rep60"}, {90, "Brest"}};
    std::string folder;
    std::string program = photoQuizWithAnswers("media-arrival-close", answersFile(restored), folder);
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder, PlayerRun::Until::Shown));
    // Typed over a restored answer and into an empty box, both in view.
    run.setText(run.boardItem(answerBoxId(2)), "Nice");
    run.setText(run.boardItem(answerBoxId(3)), "Toulon");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);

    std::map<int, std::string> kept = restored;
    kept[2] = "Nice";
    kept[3] = "Toulon";
    EXPECT_EQ(readWholeFile(folder + "\\quiz.txt"), answersFile(kept));
}

}  // namespace
