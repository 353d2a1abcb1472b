// Scrolling the board by keys sent to the main window, by the mouse wheel
// and by scroll-bar requests, and the content's extent that limits it. The
// scroll position is read from where the first answer box stands: it moves
// up and left by exactly the amount scrolled.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int firstBoxX = 615;
constexpr int firstBoxY = 10;
constexpr int lineHeight = 30;

struct Visible {
    int width, height;
};

// What the board shows of its content: the client area, at most the whole
// content; the far ends are the content's extent less what is visible.
class BoardScrolling {
public:
    // The first box stands at (615, 10) with one answer per entry, at
    // (425, 30) with two.
    BoardScrolling(const PlayerRun& run, int contentWidth, int contentHeight, POINT firstBox = {firstBoxX, firstBoxY})
        : run_(run), firstBox_(firstBox)
    {
        RECT client = {};
        GetClientRect(run.board(), &client);
        visible_ = {std::min<int>(client.right, contentWidth), std::min<int>(client.bottom, contentHeight)};
        maxX_ = contentWidth - visible_.width;
        maxY_ = contentHeight - visible_.height;
    }
    int x() const { return firstBox_.x - run_.placementIn(run_.boardItem(4001), run_.board()).x; }
    int y() const { return firstBox_.y - run_.placementIn(run_.boardItem(4001), run_.board()).y; }
    int clampY(int position) const { return std::clamp(position, 0, maxY_); }
    int clampX(int position) const { return std::clamp(position, 0, maxX_); }
    Visible visible() const { return visible_; }
    int maxX() const { return maxX_; }
    int maxY() const { return maxY_; }

private:
    const PlayerRun& run_;
    POINT firstBox_;
    Visible visible_;
    int maxX_, maxY_;
};

class Scrolling : public testing::Test {
protected:
    void startQuiz(const TestQuiz& quiz)
    {
        std::string program = quizProgramIn(quiz, folder.path());
        ASSERT_FALSE(program.empty());
        ASSERT_TRUE(run.start(program, folder.path()));
    }
    void TearDown() override
    {
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(run.close());
        EXPECT_EQ(run.exitCode(), 0u);
    }

    TestFolder folder{std::string("e2e-scroll-") + testing::UnitTest::GetInstance()->current_test_info()->name()};
    PlayerRun run;
};

struct KeyRow {
    const char* name;
    WORD key;
    int delta;  // in lines; a page is the visible height less one pixel
    int pages;
    int toEnd;  // -1 top, +1 bottom
};

TEST_F(Scrolling, KeysPressedInTheMainWindowScrollTheBoard)
{
    ASSERT_NO_FATAL_FAILURE(startQuiz(textQuiz(50)));
    BoardScrolling board(run, 890, 1275);
    ASSERT_GT(board.maxY(), board.visible().height + lineHeight) << "the content must be more than two pages tall";
    int page = board.visible().height - 1;

    const KeyRow rows[] = {
        {"Down", VK_DOWN, 1, 0, 0},     {"Down", VK_DOWN, 1, 0, 0},     {"Up", VK_UP, -1, 0, 0},
        {"Left", VK_LEFT, 0, 0, 0},     {"Right", VK_RIGHT, 0, 0, 0},   {"A", 'A', 0, 0, 0},
        {"Page Down", VK_NEXT, 0, 1, 0}, {"Page Down", VK_NEXT, 0, 1, 0}, {"Page Up", VK_PRIOR, 0, -1, 0},
        {"Home", VK_HOME, 0, 0, -1},    {"End", VK_END, 0, 0, 1},       {"Down", VK_DOWN, 1, 0, 0},
        {"Home", VK_HOME, 0, 0, -1},
    };
    int expected = 0;
    for (const KeyRow& row : rows) {
        run.postKeyDown(run.mainWindow(), row.key);
        if (row.toEnd)
            expected = row.toEnd < 0 ? 0 : board.maxY();
        else
            expected = board.clampY(expected + row.delta * lineHeight + row.pages * page);
        EXPECT_EQ(board.y(), expected) << row.name;
        EXPECT_EQ(board.x(), 0) << row.name;
    }

    // A real Page Down from the top, with the main window holding the
    // keyboard focus. Another program coming to the front of the shared
    // display takes the key with it; then it is pressed again.
    bool scrolled = false;
    for (int attempt = 0; attempt < 3 && !scrolled; ++attempt) {
        run.postKeyDown(run.mainWindow(), VK_HOME);
        run.focus(run.mainWindow());
        scrolled = run.type(tapKey(VK_NEXT)) && waitUntil([&] { return board.y() == page; });
    }
    EXPECT_TRUE(scrolled) << "real Page Down: " << board.y() << ", not " << page;
}

