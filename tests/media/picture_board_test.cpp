// Where the board of a picture quiz puts each entry's picture, number,
// answer box, verdict label and explanation, how each picture is fitted
// into its square and shown, what stands in for a picture that is missing
// or cannot be decoded, and how tall the scrolled content is.
#include "tests/media/board_grid.h"
#include "tests/media/media_driver.h"
#include "tests/media/media_quiz.h"
#include "tests/media/picture_fixtures.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

namespace {

// How a stored picture comes out on the board: fitted into the 260 x 260
// square above its answer box, centred in it.
struct FittedRow {
    int entry;
    const char* picture;  // empty: the entry's resource is removed
    int width, height;    // fitted size
    bool shown;           // whether the control holds a bitmap
};

// One answer per entry, nothing revealed: c is 0, 290 or 580, b is 280,
// 610, 940 ...
const FittedRow fittedRows[] = {
    {1, "wide130x65.bmp", 260, 130, true},   // enlarged
    {2, "wide520x260.jpg", 260, 130, true},  // shrunk
    {3, "square520.gif", 260, 260, true},    // shrunk, the box's own shape
    {4, "square130.jpg", 260, 260, true},    // enlarged, the box's own shape
    {5, "fill260.bmp", 260, 260, true},      // fills the square as it is
    {6, "corrupt.jpg", 260, 260, false},     // JPEG's leading bytes, garbage after
    {7, "", 260, 260, false},                // no resource at all
    {8, "progressive520x390.jpg", 260, 195, true},
    {9, "interlaced130x104.gif", 260, 208, true},
    // Laid out from the header's 130 x 130 square, shown at the image's own size.
    {10, "screen130top.gif", 260, 130, true},
    {11, "screen130bottom.gif", 260, 130, true},
    {30, "square130.jpg", 260, 260, true},  // the last entry
};
constexpr int layoutEntries = 30;
constexpr int missingPictureEntry = 7;

MediaQuiz oneAnswerQuiz()
{
    MediaQuiz quiz = mediaQuiz("picture", layoutEntries, {"square130.jpg"});
    for (const FittedRow& row : fittedRows)
        if (*row.picture)
            quiz.entries[std::size_t(row.entry - 1)].media = row.picture;
    return quiz;
}

Placement fittedPlacement(const FittedRow& row)
{
    int c = columnX(row.entry, 1);
    int b = rowBaseY(row.entry);
    return {c + 30 + (260 - row.width) / 2, b - 260 + (260 - row.height) / 2, row.width, row.height};
}

TEST(PictureBoard, WorkedExampleOfEntryFiveStandsWhereTheLayoutSays)
{
    PlayerRun run;
    std::string problem;
    std::string folder =
        startMediaQuiz(oneAnswerQuiz(), "media-picture-worked", {mediaResourceId(missingPictureEntry)}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;

    EXPECT_EQ(run.placementIn(run.boardItem(9005), run.board()), (Placement{320, 350, 260, 260}));
    EXPECT_EQ(run.placementIn(run.boardItem(8005), run.board()), (Placement{320, 666, 260, 35}));
    EXPECT_EQ(run.boardText(8005), "");
    HWND number = boardChildReading(run, numberLabelId, "5.");
    ASSERT_NE(number, nullptr) << "no number label reading \"5.\"";
    EXPECT_EQ(run.placementIn(number, run.board()), (Placement{300, 622, 19, 17}));
    EXPECT_EQ(run.placementIn(run.boardItem(4005), run.board()), (Placement{320, 620, 260, 20}));
    EXPECT_EQ(run.boardText(4005), "");
    EXPECT_EQ(run.placementIn(run.boardItem(5005), run.board()), (Placement{320, 639, 260, 21}));
    EXPECT_EQ(run.boardText(5005), "?");

    EXPECT_EQ(run.childrenOfClass(run.board(), "Edit").size(), std::size_t(layoutEntries));
    EXPECT_EQ(run.childrenWithId(run.board(), numberLabelId).size(), std::size_t(layoutEntries));
    EXPECT_TRUE(run.childrenWithId(run.board(), headingLabelId).empty());
    EXPECT_TRUE(run.childrenOfClass(run.board(), "Button").empty());
    for (int entry = 1; entry <= layoutEntries; ++entry) {
        EXPECT_NE(run.boardItem(pictureControlId(entry)), nullptr) << "entry " << entry;
        EXPECT_NE(run.boardItem(explanationLabelId(entry)), nullptr) << "entry " << entry;
    }
    // A missing or undecodable picture is no reason to bother the player.
    EXPECT_TRUE(run.messageBoxes().empty());

    EXPECT_EQ(overlapsListed(run), "");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(PictureBoard, EachPictureIsFittedIntoItsSquareAndShown)
{
    PlayerRun run;
    std::string problem;
    std::string folder =
        startMediaQuiz(oneAnswerQuiz(), "media-picture-fitted", {mediaResourceId(missingPictureEntry)}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;

    for (const FittedRow& row : fittedRows) {
        SCOPED_TRACE(std::string("entry ") + std::to_string(row.entry) + ", picture \"" + row.picture + "\"");
        HWND picture = run.boardItem(pictureControlId(row.entry));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(run.placementIn(picture, run.board()), fittedPlacement(row));
        EXPECT_EQ(shownBitmap(picture) != 0, row.shown);
    }

    // What shows on screen is the picture itself, right side up, in each
    // of the three formats.
    for (const FittedRow& row : fittedRows) {
        if (!row.shown)
            continue;
        EXPECT_TRUE(showsPicture(run, run.boardItem(pictureControlId(row.entry)), row.picture))
            << "entry " << row.entry;
    }
    // Without a picture the square inside its border shows nothing but
    // the board behind it.
    const Colour board = rgb(0xD8, 0xE4, 0xF0);
    ASSERT_EQ(oneAnswerQuiz().boardColour, "#D8E4F0");
    for (const FittedRow& row : fittedRows) {
        if (row.shown)
            continue;
        HWND picture = run.boardItem(pictureControlId(row.entry));
        ASSERT_TRUE(scrollIntoView(run, picture));
        // Points left of the board's right edge, which cuts the third column.
        for (POINT at : {POINT{130, 130}, POINT{5, 5}, POINT{20, 250}})
            EXPECT_EQ(colourNear(picture, at.x, at.y, board, 0), board)
                << "entry " << row.entry << " at (" << at.x << ", " << at.y << ")";
    }

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

// Phone photos that quizbuild --fit-pictures stored at twice the square's
// size (a PNG as a JPEG, which the player could not show) show fitted as
// any picture does, right side up.
TEST(PictureBoard, PhotosTheBuilderFittedShowAsTheOriginalsWould)
{
    const FittedRow rows[] = {
        {1, "photo4000x3000.jpg", 260, 195, true},
        {2, "photo1200x1600.png", 195, 260, true},
        {3, "square130.jpg", 260, 260, true},  // small enough: kept as it is
    };
    MediaQuiz quiz = mediaQuiz("picture", 3, {rows[0].picture, rows[1].picture, rows[2].picture});
    quiz.fitPictures = true;
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-picture-photos", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    for (const FittedRow& row : rows) {
        SCOPED_TRACE(row.picture);
        HWND picture = run.boardItem(pictureControlId(row.entry));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(run.placementIn(picture, run.board()), fittedPlacement(row));
        EXPECT_NE(shownBitmap(picture), 0);
        EXPECT_TRUE(showsPicture(run, picture, row.picture));
    }
    EXPECT_TRUE(run.messageBoxes().empty());
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(PictureBoard, ThirtyEntriesMakeContent3325PixelsTall)
{
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(mediaQuiz("picture", layoutEntries, {"square130.jpg"}), "media-picture-height",
                                        {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;
    int c = columnX(layoutEntries, 1);
    int b = rowBaseY(layoutEntries);
    ASSERT_EQ(b, 3250);

    int height = contentHeightFromBottom(run, 4000 + layoutEntries, b + 10);
    EXPECT_EQ(height, 3325);
    // The rest of the last entry moved with its box.
    int shift = height - boardClientHeight(run);
    EXPECT_EQ(run.placementIn(run.boardItem(9000 + layoutEntries), run.board()),
              (Placement{c + 30, b - 260 - shift, 260, 260}));
    EXPECT_EQ(run.placementIn(run.boardItem(5000 + layoutEntries), run.board()),
              (Placement{c + 30, b + 29 - shift, 260, 21}));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(PictureBoard, TwoAnswersPerEntryShiftTheGridRightOfTheHeadings)
{
    const int entries = 4;
    MediaQuiz quiz = mediaQuiz("picture", entries, {"fill260.bmp", "wide520x260.jpg"}, 2);
    quiz.firstAnswerLabel = "Ville";
    quiz.secondAnswerLabel = "Fleuve travers\xE9";
    PlayerRun run;
    std::string problem;
    std::string folder = startMediaQuiz(quiz, "media-picture-two", {}, run, problem);
    ASSERT_FALSE(folder.empty()) << problem;

    const int columns[] = {90, 380, 670, 90};
    for (int entry = 1; entry <= entries; ++entry) {
        SCOPED_TRACE("entry " + std::to_string(entry));
        int c = columns[entry - 1];
        int b = rowBaseY(entry);
        bool wide = entry % 2 == 0;
        EXPECT_EQ(run.placementIn(run.boardItem(9000 + entry), run.board()),
                  wide ? (Placement{c + 30, b - 195, 260, 130}) : (Placement{c + 30, b - 260, 260, 260}));
        EXPECT_EQ(run.placementIn(run.boardItem(8000 + entry), run.board()), (Placement{c + 30, b + 56, 260, 35}));
        HWND number = boardChildReading(run, numberLabelId, std::to_string(entry) + ".");
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(run.placementIn(number, run.board()), (Placement{c + 10, b + 12, 19, 17}));
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + 2 * entry - 1), run.board()),
                  (Placement{c + 30, b + 10, 190, 21}));
        EXPECT_EQ(run.placementIn(run.boardItem(4000 + 2 * entry), run.board()), (Placement{c + 30, b + 30, 190, 21}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + 2 * entry - 1), run.board()),
                  (Placement{c + 225, b + 11, 60, 17}));
        EXPECT_EQ(run.placementIn(run.boardItem(5000 + 2 * entry), run.board()), (Placement{c + 225, b + 31, 60, 17}));
        EXPECT_EQ(run.boardText(5000 + 2 * entry), "?");
    }

    // One pair of headings per row of three entries, level with its boxes.
    std::vector<HWND> headings = run.childrenWithId(run.board(), headingLabelId);
    EXPECT_EQ(headings.size(), 4u);
    for (int entry : {1, 4}) {
        int b = rowBaseY(entry);
        for (const auto& [text, y] :
             {std::pair{quiz.firstAnswerLabel, b + 12}, std::pair{quiz.secondAnswerLabel, b + 32}}) {
            int found = 0;
            for (HWND heading : headings)
                found += run.text(heading) == text && run.placementIn(heading, run.board()) == Placement{3, y, 95, 20};
            EXPECT_EQ(found, 1) << "heading \"" << text << "\" at (3, " << y << ") 95 x 20";
        }
    }

    EXPECT_EQ(overlapsListed(run), "");
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

}  // namespace
