// The main window as the player first sees it: where it stands on the
// screen, the header's labels with their texts and places, and the board
// and version label that follow the client area.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr int linkLabelId = 154;
const std::string versionText = "R\xE9" "alis\xE9 avec la version 2.1";

struct HeaderLabel {
    int id;
    std::string text;
    Placement at;
};

// The one label with that identifier and text, or none.
HWND labelReading(const PlayerRun& run, const std::vector<HWND>& labels, int id, const std::string& text)
{
    for (HWND label : labels)
        if (GetDlgCtrlID(label) == id && run.text(label) == text)
            return label;
    return nullptr;
}

std::string textsWithId(const PlayerRun& run, const std::vector<HWND>& labels, int id)
{
    std::string texts;
    for (HWND label : labels)
        if (GetDlgCtrlID(label) == id)
            texts += " \"" + run.text(label) + "\"";
    return texts;
}

Placement clientOf(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return {0, 0, client.right, client.bottom};
}

TEST(MainWindow, HeaderLabelsShowTheQuizAndAFreshScore)
{
    TestQuiz quiz = textQuiz(30);
    quiz.title = "Capitales d'Europe";
    quiz.author = "Z\xE9lie Roux";
    quiz.description = "Trouvez la capitale de chaque pays, accents compris : \xE9t\xE9";
    TestFolder folder("e2e-header");
    std::string program = quizProgramIn(quiz, folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    Placement client = clientOf(run.mainWindow());
    // The version label is as wide as its text, its right edge 15 pixels in.
    int versionWidth = run.placementIn(run.headerItem(8000), run.mainWindow()).width;
    // Every box is judged at start: the score is written again (still 0, as
    // nothing is restored) and the code's place holder gives way to six spaces.
    const HeaderLabel expected[] = {
        {8000, versionText, {client.width - 15 - versionWidth, client.height - 16, versionWidth, 15}},
        {1, "", {5, 2, 100, 24}},
        {2, "", {5, 25, 100, 22}},
        {3, "", {104, 2, 623, 45}},
        {4, "", {726, 2, 130, 45}},
        {151, " Code :", {10, 29, 36, 15}},
        {157, "      ", {47, 28, 55, 16}},
        {150, " 0 / 30", {10, 5, 90, 18}},
        {154, QUIZ_PUBLISHER_URL, {736, 5, 115, 18}},
        {150, "Par :", {736, 25, 27, 18}},
        {150, quiz.author, {763, 25, 85, 18}},
        {150, quiz.title, {110, 3, 220, 18}},
        {150, quiz.description, {110, 19, 580, 27}},
    };
    std::vector<HWND> labels = run.childrenOfClass(run.mainWindow(), "Static");
    EXPECT_EQ(labels.size(), std::size(expected));
    for (const HeaderLabel& row : expected) {
        HWND label = labelReading(run, labels, row.id, row.text);
        if (!label) {
            ADD_FAILURE() << "no label " << row.id << " reads \"" << row.text << "\"; labels " << row.id
                          << " read:" << textsWithId(run, labels, row.id);
            continue;
        }
        EXPECT_EQ(run.placementIn(label, run.mainWindow()), row.at) << "label " << row.id << " \"" << row.text << "\"";
    }
    // The score and the code are found by identifier, as the player finds them.
    EXPECT_EQ(run.headerText(150), " 0 / 30");
    EXPECT_EQ(run.headerText(157), "      ");
    EXPECT_EQ(run.text(run.mainWindow()), quiz.title);

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(MainWindow, HeaderFramesAreFilledLightBlue)
{
    TestFolder folder("e2e-header-colour");
    std::string program = quizProgramIn(textQuiz(3), folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));
    const Colour headerBlue = rgb(128, 128, 255);
    // Inside each frame's border, clear of the labels standing in it.
    const struct {
        int frame, x, y;
    } samples[] = {{1, 2, 2}, {2, 2, 2}, {3, 2, 40}, {4, 126, 2}};
    for (const auto& sample : samples)
        EXPECT_EQ(run.colourAt(run.headerItem(sample.frame), sample.x, sample.y, headerBlue), headerBlue)
            << "frame " << sample.frame << " at (" << sample.x << ", " << sample.y << ")";
    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(MainWindow, CentredOnTheScreenWithTheBoardAndVersionLabelFollowingTheClientArea)
{
    TestFolder folder("e2e-window");
    std::string program = quizProgramIn(textQuiz(30), folder.path());
    ASSERT_FALSE(program.empty());
    PlayerRun run;
    ASSERT_TRUE(run.start(program, folder.path()));

    // The test display is 1024 x 768: (1024 - 870) / 2 and (768 - 650) / 2.
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    EXPECT_EQ(run.placementIn(run.mainWindow(), HWND_DESKTOP), (Placement{77, 59, 870, 650}));

    Placement client = clientOf(run.mainWindow());
    EXPECT_EQ(run.placementIn(run.board(), run.mainWindow()),
              (Placement{5, 50, client.width - 11, client.height - 68}));
    int versionWidth = run.placementIn(run.headerItem(8000), run.mainWindow()).width;
    EXPECT_EQ(run.placementIn(run.headerItem(8000), run.mainWindow()),
              (Placement{client.width - 15 - versionWidth, client.height - 16, versionWidth, 15}));

    // A smaller window: the board and the version label follow, the header stays.
    SetWindowPos(run.mainWindow(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    run.settle();
    Placement smaller = clientOf(run.mainWindow());
    ASSERT_LT(smaller.width, client.width);
    EXPECT_EQ(run.placementIn(run.board(), run.mainWindow()),
              (Placement{5, 50, smaller.width - 11, smaller.height - 68}));
    EXPECT_EQ(run.placementIn(run.headerItem(8000), run.mainWindow()),
              (Placement{smaller.width - 15 - versionWidth, smaller.height - 16, versionWidth, 15}));
    EXPECT_EQ(run.placementIn(run.headerItem(4), run.mainWindow()), (Placement{726, 2, 130, 45}));
    EXPECT_EQ(run.placementIn(run.headerItem(154), run.mainWindow()), (Placement{736, 5, 115, 18}));

    ASSERT_TRUE(run.close());
    EXPECT_EQ(run.exitCode(), 0u);
}

// Wine's launcher opens addresses with the browsers and mailers its
// settings name: for the test, a script of the build that writes down each
// address it is given. The settings are put back afterwards.
class LinkRecorder {
public:
    LinkRecorder()
    {
        DeleteFileA(QUIZ_LINKS_OPENED);
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        for (int at = 0; at < 2; ++at) {
            DWORD size = sizeof saved_[at];
            had_[at] = RegQueryValueExA(key_, names_[at], nullptr, nullptr, reinterpret_cast<BYTE*>(saved_[at]), &size)
                       == ERROR_SUCCESS;
            setValue(names_[at], QUIZ_LINK_RECORDER);
        }
    }
    ~LinkRecorder()
    {
        for (int at = 0; at < 2; ++at)
            had_[at] ? setValue(names_[at], saved_[at]) : void(RegDeleteValueA(key_, names_[at]));
        RegCloseKey(key_);
        DeleteFileA(QUIZ_LINKS_OPENED);
    }
    LinkRecorder(const LinkRecorder&) = delete;
    LinkRecorder& operator=(const LinkRecorder&) = delete;

    // What was opened, one address a line, once `lines` came or the time is up.
    std::string opened(int lines, DWORD waitMs) const
    {
        std::string text;
        for (DWORD start = GetTickCount(); GetTickCount() - start < waitMs; Sleep(50)) {
            std::ifstream file(QUIZ_LINKS_OPENED, std::ios::binary);
            std::stringstream read;
            read << file.rdbuf();
            text = read.str();
            if (std::count(text.begin(), text.end(), '\n') >= lines)
                break;
        }
        return text;
    }

private:
    void setValue(const char* name, const char* value)
    {
        RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(strlen(value) + 1));
    }
    HKEY key_ = nullptr;
    const char* names_[2] = {"Browsers", "Mailers"};
    char saved_[2][1024] = {};
    bool had_[2] = {};
};

TEST(MainWindow, HeaderLinkShowsAndOpensTheQuizLinkElseTheBuildsAddress)
{
    struct Row {
        std::string link;   // the quiz's, in its description
        std::string shown;  // and opened on a click; nothing opens when empty
    };
    const Row rows[] = {
        {"https://ecole.test/capitales?niveau=1", "https://ecole.test/capitales?niveau=1"},
        {"mailto:prof@ecole.test", "mailto:prof@ecole.test"},
        {"", QUIZ_PUBLISHER_URL},
    };
    LinkRecorder recorder;
    int opened = 0;
    std::string expected;
    for (const Row& row : rows) {
        TestQuiz quiz = textQuiz(3);
        quiz.link = row.link;
        TestFolder folder("e2e-link");
        std::string program = quizProgramIn(quiz, folder.path());
        ASSERT_FALSE(program.empty());
        PlayerRun run;
        ASSERT_TRUE(run.start(program, folder.path()));
        EXPECT_EQ(run.headerText(linkLabelId), row.shown) << row.link;

        // A click on the label: the static control tells the main window.
        run.post(run.headerItem(linkLabelId), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        run.post(run.headerItem(linkLabelId), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        run.settle();
        if (!row.shown.empty()) {
            ++opened;
            expected += row.shown + "\n";
        }
        // With nothing to open, whatever a click would open has 3 seconds to show up.
        EXPECT_EQ(recorder.opened(row.shown.empty() ? opened + 1 : opened, row.shown.empty() ? 3000 : 10000), expected)
            << row.link;
        ASSERT_TRUE(run.close());
        EXPECT_EQ(run.exitCode(), 0u);
    }
}

}  // namespace
