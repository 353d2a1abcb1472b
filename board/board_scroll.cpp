#include "board/board_scroll.h"

#include "board/app_state.h"

namespace {

constexpr int verticalLine = 30;
constexpr int horizontalLine = 1;

void setBar(HWND board, int bar, int content, int visible)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = content - 2;
    info.nPage = static_cast<UINT>(visible - 1);
    SetScrollInfo(board, bar, &info, TRUE);
}

int requestedPosition(const SCROLLINFO& info, int bar, WORD request)
{
    bool vertical = bar == SB_VERT;
    int line = vertical ? verticalLine : horizontalLine;
    switch (request) {
    case SB_LINEUP: return info.nPos - line;
    case SB_LINEDOWN: return info.nPos + line;
    case SB_PAGEUP: return info.nPos - static_cast<int>(info.nPage);
    case SB_PAGEDOWN: return info.nPos + static_cast<int>(info.nPage);
    case SB_THUMBTRACK: return info.nTrackPos;
    case SB_TOP: return vertical ? 0 : info.nPos;
    case SB_BOTTOM: return vertical ? info.nMax : info.nPos;
    }
    return info.nPos;
}

}  // namespace

RECT boardRectIn(const RECT& client)
{
    return {5, 50, 5 + client.right - 11, 50 + client.bottom - 68};
}

void updateBoardScrollInfo(HWND board)
{
    RECT client;
    GetClientRect(board, &client);
    int visibleWidth = client.right;
    int visibleHeight = client.bottom;
    if (visibleWidth >= boardContentWidth) {
        visibleWidth = boardContentWidth;
        SetScrollPos(board, SB_HORZ, 0, FALSE);
    }
    if (visibleHeight >= boardContentHeight) {
        visibleHeight = boardContentHeight;
        SetScrollPos(board, SB_VERT, 0, FALSE);
    }
    setBar(board, SB_HORZ, boardContentWidth, visibleWidth);
    setBar(board, SB_VERT, boardContentHeight, visibleHeight);
}

void scrollBoard(HWND board, int bar, WPARAM request)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(board, bar, &info);
    int old = info.nPos;
    int wanted = requestedPosition(info, bar, LOWORD(request));
    if (wanted < info.nMin)
        wanted = info.nMin;
    if (wanted > info.nMax)
        wanted = info.nMax;
    info.fMask = SIF_POS;
    info.nPos = wanted;
    SetScrollInfo(board, bar, &info, TRUE);
    // The bar keeps the position at most content - visible.
    int now = GetScrollPos(board, bar);
    if (bar == SB_VERT)
        ScrollWindow(board, 0, old - now, nullptr, nullptr);
    else
        ScrollWindow(board, old - now, 0, nullptr, nullptr);
}

void keepScrollConsistent(HWND board)
{
    int oldX = GetScrollPos(board, SB_HORZ);
    int oldY = GetScrollPos(board, SB_VERT);
    updateBoardScrollInfo(board);
    int newX = GetScrollPos(board, SB_HORZ);
    int newY = GetScrollPos(board, SB_VERT);
    ScrollWindow(board, oldX - newX, oldY - newY, nullptr, nullptr);
}

POINT boardContentOrigin(HWND board)
{
    return {-GetScrollPos(board, SB_HORZ), -GetScrollPos(board, SB_VERT)};
}

void forwardWheel(HWND target, WPARAM wParam)
{
    WORD delta = HIWORD(wParam);
    if (delta == 120)
        PostMessageA(target, WM_VSCROLL, SB_LINEUP, 0);
    else if (delta == 0xFF88)
        PostMessageA(target, WM_VSCROLL, SB_LINEDOWN, 0);
}
