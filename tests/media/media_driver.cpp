#include "tests/media/media_driver.h"

#include "tests/win32/driver.h"

#include <cstdlib>
#include <set>
#include <tlhelp32.h>
#include <vfw.h>

namespace {

constexpr DWORD answerTimeoutMs = 5000;
constexpr DWORD nextBoxWaitMs = 300;
constexpr DWORD paintTimeoutMs = 3000;
constexpr DWORD sendTimeoutMs = 5000;
// Far more lines than any test board is tall: a bound, not a wait.
constexpr int mostScrollSteps = 400;

RECT screenRectOfClient(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

}  // namespace

std::string overlapsListed(const PlayerRun& run)
{
    std::string text;
    for (const std::string& pair : run.overlappingBoardControls())
        text += pair + "\n";
    return text;
}

HWND boardChildReading(const PlayerRun& run, int id, const std::string& text)
{
    for (HWND child : run.childrenWithId(run.board(), id))
        if (run.text(child) == text)
            return child;
    return nullptr;
}

std::vector<ShownMessageBox> answerMessageBoxesOf(const PlayerRun& run, DWORD waitMs)
{
    std::vector<ShownMessageBox> shown;
    DWORD processId = 0;
    GetWindowThreadProcessId(run.mainWindow(), &processId);
    DWORD wait = waitMs;
    for (;;) {
        HWND box = nullptr;
        waitUntil(
            [&] {
                std::vector<HWND> boxes = visibleTopWindowsOf(processId, "#32770");
                box = boxes.empty() ? nullptr : boxes.front();
                return box != nullptr;
            },
            wait);
        if (!box)
            return shown;
        ShownMessageBox seen;
        seen.caption = windowText(box);
        seen.text = staticTextsOf(box);
        shown.push_back(seen);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (!waitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, answerTimeoutMs))
            return shown;
        wait = nextBoxWaitMs;
    }
}

LPARAM shownBitmap(HWND picture)
{
    DWORD_PTR image = 0;
    SendMessageTimeoutA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &image);
    return LPARAM(image);
}

bool coloursClose(Colour seen, Colour expected, int tolerance)
{
    return seen.value != CLR_INVALID
           && std::abs(int(GetRValue(seen.value)) - int(GetRValue(expected.value))) <= tolerance
           && std::abs(int(GetGValue(seen.value)) - int(GetGValue(expected.value))) <= tolerance
           && std::abs(int(GetBValue(seen.value)) - int(GetBValue(expected.value))) <= tolerance;
}

Colour colourNear(HWND control, int x, int y, Colour expected, int tolerance)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    HDC screen = GetDC(nullptr);
    Colour seen = {CLR_INVALID};
    waitUntil(
        [&] {
            seen.value = GetPixel(screen, rect.left + x, rect.top + y);
            return coloursClose(seen, expected, tolerance);
        },
        paintTimeoutMs);
    ReleaseDC(nullptr, screen);
    return seen;
}

bool scrollIntoView(const PlayerRun& run, HWND control)
{
    for (int step = 0; step < mostScrollSteps; ++step) {
        RECT visible = screenRectOfClient(run.board());
        RECT rect = {};
        GetWindowRect(control, &rect);
        if (rect.top >= visible.top && rect.bottom <= visible.bottom)
            return true;
        int page = visible.bottom - visible.top;
        if (rect.bottom - rect.top > page)
            return false;
        // Pages while far away, then lines.
        WORD key = rect.top < visible.top ? (rect.top < visible.top - page ? VK_PRIOR : VK_UP)
                                          : (rect.bottom > visible.bottom + page ? VK_NEXT : VK_DOWN);
        run.postKeyDown(run.mainWindow(), key);
    }
    return false;
}

int boardClientHeight(const PlayerRun& run)
{
    RECT client = {};
    GetClientRect(run.board(), &client);
    return client.bottom;
}

int contentHeightFromBottom(const PlayerRun& run, int controlId, int controlContentY)
{
    run.postKeyDown(run.mainWindow(), VK_END);
    int seenY = run.placementIn(run.boardItem(controlId), run.board()).y;
    return controlContentY - seenY + boardClientHeight(run);
}

std::vector<HWND> soundWindowsOf(const PlayerRun& run)
{
    return run.childrenOfClass(run.board(), MCIWND_WINDOW_CLASS);
}