TEST_F(Scrolling, OneWheelNotchScrollsALineFromTheMainWindowAndTwoFromTheBoard)
{
    ASSERT_NO_FATAL_FAILURE(startQuiz(textQuiz(30)));
    BoardScrolling board(run, 890, 775);
    const struct {
        const char* target;
        short delta;
        int lines;
    } rows[] = {
        {"main window", -120, 1}, {"board", -120, 2}, {"main window", 240, 0}, {"board", -240, 0},
        {"main window", 120, -1}, {"board", 120, -2}, {"main window", -1, 0},  {"board", 121, 0},
    };
    // Start one line down so that no row is hidden by the top.
    run.postKeyDown(run.mainWindow(), VK_DOWN);
    int expected = lineHeight;
    ASSERT_EQ(board.y(), expected);
    for (const auto& row : rows) {
        HWND target = std::string(row.target) == "board" ? run.board() : run.mainWindow();
        run.post(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(row.delta)), 0);
        expected = board.clampY(expected + row.lines * lineHeight);
        EXPECT_EQ(board.y(), expected) << "delta " << row.delta << " to the " << row.target;
    }
}

TEST_F(Scrolling, ScrollBarRequestsMoveTheBoard)
{
    ASSERT_NO_FATAL_FAILURE(startQuiz(textQuiz(50)));
    BoardScrolling board(run, 890, 1275);
    ASSERT_GT(board.maxY(), board.visible().height + lineHeight) << "the content must be more than two pages tall";
    ASSERT_GT(board.maxX(), 2) << "the content must be wider than the board";

    // A line is 30 pixels down but 1 pixel across; a page is the visible
    // extent less one pixel on either axis.
    const struct {
        const char* name;
        UINT bar;
        WORD request;
        int lines;
        int pages;
        int toEnd;  // -1 to the start, +1 to the far end
    } rows[] = {
        {"SB_LINEDOWN", WM_VSCROLL, SB_LINEDOWN, 1, 0, 0},
        {"SB_LINEDOWN", WM_VSCROLL, SB_LINEDOWN, 1, 0, 0},
        {"SB_LINEUP", WM_VSCROLL, SB_LINEUP, -1, 0, 0},
        {"SB_PAGEDOWN", WM_VSCROLL, SB_PAGEDOWN, 0, 1, 0},
        {"SB_PAGEDOWN", WM_VSCROLL, SB_PAGEDOWN, 0, 1, 0},
        {"SB_PAGEUP", WM_VSCROLL, SB_PAGEUP, 0, -1, 0},
        {"SB_ENDSCROLL", WM_VSCROLL, SB_ENDSCROLL, 0, 0, 0},
        {"SB_THUMBPOSITION", WM_VSCROLL, SB_THUMBPOSITION, 0, 0, 0},
        {"SB_BOTTOM", WM_VSCROLL, SB_BOTTOM, 0, 0, 1},
        {"SB_LINEDOWN at the end", WM_VSCROLL, SB_LINEDOWN, 1, 0, 0},
        {"SB_PAGEDOWN at the end", WM_VSCROLL, SB_PAGEDOWN, 0, 1, 0},
        {"SB_TOP", WM_VSCROLL, SB_TOP, 0, 0, -1},
        {"SB_LINEUP at the top", WM_VSCROLL, SB_LINEUP, -1, 0, 0},
        {"SB_LINERIGHT", WM_HSCROLL, SB_LINERIGHT, 1, 0, 0},
        {"SB_LINERIGHT", WM_HSCROLL, SB_LINERIGHT, 1, 0, 0},
        {"SB_LINELEFT", WM_HSCROLL, SB_LINELEFT, -1, 0, 0},
        {"SB_PAGERIGHT", WM_HSCROLL, SB_PAGERIGHT, 0, 1, 0},
        {"SB_RIGHT (no far end across)", WM_HSCROLL, SB_RIGHT, 0, 0, 0},
        {"SB_LEFT (no start across)", WM_HSCROLL, SB_LEFT, 0, 0, 0},
        {"SB_PAGELEFT", WM_HSCROLL, SB_PAGELEFT, 0, -1, 0},
    };
    int x = 0, y = 0;
    for (const auto& row : rows) {
        run.post(run.board(), row.bar, row.request, 0);
        if (row.bar == WM_VSCROLL)
            y = row.toEnd ? (row.toEnd < 0 ? 0 : board.maxY())
                          : board.clampY(y + row.lines * lineHeight + row.pages * (board.visible().height - 1));
        else
            x = board.clampX(x + row.lines + row.pages * (board.visible().width - 1));
        EXPECT_EQ(board.x(), x) << row.name;
        EXPECT_EQ(board.y(), y) << row.name;
    }
}

