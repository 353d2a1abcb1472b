// What a picture quiz reveals once an entry is solved: its answer picture
// in place of the question picture, or its answer text under the picture,
// only when every box of the entry holds exactly the stored answer.
#include "tests/media/board_grid.h"
#include "tests/media/media_driver.h"
#include "tests/media/media_quiz.h"
#include "tests/media/picture_fixtures.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

namespace {

// Types into a box and has it judged by a posted Enter release.
void answer(const PlayerRun& run, int boxId, const std::string& text)
{
    run.setText(run.boardItem(boxId), text);
    run.postKeyUp(run.boardItem(boxId), VK_RETURN);
}

Placement pictureAt(const PlayerRun& run, int entry)
{
    return run.placementIn(run.boardItem(pictureControlId(entry)), run.board());
}

HWND picture(const PlayerRun& run, int entry)
{
    return run.boardItem(pictureControlId(entry));
}

MediaEntry pictureEntry(std::vector<std::string> answers, const char* media, const char* revealPicture)
{
    MediaEntry entry;
    entry.answers = std::move(answers);
    entry.media = media;
    entry.revealPicture = revealPicture;
    return entry;
}

TEST(PictureReveal, AnswerPictureTakesThePlaceOfTheQuestionOnlyOnTheExactAnswer)
{
    MediaQuiz quiz;
    quiz.kind = "picture";
    quiz.reveal = "picture";
    quiz.entries = {pictureEntry({"Paris"}, "fill260.bmp", "wide200x100.bmp"),
                    pictureEntry({"Rome"}, "wide520x260.jpg", "tall100x200.gif"),
                    // Its answer picture is removed below.
                    pictureEntry({"Oslo"}, "square520.gif", "wide200x100.bmp")};
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-reveal-picture", {answerPictureResourceId(3)}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    ASSERT_EQ(pictureAt(run, 1), (Placement{30, 20, 260, 260}));
    LPARAM question = shownBitmap(picture(run, 1));
    EXPECT_NE(question, 0);

    // Right by the verdict, which folds case, but not the stored text.
    answer(run, 4001, "PARIS");
    EXPECT_EQ(run.boardText(5001), "BRAVO");
    EXPECT_EQ(pictureAt(run, 1), (Placement{30, 20, 260, 260}));
    EXPECT_EQ(shownBitmap(picture(run, 1)), question);
    EXPECT_TRUE(showsPicture(run, picture(run, 1), "fill260.bmp"));

    // 200 x 100 is fitted to 260 x 130 and centred 20 pixels from the column.
    answer(run, 4001, "Paris");
    EXPECT_EQ(run.boardText(5001), "BRAVO");
    EXPECT_EQ(pictureAt(run, 1), (Placement{20, 20 + 65, 260, 130}));
    EXPECT_NE(shownBitmap(picture(run, 1)), 0);
    EXPECT_TRUE(showsPicture(run, picture(run, 1), "wide200x100.bmp"));
    EXPECT_EQ(pictureAt(run, 2), (Placement{320, 85, 260, 130})) << "the next entry's picture";

    // Once shown, the answer picture stays whatever is typed later.
    answer(run, 4001, "Lyon");
    EXPECT_EQ(run.boardText(5001), "FAUX");
    EXPECT_EQ(pictureAt(run, 1), (Placement{20, 85, 260, 130}));
    EXPECT_TRUE(showsPicture(run, picture(run, 1), "wide200x100.bmp"));

    // 100 x 200 is fitted to 130 x 260.
    answer(run, 4002, "Rome");
    EXPECT_EQ(run.boardText(5002), "BRAVO");
    EXPECT_EQ(pictureAt(run, 2), (Placement{290 + 20 + 65, 20, 130, 260}));
    EXPECT_TRUE(showsPicture(run, picture(run, 2), "tall100x200.gif"));

    // No answer picture: the question picture stays as it was.
    LPARAM third = shownBitmap(picture(run, 3));
    answer(run, 4003, "Oslo");
    EXPECT_EQ(run.boardText(5003), "BRAVO");
    EXPECT_EQ(pictureAt(run, 3), (Placement{610, 20, 260, 260}));
    EXPECT_EQ(shownBitmap(picture(run, 3)), third);
    EXPECT_TRUE(showsPicture(run, picture(run, 3), "square520.gif"));
    EXPECT_TRUE(answerMessageBoxesOf(run, 0).empty());

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

// Far down the board the answer picture takes its place in the content,
// wherever the board has been scrolled to.
TEST(PictureReveal, AnswerPictureFarDownStandsInItsSquareOnTheScrolledBoard)
{
    MediaQuiz quiz = mediaQuiz("picture", 12, {"fill260.bmp"});
    quiz.reveal = "picture";
    for (MediaEntry& entry : quiz.entries)
        entry.revealPicture = "wide200x100.bmp";
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-reveal-scrolled", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    const int entry = 11;
    ASSERT_TRUE(scrollIntoView(run, run.boardItem(answerBoxId(entry))));
    answer(run, answerBoxId(entry), "rep11");
    EXPECT_EQ(run.boardText(verdictLabelId(entry)), "BRAVO");

    // How far the board is scrolled, read from the entry's box, which
    // stands 30 right of its column and 10 below its row's base.
    int c = columnX(entry, 1);
    int b = rowBaseY(entry);
    Placement box = run.placementIn(run.boardItem(answerBoxId(entry)), run.board());
    int dx = box.x - (c + 30);
    int dy = box.y - (b + 10);
    EXPECT_LT(dy, 0) << "the board is scrolled down";
    EXPECT_EQ(pictureAt(run, entry), (Placement{c + 20 + dx, b - 260 + 65 + dy, 260, 130}));
    EXPECT_TRUE(showsPicture(run, picture(run, entry), "wide200x100.bmp"));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(PictureReveal, WithTwoAnswersBothBoxesMustHoldTheStoredTexts)
{
    MediaQuiz quiz;
    quiz.kind = "picture";
    quiz.reveal = "picture";
    quiz.answersPerEntry = 2;
    quiz.entries = {pictureEntry({"Paris", "Seine"}, "fill260.bmp", "wide200x100.bmp"),
                    pictureEntry({"Rome", "Tibre"}, "square130.jpg", "tall100x200.gif")};
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-reveal-two", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    const Placement question = {120, 20, 260, 260};
    ASSERT_EQ(pictureAt(run, 1), question);

    answer(run, 4001, "Paris");
    EXPECT_EQ(run.boardText(5001), "BRAVO");
    EXPECT_EQ(pictureAt(run, 1), question) << "the second box is still empty";

    answer(run, 4002, "seine");
    EXPECT_EQ(run.boardText(5002), "BRAVO");
    EXPECT_EQ(pictureAt(run, 1), question) << "\"seine\" is not the stored \"Seine\"";
    EXPECT_TRUE(showsPicture(run, picture(run, 1), "fill260.bmp"));

    answer(run, 4002, "Seine");
    EXPECT_EQ(run.boardText(5002), "BRAVO");
    EXPECT_EQ(pictureAt(run, 1), (Placement{90 + 20, 20 + 65, 260, 130}));
    EXPECT_TRUE(showsPicture(run, picture(run, 1), "wide200x100.bmp"));
    EXPECT_EQ(pictureAt(run, 2), (Placement{410, 20, 260, 260})) << "the next entry's picture";

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

constexpr int textEntries = 30;

MediaQuiz answerTextQuiz()
{
    MediaQuiz quiz = mediaQuiz("picture", textEntries, {"square130.jpg", "fill260.bmp"});
    quiz.reveal = "text";
    for (int entry = 1; entry <= textEntries; ++entry)
        quiz.entries[std::size_t(entry - 1)].revealText = "Texte " + std::to_string(entry);
    quiz.entries[0].answers = {"alex"};
    quiz.entries[0].revealText = "Alexandre le Grand, n\xE9 \xE0 Pella";
    quiz.entries[1].answers = {"Rome"};
    quiz.entries[1].revealText = "Capitale de l'Italie";
    return quiz;
}

TEST(PictureReveal, AnswerTextShowsOnTheExactAnswerUntilAWrongOne)
{
    MediaQuiz quiz = answerTextQuiz();
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-reveal-text", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    // Rows stand 360 pixels apart to leave room for the text.
    EXPECT_EQ(run.placementIn(run.boardItem(8001), run.board()), (Placement{30, 336, 260, 35}));
    EXPECT_EQ(pictureAt(run, 4), (Placement{30, 380, 260, 260}));
    EXPECT_EQ(run.placementIn(run.boardItem(4004), run.board()), (Placement{30, 650, 260, 20}));
    for (int entry = 1; entry <= textEntries; ++entry)
        EXPECT_EQ(run.boardText(explanationLabelId(entry)), "") << "entry " << entry;

    answer(run, 4001, "ALEX");
    EXPECT_EQ(run.boardText(5001), "BRAVO");
    EXPECT_EQ(run.boardText(8001), "") << "\"ALEX\" is not the stored \"alex\"";

    answer(run, 4001, "alex");
    EXPECT_EQ(run.boardText(5001), "BRAVO");
    EXPECT_EQ(run.boardText(8001), quiz.entries[0].revealText);
    // The label blends into the board around its text.
    const Colour board = rgb(0xD8, 0xE4, 0xF0);
    ASSERT_EQ(quiz.boardColour, "#D8E4F0");
    EXPECT_EQ(colourNear(run.boardItem(8001), 2, 2, board, 0), board);
    EXPECT_EQ(colourNear(run.boardItem(8001), 257, 32, board, 0), board);

    answer(run, 4002, "Rome");
    EXPECT_EQ(run.boardText(8002), quiz.entries[1].revealText);
    EXPECT_EQ(run.boardText(8001), quiz.entries[0].revealText) << "another entry's answer leaves it";

    answer(run, 4001, "zzzz");
    EXPECT_EQ(run.boardText(5001), "FAUX");
    EXPECT_EQ(run.boardText(8001), "");
    EXPECT_EQ(run.boardText(8002), quiz.entries[1].revealText);

    answer(run, 4002, "   ");
    EXPECT_EQ(run.boardText(5002), "?");
    EXPECT_EQ(run.boardText(8002), "");

    EXPECT_EQ(overlapsListed(run), "");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(PictureReveal, ThirtyEntriesWithAnswerTextsMakeContent3625PixelsTall)
{
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(answerTextQuiz(), "media-reveal-height", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    int c = columnX(textEntries, 1);
    int b = rowBaseY(textEntries, true);
    ASSERT_EQ(b, 3520);

    int height = contentHeightFromBottom(run, 4000 + textEntries, b + 10);
    EXPECT_EQ(height, 3625);
    int shift = height - boardClientHeight(run);
    EXPECT_EQ(pictureAt(run, textEntries), (Placement{c + 30, b - 260 - shift, 260, 260}));
    EXPECT_EQ(run.placementIn(run.boardItem(8000 + textEntries), run.board()),
              (Placement{c + 30, b + 56 - shift, 260, 35}));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
