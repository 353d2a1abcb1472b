// Keys in the answer boxes, typed as real keys: Enter judges and stays,
// Tab and Shift+Tab move between boxes around both ends, F1 tries one
// answer on every box not yet right, and a box taking the focus selects
// the start of its text.
#include "tests/e2e/player_driver.h"
#include "tests/e2e/test_quiz.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const Colour green = rgb(0, 255, 0);
const Colour red = rgb(255, 0, 0);

// Stored answers of the five entries; entries 2 and 4 share theirs.
TestQuiz keysQuiz()
{
    TestQuiz quiz = textQuiz(5);
    const char* answers[] = {"alex", "carl", "dan", "carl", "eve"};
    for (int entry = 0; entry < 5; ++entry)
        quiz.entries[entry].answer1 = answers[entry];
    return quiz;
}

class AnswerKeys : public testing::Test {
protected:
    void SetUp() override
    {
        std::string program = quizProgramIn(keysQuiz(), folder.path());
        ASSERT_FALSE(program.empty());
        ASSERT_TRUE(run.start(program, folder.path()));
        ASSERT_TRUE(run.bringToFront());
    }
    void TearDown() override
    {
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(run.close());
        EXPECT_EQ(run.exitCode(), 0u);
    }

    HWND box(int rank) const { return run.boardItem(4000 + rank); }
    HWND label(int rank) const { return run.boardItem(5000 + rank); }
    std::string verdict(int rank) const { return run.boardText(5000 + rank); }
    // Puts a text into every box, in rank order, each judged by a posted
    // Enter release, then gives `focused` the focus.
    void setScene(const std::vector<std::string>& texts, int focused) const
    {
        for (std::size_t at = 0; at < texts.size(); ++at) {
            run.setText(box(int(at) + 1), texts[at]);
            run.postKeyUp(box(int(at) + 1), VK_RETURN);
        }
        run.focus(box(focused));
    }
    // Sets the scene, acts, and waits until the act has done what `done`
    // checks. Keys and the focus belong to the front window, and another
    // program coming to the front of the shared display takes them; then the
    // scene is set again and the act repeated. `done` must not hold before
    // the act: a check that passes beforehand proves nothing and fails.
    bool actsIn(const std::function<void()>& scene, const std::function<void()>& act,
                const std::function<bool()>& done) const
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            scene();
            if (done())
                return false;
            act();
            if (waitUntil(done))
                return true;
        }
        return false;
    }
    bool keysDo(const std::function<void()>& scene, const std::vector<KeyStroke>& strokes,
                const std::function<bool()>& done) const
    {
        return actsIn(scene, [&] { run.type(strokes); }, done);
    }
    std::string focusedName() const
    {
        HWND focus = run.focused();
        if (!focus)
            return "nothing";
        return focus == run.mainWindow() ? "the main window" : "control " + std::to_string(GetDlgCtrlID(focus));
    }

    TestFolder folder{std::string("e2e-keys-") + testing::UnitTest::GetInstance()->current_test_info()->name()};
    PlayerRun run;
};

TEST_F(AnswerKeys, EnterJudgesTheTypedAnswerKeepsTheFocusAndAddsNoCharacter)
{
    auto empty = [&] { setScene({"", "", ""}, 3); };
    ASSERT_TRUE(keysDo(empty, typeLetters("dan"), [&] { return run.text(box(3)) == "dan"; }))
        << "typed: \"" << run.text(box(3)) << "\"";
    EXPECT_EQ(verdict(3), "?") << "typing alone does not judge";

    // "dan" typed over a wrong answer, not judged yet.
    auto typed = [&] { setScene({"", "", "x"}, 3); run.setText(box(3), "dan"); };
    EXPECT_TRUE(keysDo(typed, tapKey(VK_RETURN), [&] { return verdict(3) == "BRAVO" && run.focused() == box(3); }))
        << "verdict: " << verdict(3) << ", focus on " << focusedName();
    EXPECT_EQ(run.text(box(3)), "dan");
    EXPECT_EQ(run.headerText(150), " 1 / 5");
}

