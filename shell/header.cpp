#include "shell/main_window.h"

#include "board/app_state.h"
#include "board/score_display.h"
#include "win32/window_text.h"

#include <cstdio>

namespace {

constexpr DWORD labelStyle = WS_CHILD | WS_VISIBLE;

HWND createPlainLabel(HWND parent, const char* text, DWORD style, int x, int y, int width, int height, int id)
{
    return createWindowWithText("Static", text, style, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), appInstance);
}

// The link shows the hand while the mouse is over it.
WNDPROC linkLabelProc = nullptr;

LRESULT CALLBACK handOverLink(HWND label, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR && *linkAddress()) {
        static HCURSOR hand = LoadCursorA(appInstance, MAKEINTRESOURCEA(HandCursorId));
        SetCursor(hand);
        return TRUE;
    }
    return CallWindowProcA(linkLabelProc, label, message, wParam, lParam);
}

}  // namespace

HWND createLabel(HWND parent, const char* text, int x, int y, int width, int height, int id)
{
    HWND label = createPlainLabel(parent, text, labelStyle, x, y, width, height, id);
    // Not drawn yet: no redraw asked for.
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return label;
}

void makeLinkLook(HWND label)
{
    RECT client;
    GetClientRect(label, &client);
    LOGFONTA look = {};
    look.lfHeight = -(client.bottom * 3 / 4);
    look.lfWeight = FW_NORMAL;
    look.lfUnderline = TRUE;
    static HFONT font = CreateFontIndirectA(&look);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    linkLabelProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(handOverLink)));
}

const char* linkAddress()
{
    return currentQuiz->link[0] ? currentQuiz->link : publisherAddress;
}

void createHeader(HWND window)
{
    const Quiz& quiz = *currentQuiz;
    createPlainLabel(window, "", labelStyle | WS_BORDER, 5, 2, 100, 24, ScoreFrameId);
    createPlainLabel(window, "", labelStyle | WS_BORDER, 5, 25, 100, 22, CodeFrameId);
    createPlainLabel(window, "", labelStyle | WS_BORDER, 104, 2, 623, 45, TitleFrameId);
    createPlainLabel(window, "", labelStyle | WS_BORDER, 726, 2, 130, 45, AuthorFrameId);
    createLabel(window, " Code :", 10, 29, 36, 15, CodeCaptionId);
    createLabel(window, " xxxxxx", 47, 28, 55, 16, CodeDisplayId);
    char score[32];
    std::snprintf(score, sizeof score, " 0 / %d", quiz.entryCount);
    createPlainLabel(window, score, labelStyle | SS_CENTER, 10, 5, 90, 18, ScoreDisplayId);
    makeLinkLook(createPlainLabel(window, linkAddress(), labelStyle | SS_NOTIFY, 736, 5, 115, 18, LinkLabelId));
    createLabel(window, "Par :", 736, 25, 27, 18, HeaderTextId);
    createLabel(window, quiz.author, 763, 25, 85, 18, HeaderTextId);
    createPlainLabel(window, quiz.title, labelStyle, 110, 3, 220, 18, HeaderTextId);
    createLabel(window, quiz.description, 110, 19, 580, 27, HeaderTextId);
}

void centreWindow(HWND window, HWND reference)
{
    RECT outer, own;
    GetWindowRect(reference, &outer);
    GetWindowRect(window, &own);
    int left = outer.left + ((outer.right - outer.left) - (own.right - own.left)) / 2;
    int top = outer.top + ((outer.bottom - outer.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
