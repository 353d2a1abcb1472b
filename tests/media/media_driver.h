// What the media tests need beyond the end-to-end driver: message boxes
// that the player shows while it runs, the image a picture control holds,
// colours read with a tolerance, scrolling a control into view, the MCI
// windows that play sounds, files coming and going in a folder, and runs
// with a DLL disabled.
#pragma once

#include "tests/e2e/player_driver.h"

#include <string>
#include <vector>

// The board's child with that identifier reading that text: every number
// label shares one identifier, so the text tells them apart.
HWND boardChildReading(const PlayerRun& run, int id, const std::string& text);

// The board's overlapping visible controls, one pair a line; empty when none.
std::string overlapsListed(const PlayerRun& run);

// Message boxes of the player's process shown within `waitMs`, answered
// with OK, in the order they came; waits until none is left.
std::vector<ShownMessageBox> answerMessageBoxesOf(const PlayerRun& run, DWORD waitMs);

// The bitmap a static control shows (STM_GETIMAGE): the handle's value in
// the player's process, 0 when it shows none.
LPARAM shownBitmap(HWND picture);

// The colour on screen at (x, y) of a control's window rectangle, once it
// is within `tolerance` of `expected` in each of red, green and blue, or
// the last one seen when the time ran out.
Colour colourNear(HWND control, int x, int y, Colour expected, int tolerance);
bool coloursClose(Colour seen, Colour expected, int tolerance);

// Scrolls the board with Page Up, Page Down, Up and Down sent to the main
// window until the whole control shows; false when it cannot be brought in.
bool scrollIntoView(const PlayerRun& run, HWND control);

// The height of the board's visible content: its client area.
int boardClientHeight(const PlayerRun& run);

// The board's content height as the user can measure it: End, pressed in
// the main window, scrolls the content's last row to the bottom of the
// board, so a control at content row y then shows at y - (content height -
// visible height).
int contentHeightFromBottom(const PlayerRun& run, int controlId, int controlContentY);

// The windows of the MCI window class among the board's children, and the
// mode one reports (MCIWNDM_GETMODE with no text buffer).
std::vector<HWND> soundWindowsOf(const PlayerRun& run);
LRESULT soundWindowMode(HWND soundWindow);

// Files of a folder whose names match a wildcard pattern.
std::vector<std::string> filesMatching(const std::string& folder, const std::string& pattern);

// Watches a folder for files appearing and going, from its creation on:
// what a program writes and removes again at once leaves no other trace.
class FolderWatch {
public:
    explicit FolderWatch(const std::string& folder);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
    bool watching() const { return pending_; }
    // The changes reported until the folder has been quiet for `quietMs`,
    // in order: "+name" for a file that appeared, "-name" for one that went.
    std::vector<std::string> changes(DWORD quietMs = 300);

private:
    bool watch();

    HANDLE folder_;
    HANDLE event_;
    OVERLAPPED overlapped_;
    std::vector<DWORD> buffer_;  // DWORD-aligned, as the notifications need
    bool pending_;
    std::vector<std::string> seen_;
};

// A Wine DLL override for one program name (the prefix's AppDefaults
// registry key, which Wine reads when a program of that name starts), for
// the life of the object. Wine takes WINEDLLOVERRIDES from the Unix
// environment it started with, not from the environment block a Windows
// program hands to CreateProcess, so this is how a test program disables a
// DLL for the programs it starts. An empty value disables the DLL.
class ScopedDllOverride {
public:
    ScopedDllOverride(const std::string& programName, const std::string& dll, const std::string& value);
    ~ScopedDllOverride();
    ScopedDllOverride(const ScopedDllOverride&) = delete;
    ScopedDllOverride& operator=(const ScopedDllOverride&) = delete;
    bool set() const { return set_; }

private:
    std::string programKey_;
    bool set_;
};

// The process a window belongs to.
DWORD processOf(HWND window);

// When it goes, ends the processes of one executable name that a given
// process started and that still run: helpers that outlive the program
// that needed them.
class EndsProcessesStartedBy {
public:
    EndsProcessesStartedBy(DWORD parentId, const std::string& exeName);
    ~EndsProcessesStartedBy();
    EndsProcessesStartedBy(const EndsProcessesStartedBy&) = delete;
    EndsProcessesStartedBy& operator=(const EndsProcessesStartedBy&) = delete;

private:
    DWORD parentId_;
    std::string exeName_;
};

// A run that is only watched: the program is started in a folder and left
// alone until it ends or the time runs out (it is then ended).
struct WatchedRun {
    bool started = false;
    bool ended = false;
    DWORD exitCode = STILL_ACTIVE;
    int visibleWindows = 0;  // top-level windows of the process seen visible
};
WatchedRun watchRun(const std::string& program, const std::string& folder, DWORD timeoutMs);
