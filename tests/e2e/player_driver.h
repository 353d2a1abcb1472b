// Drives one run of the real player from a test program: starts it in a
// working folder, finds its windows and controls, types, moves the focus,
// scrolls, reads texts, rectangles and screen colours, and closes it. A run
// that is still going when its PlayerRun goes (a failed test) is ended.
#pragma once

#include "win32/platform.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct ShownMessageBox {
    std::string caption;
    std::string text;
};

// A control's place in its parent's client area, as the user sees it.
struct Placement {
    int x, y, width, height;
    bool operator==(const Placement&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Placement& placement);

// Colours print as "RGB(r, g, b)" so failures are readable.
struct Colour {
    COLORREF value;
    bool operator==(const Colour&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Colour& colour);
inline Colour rgb(int red, int green, int blue)
{
    return {RGB(red, green, blue)};
}

// One key of a real key stroke sequence typed with SendInput.
struct KeyStroke {
    WORD key;
    bool release;
};
std::vector<KeyStroke> tapKey(WORD key);               // press and release
std::vector<KeyStroke> tapWithShift(WORD key);         // Shift held around the key
std::vector<KeyStroke> typeLetters(const std::string& lowerCaseLetters);

// Polls until the condition holds or the time runs out; returns the last result.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000);

class PlayerRun {
public:
    PlayerRun() = default;
    ~PlayerRun();
    PlayerRun(const PlayerRun&) = delete;
    PlayerRun& operator=(const PlayerRun&) = delete;

    // How far start waits: until the board has settled, only until it
    // first shows (its pictures may still be coming), or only until the
    // main window is made, before its message loop runs.
    enum class Until { Settled, Shown, Made };
    // Starts the program with `folder` as its current directory and waits
    // until its main window and board show, the board has settled (every
    // entry built and every picture placed: quiz/board_settled.h) and its message
    // loop runs; the message boxes it shows meanwhile are answered with OK
    // and recorded.
    bool start(const std::string& program, const std::string& folder, Until until = Until::Settled);
    // The rest of a start that stopped early: waits until the board shows
    // and has settled, and the message loop runs.
    bool waitUntilSettled();
    // Posts WM_CLOSE and waits for the process to end; false when it does not.
    bool close();
    DWORD exitCode() const { return exitCode_; }
    HANDLE process() const { return process_.hProcess; }

    HWND mainWindow() const { return main_; }
    HWND board() const { return board_; }
    const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }

    HWND boardItem(int id) const { return GetDlgItem(board_, id); }
    HWND headerItem(int id) const { return GetDlgItem(main_, id); }
    // Every child with that identifier, in the parent's stacking order.
    std::vector<HWND> childrenWithId(HWND parent, int id) const;
    std::vector<HWND> childrenOfClass(HWND parent, const std::string& className) const;

    std::string text(HWND window) const;
    std::string boardText(int id) const { return text(boardItem(id)); }
    std::string headerText(int id) const { return text(headerItem(id)); }
    void setText(HWND window, const std::string& text) const;

    // Posted messages, then waiting until the player has handled them and
    // whatever they posted in turn.
    void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    void postKeyUp(HWND window, WORD key) const;
    void postKeyDown(HWND window, WORD key) const;
    void settle() const;

    // Keyboard focus inside the player, moved as the platform moves it.
    void focus(HWND window) const;
    HWND focused() const;
    // Brings the main window to the front so that real keys reach it.
    bool bringToFront() const;
    // Types real keys (SendInput) into whatever has the player's focus.
    bool type(const std::vector<KeyStroke>& strokes) const;

    // Position and size in the parent's client coordinates.
    Placement placementIn(HWND control, HWND parent) const;
    // Every pair of visible board controls that share more than a 1-pixel
    // border, one line each naming both by identifier, text and place.
    std::vector<std::string> overlappingBoardControls() const;
    // The colour on screen at (x, y) of a control's window rectangle, once
    // the player has painted it as `expected` or the time ran out.
    Colour colourAt(HWND control, int x, int y, Colour expected) const;

private:
    void answerMessageBoxes();
    bool waitUntilShown();
    bool reportEnded(const char* when);
    bool reportTimeout(const char* what);
    HWND findMainWindow() const;
    HWND settleTarget() const;

    PROCESS_INFORMATION process_ = {};
    DWORD started_ = 0;
    HWND main_ = nullptr;
    HWND board_ = nullptr;
    DWORD exitCode_ = STILL_ACTIVE;
    std::vector<ShownMessageBox> messageBoxes_;
};

// A fresh, empty working folder for one test, removed with what it holds
// when the test is done (declare it before the PlayerRun that uses it).
class TestFolder {
public:
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Files of a folder, by name, for checks of what a run left behind.
std::vector<std::string> filesIn(const std::string& folder);
bool writeWholeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