// Keys act on release, or on a press together with Alt.
TEST_F(AnswerKeys, EnterAndTabActWhenReleasedOrPressedWithAlt)
{
    run.setText(box(3), "dan");
    run.post(box(3), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(verdict(3), "?") << "Enter pressed, not released";
    run.post(box(3), WM_SYSKEYDOWN, VK_RETURN, 1 | (1 << 29));
    EXPECT_EQ(verdict(3), "BRAVO") << "Alt+Enter pressed";

    auto inBox4 = [&] { setScene({"alex", "", "dan", ""}, 4); run.setText(box(4), "car"); };
    auto altTab = [&] { run.post(box(4), WM_SYSKEYDOWN, VK_TAB, 1 | (1 << 29)); };
    EXPECT_TRUE(actsIn(inBox4, altTab, [&] { return run.focused() == box(5); }))
        << "Alt+Tab pressed: focus on " << focusedName();
    EXPECT_EQ(verdict(4), "Quasiment");
}

TEST_F(AnswerKeys, TabJudgesAndMovesToTheNextBoxAndFromTheLastToTheFirst)
{
    auto inBox2 = [&] { setScene({}, 2); run.setText(box(2), "carl"); };
    EXPECT_TRUE(keysDo(inBox2, tapKey(VK_TAB), [&] { return run.focused() == box(3); }))
        << "focus on " << focusedName();
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(run.text(box(2)), "carl") << "no tab character in the text";

    auto inBox5 = [&] { setScene({}, 5); run.setText(box(5), "ev"); };
    EXPECT_TRUE(keysDo(inBox5, tapKey(VK_TAB), [&] { return run.focused() == box(1); }))
        << "focus on " << focusedName();
    EXPECT_EQ(verdict(5), "Quasiment");
}

TEST_F(AnswerKeys, ShiftTabMovesToThePreviousBoxAndFromTheFirstToTheLast)
{
    const struct {
        int from, to;
    } rows[] = {{3, 2}, {5, 4}, {1, 5}};
    for (const auto& row : rows)
        EXPECT_TRUE(keysDo([&] { setScene({}, row.from); }, tapWithShift(VK_TAB),
                           [&] { return run.focused() == box(row.to); }))
            << "Shift+Tab in box " << row.from << ": focus on " << focusedName() << ", not box " << row.to;
}

TEST_F(AnswerKeys, F1TriesTheAnswerOnEveryBoxNotYetRight)
{
    // Verdicts "BRAVO", "?", "FAUX", "BRAVO", "FAUX"; released in box 4,
    // boxes 2, 3 and 5 take "carl" and the right ones keep theirs.
    auto before = [&] { setScene({"alex", "", "zzz", "carl", "x"}, 4); };
    ASSERT_TRUE(keysDo(before, tapKey(VK_F1), [&] { return run.text(box(5)) == "carl" && run.focused() == box(4); }))
        << "box 5: \"" << run.text(box(5)) << "\" " << verdict(5) << ", focus on " << focusedName();
    const char* textsAfter[] = {"alex", "carl", "carl", "carl", "carl"};
    const char* verdictsAfter[] = {"BRAVO", "BRAVO", "FAUX", "BRAVO", "FAUX"};
    for (int rank = 1; rank <= 5; ++rank) {
        EXPECT_EQ(run.text(box(rank)), textsAfter[rank - 1]) << "box " << rank;
        EXPECT_EQ(verdict(rank), verdictsAfter[rank - 1]) << "box " << rank;
    }
    EXPECT_EQ(run.headerText(150), " 3 / 5");
    EXPECT_EQ(run.headerText(157), "CODE3");
    // The labels show their new verdicts' colours once the spread is done.
    EXPECT_EQ(run.colourAt(label(2), 2, 2, green), green) << "box 2, now \"BRAVO\"";
    EXPECT_EQ(run.colourAt(label(5), 2, 2, red), red) << "box 5, still \"FAUX\"";

    // Released in an empty box: every box not right is emptied.
    auto emptyBox3 = [&] { setScene({"alex", "carl", "", "carl", "carl"}, 3); };
    ASSERT_TRUE(keysDo(emptyBox3, tapKey(VK_F1), [&] { return run.text(box(5)).empty() && run.focused() == box(3); }))
        << "box 5: \"" << run.text(box(5)) << "\" " << verdict(5) << ", focus on " << focusedName();
    const char* textsEmptied[] = {"alex", "carl", "", "carl", ""};
    const char* verdictsEmptied[] = {"BRAVO", "BRAVO", "?", "BRAVO", "?"};
    for (int rank = 1; rank <= 5; ++rank) {
        EXPECT_EQ(run.text(box(rank)), textsEmptied[rank - 1]) << "box " << rank;
        EXPECT_EQ(verdict(rank), verdictsEmptied[rank - 1]) << "box " << rank;
    }
    const Colour plain = {GetSysColor(COLOR_3DFACE)};
    EXPECT_EQ(run.colourAt(label(5), 2, 2, plain), plain) << "box 5, back to \"?\"";
}

// The spread text is the box's first 259 characters, and every box not
// right is given exactly that text, also boxes already starting with it.
TEST_F(AnswerKeys, F1GivesEveryBoxNotRightExactlyTheFirst259Characters)
{
    const std::string spread(259, 'a');
    auto longTexts = [&] { setScene({spread + "bbbb", spread + "cccc", "dan", "", "eve"}, 1); };
    ASSERT_TRUE(keysDo(longTexts, tapKey(VK_F1), [&] { return run.text(box(4)) == spread; }))
        << "box 4: " << run.text(box(4)).size() << " characters";
    EXPECT_EQ(run.text(box(1)).size(), spread.size()) << "characters left in the box where F1 was released";
    EXPECT_EQ(run.text(box(2)).size(), spread.size()) << "characters left in box 2";
    EXPECT_EQ(run.text(box(3)), "dan");
    EXPECT_EQ(run.text(box(5)), "eve");
}

TEST_F(AnswerKeys, ABoxTakingTheFocusSelectsItsFirst25Characters)
{
    const struct {
        int rank;
        std::string text;
        DWORD end;
    } rows[] = {{2, std::string(30, 'a'), 25}, {3, "abcdefghij", 10}, {4, std::string(25, 'z'), 25}};
    for (const auto& row : rows) {
        run.setText(box(row.rank), row.text);
        run.focus(box(row.rank));
        DWORD_PTR selection = 0;
        SendMessageTimeoutA(box(row.rank), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
        EXPECT_EQ(LOWORD(selection), 0u) << row.text.size() << " characters";
        EXPECT_EQ(HIWORD(selection), row.end) << row.text.size() << " characters";
    }
}

}  // namespace
