#include "tests/e2e/player_driver.h"

#include "quiz/board_settled.h"
#include "tests/win32/driver.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include <fstream>

namespace {

constexpr DWORD startTimeoutMs = 20000;
constexpr DWORD closeTimeoutMs = 10000;
constexpr DWORD settleTimeoutMs = 5000;
constexpr DWORD paintTimeoutMs = 3000;

// A sent message overtakes posted ones, so it cannot tell when they are
// done. A posted marker can: an answer box's text limit, which the player
// never touches itself, is raised by a posted message; once it reads
// raised, everything posted earlier is handled, and it is set back. Raising
// it by a sent message instead would let it overtake a character posted
// just before, which would then be typed past the box's real limit.
constexpr WPARAM markerStep = 1;

}  // namespace

std::ostream& operator<<(std::ostream& out, const Placement& placement)
{
    return out << "(" << placement.x << ", " << placement.y << ") " << placement.width << " x " << placement.height;
}

std::ostream& operator<<(std::ostream& out, const Colour& colour)
{
    return out << "RGB(" << int(GetRValue(colour.value)) << ", " << int(GetGValue(colour.value)) << ", "
               << int(GetBValue(colour.value)) << ")";
}

std::vector<KeyStroke> tapKey(WORD key)
{
    return {{key, false}, {key, true}};
}

std::vector<KeyStroke> tapWithShift(WORD key)
{
    return {{VK_SHIFT, false}, {key, false}, {key, true}, {VK_SHIFT, true}};
}

std::vector<KeyStroke> typeLetters(const std::string& lowerCaseLetters)
{
    std::vector<KeyStroke> strokes;
    for (char letter : lowerCaseLetters) {
        WORD key = static_cast<WORD>(letter - 'a' + 'A');
        strokes.push_back({key, false});
        strokes.push_back({key, true});
    }
    return strokes;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD started = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - started > timeoutMs)
            return condition();
        Sleep(10);
    }
    return true;
}

PlayerRun::~PlayerRun()
{
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, closeTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool PlayerRun::start(const std::string& program, const std::string& folder, Until until)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!startProcess("\"" + program + "\"", folder.c_str(), startup, process_))
        return false;
    started_ = GetTickCount();
    if (until == Until::Made) {
        while (GetTickCount() - started_ < startTimeoutMs) {
            if (WaitForSingleObject(process_.hProcess, 1) == WAIT_OBJECT_0)
                return reportEnded("before its main window was made");
            if ((main_ = findMainWindow()))
                return true;
        }
        return reportTimeout("its main window was not made");
    }
    if (!waitUntilShown())
        return false;
    return until == Until::Shown || waitUntilSettled();
}

// The process's main window, shown or not yet.
HWND PlayerRun::findMainWindow() const
{
    for (HWND main = FindWindowExA(nullptr, nullptr, "WindowsApp", nullptr); main;
         main = FindWindowExA(nullptr, main, "WindowsApp", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(main, &owner);
        if (owner == process_.dwProcessId)
            return main;
    }
    return nullptr;
}

bool PlayerRun::waitUntilShown()
{
    while (GetTickCount() - started_ < startTimeoutMs) {
        if (WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0)
            return reportEnded("before its board showed");
        answerMessageBoxes();
        HWND main = visibleTopWindowOf(process_.dwProcessId, "WindowsApp");
        HWND board = main ? FindWindowExA(main, nullptr, "#32770", nullptr) : nullptr;
        if (board && IsWindowVisible(board)) {
            main_ = main;
            board_ = board;
            return true;
        }
    }
    return reportTimeout("its board did not show");
}

bool PlayerRun::reportTimeout(const char* what)
{
    std::fprintf(stderr, "the player ran %lu ms, and %s\n", static_cast<unsigned long>(startTimeoutMs), what);
    return false;
}

// Say why a start stopped short: a test that fails there shows the cause.
bool PlayerRun::reportEnded(const char* when)
{
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    std::fprintf(stderr, "the player ended %s, exit code %lu, after %zu message box(es)\n", when,
                 static_cast<unsigned long>(code), messageBoxes_.size());
    return false;
}

bool PlayerRun::waitUntilSettled()
{
    if (!board_ && !waitUntilShown())
        return false;
    // The board shows before all of it is built and its pictures placed;
    // what tests read is the settled board.
    while (!GetPropA(main_, BoardSettledProperty) && GetTickCount() - started_ < startTimeoutMs) {
        if (WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0)
            return reportEnded("before its board settled");
        answerMessageBoxes();
    }
    if (!GetPropA(main_, BoardSettledProperty))
        return reportTimeout("its board did not settle");
    // Answered only once the message loop runs: start-up is over.
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, startTimeoutMs, &result) != 0;
}

void PlayerRun::answerMessageBoxes()
{
    while (HWND box = visibleTopWindowOf(process_.dwProcessId, "#32770")) {
        ShownMessageBox shown;
        shown.caption = windowText(box);
        shown.text = staticTextsOf(box);
        messageBoxes_.push_back(shown);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (!waitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, settleTimeoutMs))
            return;
    }
}