LRESULT soundWindowMode(HWND soundWindow)
{
    DWORD_PTR mode = 0;
    if (!SendMessageTimeoutA(soundWindow, MCIWNDM_GETMODEA, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &mode))
        return -1;
    return LRESULT(mode);
}

std::vector<std::string> filesMatching(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

FolderWatch::FolderWatch(const std::string& folder)
    : folder_(CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr)),
      event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), overlapped_(), buffer_(16384), pending_(false)
{
    pending_ = watch();
}

FolderWatch::~FolderWatch()
{
    if (folder_ != INVALID_HANDLE_VALUE) {
        CancelIo(folder_);
        if (pending_) {
            DWORD ignored = 0;
            GetOverlappedResult(folder_, &overlapped_, &ignored, TRUE);
        }
        CloseHandle(folder_);
    }
    if (event_)
        CloseHandle(event_);
}

bool FolderWatch::watch()
{
    if (folder_ == INVALID_HANDLE_VALUE || !event_)
        return false;
    ResetEvent(event_);
    overlapped_ = {};
    overlapped_.hEvent = event_;
    return ReadDirectoryChangesW(folder_, buffer_.data(), DWORD(buffer_.size() * sizeof(DWORD)), FALSE,
                                 FILE_NOTIFY_CHANGE_FILE_NAME, nullptr, &overlapped_, nullptr);
}

std::vector<std::string> FolderWatch::changes(DWORD quietMs)
{
    while (pending_ && WaitForSingleObject(event_, quietMs) == WAIT_OBJECT_0) {
        DWORD length = 0;
        if (!GetOverlappedResult(folder_, &overlapped_, &length, FALSE))
            break;
        const auto* bytes = reinterpret_cast<const BYTE*>(buffer_.data());
        for (DWORD at = 0; length > 0 && at < length;) {
            const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(bytes + at);
            char name[MAX_PATH] = "";
            WideCharToMultiByte(CP_ACP, 0, change->FileName, int(change->FileNameLength / sizeof(WCHAR)), name,
                                sizeof name - 1, nullptr, nullptr);
            if (change->Action == FILE_ACTION_ADDED || change->Action == FILE_ACTION_RENAMED_NEW_NAME)
                seen_.push_back(std::string("+") + name);
            else if (change->Action == FILE_ACTION_REMOVED || change->Action == FILE_ACTION_RENAMED_OLD_NAME)
                seen_.push_back(std::string("-") + name);
            if (!change->NextEntryOffset)
                break;
            at += change->NextEntryOffset;
        }
        pending_ = watch();
    }
    return seen_;
}

ScopedDllOverride::ScopedDllOverride(const std::string& programName, const std::string& dll, const std::string& value)
    : programKey_("Software\\Wine\\AppDefaults\\" + programName), set_(false)
{
    HKEY overrides = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (programKey_ + "\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &overrides, nullptr)
        != ERROR_SUCCESS)
        return;
    set_ = RegSetValueExA(overrides, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          DWORD(value.size() + 1))
           == ERROR_SUCCESS;
    RegCloseKey(overrides);
}

ScopedDllOverride::~ScopedDllOverride()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, (programKey_ + "\\DllOverrides").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, programKey_.c_str());
}

DWORD processOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

EndsProcessesStartedBy::EndsProcessesStartedBy(DWORD parentId, const std::string& exeName)
    : parentId_(parentId), exeName_(exeName)
{
}

EndsProcessesStartedBy::~EndsProcessesStartedBy()
{
    if (!parentId_)
        return;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parentId_ || lstrcmpiA(entry.szExeFile, exeName_.c_str()) != 0)
            continue;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, answerTimeoutMs);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
}

WatchedRun watchRun(const std::string& program, const std::string& folder, DWORD timeoutMs)
{
    WatchedRun run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!startProcess("\"" + program + "\"", folder.c_str(), startup, process))
        return run;
    run.started = true;
    std::set<HWND> seen;
    DWORD started = GetTickCount();
    while (GetTickCount() - started < timeoutMs) {
        for (HWND window : visibleTopWindowsOf(process.dwProcessId, nullptr))
            seen.insert(window);
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0) {
            run.ended = true;
            break;
        }
    }
    if (!run.ended) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, answerTimeoutMs);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    run.visibleWindows = int(seen.size());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