// The window's outer size changed from the test, as a user dragging its frame would.
void resize(const PlayerRun& run, int width, int height)
{
    SetWindowPos(run.mainWindow(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    run.settle();
}

// A key pressed before the board first shows is served before the entries
// out of view are made: those stand where the scrolled content puts them,
// in line with the entries made before.
TEST_F(Scrolling, EntriesMadeAfterAnEarlyScrollStandInLineWithTheRest)
{
    std::string program = quizProgramIn(textQuiz(90), folder.path());
    ASSERT_FALSE(program.empty());
    ASSERT_TRUE(run.start(program, folder.path(), PlayerRun::Until::Made));
    run.post(run.mainWindow(), WM_KEYDOWN, VK_END, 0);
    ASSERT_TRUE(run.waitUntilSettled());

    BoardScrolling board(run, 890, 90 * 25 + 25);
    EXPECT_EQ(board.y(), board.maxY()) << "End scrolled to the bottom";
    Placement first = run.placementIn(run.boardItem(4001), run.board());
    for (int entry = 2; entry <= 90; ++entry) {
        Placement box = run.placementIn(run.boardItem(4000 + entry), run.board());
        EXPECT_EQ(box.x, first.x) << "entry " << entry;
        EXPECT_EQ(box.y - first.y, 25 * (entry - 1)) << "entry " << entry;
    }
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST_F(Scrolling, ResizingTheWindowKeepsThePositionWithinTheNewRange)
{
    ASSERT_NO_FATAL_FAILURE(startQuiz(textQuiz(30)));
    run.postKeyDown(run.mainWindow(), VK_END);
    run.post(run.board(), WM_HSCROLL, SB_PAGERIGHT, 0);
    BoardScrolling before(run, 890, 775);
    ASSERT_EQ(before.y(), before.maxY());
    ASSERT_EQ(before.x(), before.maxX());
    ASSERT_GT(before.maxX(), 0);

    // Taller: the content's last row stays on the board's last row.
    resize(run, 870, 750);
    BoardScrolling taller(run, 890, 775);
    ASSERT_GT(taller.visible().height, before.visible().height);
    EXPECT_EQ(taller.y(), taller.maxY());
    EXPECT_EQ(run.placementIn(run.boardItem(4030), run.board()).y, 735 - taller.maxY());

    // Wider than the content: nothing to scroll across, back to the left edge.
    resize(run, 1000, 750);
    BoardScrolling wider(run, 890, 775);
    ASSERT_EQ(wider.maxX(), 0) << "the board must be wider than its content";
    EXPECT_EQ(wider.x(), 0);
    run.post(run.board(), WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(wider.x(), 0) << "page right on a board wider than its content";

    // Back to the first size: the position down stays where it was, and
    // scrolling across works again.
    resize(run, 870, 650);
    BoardScrolling again(run, 890, 775);
    EXPECT_EQ(again.maxX(), before.maxX());
    EXPECT_EQ(again.y(), taller.maxY());
    run.post(run.board(), WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(again.x(), again.maxX());
}

struct ExtentRow {
    int entries;
    int answersPerEntry;
    int contentWidth;   // 890 with one answer per entry, 980 with two
    int contentHeight;  // 25 per entry and 25 more; with two answers 20 more per three entries
    int lastRowY;       // where the last entry's boxes stand
};

// At the far end the content's last row is the board's last visible row,
// so the last entry's first box stands at its row less the hidden part.
TEST(ContentExtent, ScrollingToTheEndsShowsTheLastRowAndColumnOfTheContent)
{
    const ExtentRow rows[] = {{30, 1, 890, 775, 735}, {40, 2, 980, 1305, 1265}, {4, 1, 890, 125, 85}};
    for (const ExtentRow& row : rows) {
        TestFolder folder("e2e-extent-" + std::to_string(row.entries));
        PlayerRun run;
        std::string program = quizProgramIn(textQuiz(row.entries, row.answersPerEntry), folder.path());
        ASSERT_FALSE(program.empty());
        ASSERT_TRUE(run.start(program, folder.path()));
        BoardScrolling board(run, row.contentWidth, row.contentHeight,
                             row.answersPerEntry == 1 ? POINT{firstBoxX, firstBoxY} : POINT{425, 30});
        std::string name =
            std::to_string(row.entries) + " entries, " + std::to_string(row.answersPerEntry) + " answers";

        run.postKeyDown(run.mainWindow(), VK_END);
        int hidden = std::max(0, row.contentHeight - board.visible().height);
        int lastBox = 4000 + row.entries * row.answersPerEntry - (row.answersPerEntry - 1);
        EXPECT_EQ(run.placementIn(run.boardItem(lastBox), run.board()).y, row.lastRowY - hidden) << name;
        EXPECT_EQ(board.y(), hidden) << name;

        run.post(run.board(), WM_HSCROLL, SB_PAGERIGHT, 0);
        run.post(run.board(), WM_HSCROLL, SB_PAGERIGHT, 0);
        EXPECT_EQ(board.x(), row.contentWidth - board.visible().width) << name;

        ASSERT_TRUE(run.close()) << name;
        EXPECT_EQ(run.exitCode(), 0u) << name;
    }
}

}  // namespace
