#include "quiz/board_grid.h"
#include "quiz/board_identifiers.h"
#include "quiz/content_extents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

static std::ostream& operator<<(std::ostream& out, const BoardRect& r)
{
    return out << "(" << r.x << ", " << r.y << ") " << r.width << " x " << r.height;
}

namespace {

TEST(BoardGrid, Positions)
{
    struct Row { int entry; int answers; RevealKind reveal; int columnX; int rowBaseY; int soundY; int textY; };
    const Row rows[] = {
        {1, 1, RevealKind::None, 0, 280, 20, 10},
        {1, 1, RevealKind::Text, 0, 280, 20, 10},
        {5, 1, RevealKind::None, 290, 610, 100, 110},
        {4, 2, RevealKind::Text, 90, 640, 100, 85},
        {3, 2, RevealKind::Picture, 670, 280, 20, 60},
        {90, 1, RevealKind::Text, 580, 29 * 360 + 280, 29 * 80 + 20, 2235},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(gridColumnX(row.entry, row.answers), row.columnX) << "entry " << row.entry;
        EXPECT_EQ(gridRowBaseY(row.entry, row.reveal), row.rowBaseY) << "entry " << row.entry;
        EXPECT_EQ(soundRowY(row.entry), row.soundY) << "entry " << row.entry;
        EXPECT_EQ(textRowY(row.entry), row.textY) << "entry " << row.entry;
    }
}

TEST(BoardIdentifiers, AnswerBoxesMapBackToEntryAndAnswer)
{
    struct Row { int answers; int entry; int answer; int box; int label; };
    const Row rows[] = {
        {1, 1, 1, 4001, 5001}, {1, 17, 1, 4017, 5017}, {1, 90, 1, 4090, 5090},
        {2, 1, 1, 4001, 5001}, {2, 1, 2, 4002, 5002}, {2, 2, 1, 4003, 5003},
        {2, 2, 2, 4004, 5004}, {2, 3, 1, 4005, 5005}, {2, 3, 2, 4006, 5006},
        {2, 90, 2, 4180, 5180},
    };
    for (const Row& row : rows) {
        int box = answerBoxId(row.answers, row.entry, row.answer);
        EXPECT_EQ(box, row.box);
        EXPECT_EQ(verdictLabelIdOf(box), row.label);
        EXPECT_EQ(entryOfAnswerBox(row.answers, box), row.entry) << "box " << box;
        EXPECT_EQ(answerOfAnswerBox(row.answers, box), row.answer) << "box " << box;
    }
    EXPECT_EQ(entryOfPlayButton(6012), 12);
    EXPECT_EQ(entryOfStopButton(7003), 3);
    EXPECT_EQ(6012 - 5600, MediaResourceIdBase + 12);
}

}  // namespace

