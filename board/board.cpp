#include "board/board.h"

#include "shell/app.h"

INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        buildBoard(board);
        return TRUE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(currentQuiz->boardBrush);
    case WM_CTLCOLORSTATIC:
        return labelColour(board, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_HSCROLL:
        scrollBoard(board, SB_HORZ, wParam);
        return FALSE;
    case WM_VSCROLL:
        scrollBoard(board, SB_VERT, wParam);
        return FALSE;
    case WM_SIZE:
        keepScrollConsistent(board);
        return FALSE;
    case WM_MOUSEWHEEL:
        // Left unclaimed, the wheel also reaches the main window, which
        // scrolls the board once more.
        forwardWheel(board, wParam);
        return FALSE;
    }
    return FALSE;
}
