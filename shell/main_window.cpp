#include "shell/main_window.h"

#include "board/app_state.h"
#include "board/board_scroll.h"
#include "board/media.h"
#include "board/score_display.h"
#include "quiz/board_settled.h"
#include "quiz/content_extents.h"
#include "shell/answers_file.h"
#include "win32/late_bound.h"
#include "win32/scoped_handles.h"
#include "win32/startup_trace.h"


namespace {

constexpr COLORREF headerColour = 0xFF8080;
constexpr COLORREF linkColour = 0xFF3232;
constexpr COLORREF versionColour = 0xC8D0D4;

constexpr char versionText[] = "R\xE9" "alis\xE9 avec la version 2.1";
// The version label keeps the right edge of a 130-pixel label 15 pixels in
// from the client area's, and grows leftwards as its text needs.
constexpr int versionRightMargin = 15;
int versionLabelWidth = 130;

int measuredWidth(HWND label, const char* text)
{
    WindowDc dc(label);
    Selection font(dc.dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc.dc, text, lstrlenA(text), &size);
    return size.cx;
}

void onCreate(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HWND version = createLabel(window, versionText, 725, client.bottom - 16, 130, 15, VersionLabelId);
    // Two pixels to spare, so the last letter is never clipped.
    double since = startupClock();
    int needed = measuredWidth(version, versionText) + 2;
    addStartupCost("version label measured (first text measured)", since);
    if (needed > versionLabelWidth) {
        versionLabelWidth = needed;
        SetWindowPos(version, nullptr, 725 + 130 - needed, client.bottom - 16, needed, 15, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    since = startupClock();
    createHeader(window);
    addStartupCost("header made", since);
    const Quiz& quiz = *currentQuiz;
    boardContentWidth = contentWidthFor(quiz.answersPerEntry);
    boardContentHeight = contentHeightFor(quiz.kind, quiz.entryCount, quiz.answersPerEntry, quiz.revealKind);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
}

void onSize(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    RECT board = boardRectIn(client);
    SetWindowPos(boardWindow, nullptr, board.left, board.top, board.right - board.left, board.bottom - board.top,
                 SWP_NOZORDER);
    SetWindowPos(GetDlgItem(window, VersionLabelId), nullptr, client.right - versionRightMargin - versionLabelWidth,
                 client.bottom - 16, versionLabelWidth, 15, SWP_NOACTIVATE);
}

void onClose()
{
    saveAnswers(boardWindow);
    // A playing sound holds its file open; it is stopped so the file can go.
    stopSound();
    removeMediaFile(MediaKind::Sound, 0);
    PostQuitMessage(0);
}

void onKeyDown(WPARAM key)
{
    WPARAM request;
    switch (key) {
    case VK_PRIOR: request = SB_PAGEUP; break;
    case VK_NEXT: request = SB_PAGEDOWN; break;
    case VK_END: request = SB_BOTTOM; break;
    case VK_HOME: request = SB_TOP; break;
    case VK_UP: request = SB_LINEUP; break;
    case VK_DOWN: request = SB_LINEDOWN; break;
    default: return;
    }
    SendMessageA(boardWindow, WM_VSCROLL, request, 0);
}

void onCommand(WPARAM command)
{
    if (command == LinkLabelId && *linkAddress())
        shellExecute(nullptr, "open", linkAddress(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT onCtlColorStatic(HDC dc, HWND label)
{
    static HBRUSH headerBrush = CreateSolidBrush(headerColour);
    static HBRUSH versionBrush = CreateSolidBrush(versionColour);
    switch (GetDlgCtrlID(label)) {
    case ScoreFrameId: case CodeFrameId: case TitleFrameId: case AuthorFrameId:
    case ScoreDisplayId: case CodeCaptionId: case CodeDisplayId:  // ScoreDisplayId is HeaderTextId too
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(headerBrush);
    case LinkLabelId:
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, linkColour);
        return reinterpret_cast<LRESULT>(headerBrush);
    case VersionLabelId:
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(versionBrush);
    }
    return 0;
}

void onDestroy(HWND window)
{
    RemovePropA(window, BoardSettledProperty);
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_SIZE:
        onSize(window);
        return 0;
    case WM_DESTROY:
        onDestroy(window);
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_ENDSESSION:
        // The session ends without a close: the answers are saved all the same.
        if (wParam)
            saveAnswers(boardWindow);
        return 0;
    case WM_KEYDOWN:
        onKeyDown(wParam);
        return 0;
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEWHEEL:
        forwardWheel(boardWindow, wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