bool PlayerRun::close()
{
    if (!process_.hProcess || !main_)
        return false;
    PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, closeTimeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_.hProcess, &exitCode_);
    return true;
}

std::vector<HWND> PlayerRun::childrenWithId(HWND parent, int id) const
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == id)
            found.push_back(child);
    return found;
}

std::vector<HWND> PlayerRun::childrenOfClass(HWND parent, const std::string& className) const
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (lstrcmpiA(classNameOf(child).c_str(), className.c_str()) == 0)
            found.push_back(child);
    return found;
}

std::string PlayerRun::text(HWND window) const
{
    return window ? windowText(window) : std::string("<no such window>");
}

void PlayerRun::setText(HWND window, const std::string& text) const
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        settleTimeoutMs, &result);
}

void PlayerRun::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    PostMessageA(window, message, wParam, lParam);
    settle();
}

void PlayerRun::postKeyUp(HWND window, WORD key) const
{
    UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    post(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}

void PlayerRun::postKeyDown(HWND window, WORD key) const
{
    UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    post(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
}

// The first answer box, present whenever the board has any.
HWND PlayerRun::settleTarget() const
{
    return boardItem(4001);
}

// Twice: what the player posts while handling a message (the wheel's
// scroll requests) comes after the first marker. A board without boxes
// takes nothing posted that needs waiting for.
void PlayerRun::settle() const
{
    HWND target = settleTarget();
    for (int round = 0; round < 2; ++round) {
        DWORD_PTR limit = 0;
        if (!target) {
            SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, settleTimeoutMs, &limit);
            continue;
        }
        SendMessageTimeoutA(target, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, settleTimeoutMs, &limit);
        PostMessageA(target, EM_SETLIMITTEXT, limit + markerStep, 0);
        waitUntil(
            [&] {
                DWORD_PTR now = 0;
                SendMessageTimeoutA(target, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, settleTimeoutMs, &now);
                return now == limit + markerStep;
            },
            settleTimeoutMs);
        DWORD_PTR restored = 0;
        SendMessageTimeoutA(target, EM_SETLIMITTEXT, limit, 0, SMTO_ABORTIFHUNG, settleTimeoutMs, &restored);
    }
}

void PlayerRun::focus(HWND window) const
{
    DWORD mine = GetCurrentThreadId();
    DWORD theirs = GetWindowThreadProcessId(window, nullptr);
    AttachThreadInput(mine, theirs, TRUE);
    SetFocus(window);
    AttachThreadInput(mine, theirs, FALSE);
    settle();
}

HWND PlayerRun::focused() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info))
        return nullptr;
    return info.hwndFocus;
}

bool PlayerRun::bringToFront() const
{
    if (GetForegroundWindow() != main_)
        SetForegroundWindow(main_);
    return waitUntil([this] { return GetForegroundWindow() == main_; });
}

bool PlayerRun::type(const std::vector<KeyStroke>& strokes) const
{
    // Keys go to the foreground window's focus, which must be the player's;
    // activating it again gives the main window the focus, so it goes back.
    if (GetForegroundWindow() != main_) {
        HWND target = focused();
        if (!bringToFront())
            return false;
        if (target && focused() != target)
            focus(target);
    }
    std::vector<INPUT> inputs;
    for (const KeyStroke& stroke : strokes) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = stroke.key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(stroke.key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = stroke.release ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

Placement PlayerRun::placementIn(HWND control, HWND parent) const
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<std::string> PlayerRun::overlappingBoardControls() const
{
    std::vector<HWND> shown;
    std::vector<Placement> places;
    for (HWND child = GetWindow(board_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) {
            shown.push_back(child);
            places.push_back(placementIn(child, board_));
        }
    auto name = [&](std::size_t at) {
        std::ostringstream out;
        out << GetDlgCtrlID(shown[at]) << " \"" << text(shown[at]) << "\" at " << places[at];
        return out.str();
    };
    std::vector<std::string> pairs;
    for (std::size_t a = 0; a < shown.size(); ++a) {
        const Placement& first = places[a];
        for (std::size_t b = a + 1; b < shown.size(); ++b) {
            const Placement& second = places[b];
            int width = std::min(first.x + first.width, second.x + second.width) - std::max(first.x, second.x);
            int height = std::min(first.y + first.height, second.y + second.height) - std::max(first.y, second.y);
            if (width > 1 && height > 1)
                pairs.push_back(name(a) + " and " + name(b));
        }
    }
    return pairs;
}

Colour PlayerRun::colourAt(HWND control, int x, int y, Colour expected) const
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    HDC screen = GetDC(nullptr);
    Colour seen = {CLR_INVALID};
    waitUntil(
        [&] {
            seen.value = GetPixel(screen, rect.left + x, rect.top + y);
            return seen == expected;
        },
        paintTimeoutMs);
    ReleaseDC(nullptr, screen);
    return seen;
}

TestFolder::TestFolder(const std::string& name) : path_(freshFolder(name)) {}

TestFolder::~TestFolder()
{
    for (const std::string& name : filesIn(path_)) {
        std::string path = file(name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(path_.c_str());
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool writeWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

bool fileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