namespace {

TEST(BoardGrid, EntryControlsByKind)
{
    struct Row { QuizKind kind; int entry; int answers; RevealKind reveal; BoardRect box1, box2, verdict1, verdict2, number; };
    const Row rows[] = {
        // the worked example: picture entry 5, c 290, b 610
        {QuizKind::Picture, 5, 1, RevealKind::None, {320, 620, 260, 20}, {}, {320, 639, 260, 21}, {}, {300, 622, 19, 17}},
        {QuizKind::Picture, 1, 2, RevealKind::None, {120, 290, 190, 21}, {120, 310, 190, 21}, {315, 291, 60, 17},
         {315, 311, 60, 17}, {100, 292, 19, 17}},
        {QuizKind::Text, 3, 1, RevealKind::None, {615, 60, 100, 20}, {}, {720, 59, 90, 21}, {}, {30, 63, 19, 17}},
        // two answers of a text quiz: side by side on the entry's line, below a heading line per three entries
        {QuizKind::Text, 1, 2, RevealKind::None, {425, 30, 100, 20}, {635, 30, 100, 20}, {530, 29, 90, 21},
         {740, 29, 90, 21}, {30, 33, 19, 17}},
        {QuizKind::Text, 4, 2, RevealKind::None, {425, 125, 100, 20}, {635, 125, 100, 20}, {530, 124, 90, 21},
         {740, 124, 90, 21}, {30, 128, 19, 17}},
        {QuizKind::Sound, 4, 1, RevealKind::None, {50, 100, 220, 20}, {}, {50, 119, 220, 21}, {}, {10, 102, 19, 17}},
        {QuizKind::Video, 1, 1, RevealKind::None, {35, 240, 230, 20}, {}, {35, 259, 230, 21}, {}, {-10, 244, 19, 17}},
    };
    for (const Row& row : rows) {
        EntryPlan plan = entryPlan(row.kind, row.entry, row.answers, row.reveal);
        EXPECT_EQ(plan.boxes[0], row.box1) << int(row.kind) << " entry " << row.entry;
        EXPECT_EQ(plan.boxes[1], row.box2) << int(row.kind) << " entry " << row.entry;
        EXPECT_EQ(plan.verdicts[0], row.verdict1) << int(row.kind) << " entry " << row.entry;
        EXPECT_EQ(plan.verdicts[1], row.verdict2) << int(row.kind) << " entry " << row.entry;
        EXPECT_EQ(plan.number, row.number) << int(row.kind) << " entry " << row.entry;
    }
    EXPECT_EQ(entryPlan(QuizKind::Picture, 5, 1, RevealKind::None).clue, (BoardRect{320, 350, 260, 260}));
    EXPECT_EQ(entryPlan(QuizKind::Picture, 5, 1, RevealKind::None).explanation, (BoardRect{320, 666, 260, 35}));
    // Headings: level with the answer rows for media, (3, b + 12) for
    // pictures, y 25 and 105 for sound entries 1 and 4; above the box
    // columns for text.
    EXPECT_EQ(headingPlan(QuizKind::Picture, 4, RevealKind::None).first, (BoardRect{3, 622, 95, 20}));
    EXPECT_EQ(headingPlan(QuizKind::Sound, 1, RevealKind::None).second, (BoardRect{3, 45, 95, 20}));
    EXPECT_EQ(headingPlan(QuizKind::Sound, 4, RevealKind::None).first, (BoardRect{3, 105, 95, 20}));
    EXPECT_EQ(headingPlan(QuizKind::Text, 1, RevealKind::None).first, (BoardRect{425, 8, 100, 20}));
    EXPECT_EQ(headingPlan(QuizKind::Text, 4, RevealKind::None).second, (BoardRect{635, 103, 100, 20}));
    EXPECT_EQ(entryPlan(QuizKind::Text, 4, 2, RevealKind::None).clue, (BoardRect{50, 125, 360, 20}));
}

struct PlacedControl {
    std::string what;
    BoardRect at;
};

// Every control the board shows for a quiz, a picture filling its square.
std::vector<PlacedControl> visibleControls(QuizKind kind, int entries, int answers, RevealKind reveal)
{
    std::vector<PlacedControl> controls;
    auto add = [&](const std::string& what, const BoardRect& at) {
        if (at.width > 0 && at.height > 0)
            controls.push_back({what, at});
    };
    for (int entry = 1; answers == 2 && entry <= entries; entry += 3) {
        HeadingPlan headings = headingPlan(kind, entry, reveal);
        add("headings " + std::to_string(entry) + " first", headings.first);
        add("headings " + std::to_string(entry) + " second", headings.second);
    }
    for (int entry = 1; entry <= entries; ++entry) {
        EntryPlan plan = entryPlan(kind, entry, answers, reveal);
        std::string name = "entry " + std::to_string(entry) + " ";
        add(name + "clue", plan.clue);
        if (reveal == RevealKind::Text)
            add(name + "explanation", plan.explanation);
        add(name + "play", plan.play);
        add(name + "stop", plan.stop);
        add(name + "number", plan.number);
        for (int answer = 0; answer < answers; ++answer) {
            add(name + "box " + std::to_string(answer + 1), plan.boxes[answer]);
            add(name + "verdict " + std::to_string(answer + 1), plan.verdicts[answer]);
        }
    }
    return controls;
}

// Two controls overlap when they share more than a 1-pixel border.
bool overlap(const BoardRect& a, const BoardRect& b)
{
    int width = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    int height = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return width > 1 && height > 1;
}

TEST(BoardGrid, NoControlsOverlapAndTheContentHoldsThemAll)
{
    const QuizKind kinds[] = {QuizKind::Text, QuizKind::Picture, QuizKind::Sound, QuizKind::Video};
    const RevealKind reveals[] = {RevealKind::None, RevealKind::Picture, RevealKind::Text};
    for (QuizKind kind : kinds)
        for (int answers = 1; answers <= 2; ++answers)
            for (RevealKind reveal : reveals) {
                std::string quiz = "kind " + std::to_string(int(kind)) + ", " + std::to_string(answers)
                                   + " answers, reveal " + std::to_string(int(reveal));
                // Every control of a shorter quiz is one of the 90-entry quiz's.
                std::vector<PlacedControl> all = visibleControls(kind, 90, answers, reveal);
                std::vector<std::string> overlaps;
                for (std::size_t a = 0; a < all.size(); ++a)
                    for (std::size_t b = a + 1; b < all.size(); ++b)
                        if (overlap(all[a].at, all[b].at))
                            overlaps.push_back(all[a].what + " and " + all[b].what);
                EXPECT_TRUE(overlaps.empty()) << quiz << ": " << overlaps.size() << " overlaps, first "
                                              << (overlaps.empty() ? "" : overlaps.front());
                // Scrolling to the end shows the last entry whole.
                for (int entries = 1; entries <= 90; ++entries)
                    for (const PlacedControl& control : visibleControls(kind, entries, answers, reveal)) {
                        EXPECT_LE(control.at.x + control.at.width, contentWidthFor(answers))
                            << quiz << ", " << entries << " entries: " << control.what;
                        EXPECT_LE(control.at.y + control.at.height, contentHeightFor(kind, entries, answers, reveal))
                            << quiz << ", " << entries << " entries: " << control.what;
                    }
            }
}

// The entries built before the board shows: a row left out would show
// empty for a moment; one too many only costs time.
TEST(BoardGrid, EntriesInViewAreThoseStartingAboveTheViewsBottom)
{
    struct Row {
        const char* name;
        QuizKind kind;
        int entryCount, answers;
        RevealKind reveal;
        int viewHeight;
        int inView;
    };
    const Row rows[] = {
        // one answer: verdict labels stand a pixel above their line, at 25 i - 16
        {"text, the first line's verdict at 9", QuizKind::Text, 90, 1, RevealKind::None, 9, 0},
        {"text, one pixel of the first line", QuizKind::Text, 90, 1, RevealKind::None, 10, 1},
        {"text, the board's own view", QuizKind::Text, 90, 1, RevealKind::None, 520, 21},
        {"text, line 21 starts at 509", QuizKind::Text, 90, 1, RevealKind::None, 509, 20},
        // two answers: 20 more pixels per group of three for the headings
        {"paired text, entry 16 starts at 504", QuizKind::Text, 90, 2, RevealKind::None, 520, 16},
        {"paired text, entry 17 starts at 529", QuizKind::Text, 90, 2, RevealKind::None, 530, 17},
        {"paired text, the whole quiz shorter than the view", QuizKind::Text, 12, 2, RevealKind::None, 520, 12},
        // pictures: rows of three whose squares start at 20, 350, 680
        {"pictures, two rows", QuizKind::Picture, 90, 1, RevealKind::None, 520, 6},
        {"pictures, the second row's square at 350", QuizKind::Picture, 90, 1, RevealKind::None, 350, 3},
        {"pictures, four entries in all", QuizKind::Picture, 4, 1, RevealKind::None, 520, 4},
        {"pictures with answer texts: rows 360 apart", QuizKind::Picture, 90, 2, RevealKind::Text, 380, 3},
        {"pictures with answer texts, the second row", QuizKind::Picture, 90, 2, RevealKind::Text, 381, 6},
        // sounds: rows 80 apart from 20
        {"sounds", QuizKind::Sound, 90, 1, RevealKind::None, 520, 21},
        {"sounds, the seventh row at 500", QuizKind::Sound, 90, 1, RevealKind::None, 500, 18},
        // videos: frames from 30, 360
        {"videos", QuizKind::Video, 90, 2, RevealKind::None, 520, 6},
        {"videos, the second row's frame at 360", QuizKind::Video, 90, 1, RevealKind::None, 360, 3},
        {"no view", QuizKind::Picture, 90, 1, RevealKind::None, 0, 0},
        {"no entries", QuizKind::Text, 0, 1, RevealKind::None, 520, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(entriesInView(row.kind, row.entryCount, row.answers, row.reveal, row.viewHeight), row.inView)
            << row.name;
}

}  // namespace
