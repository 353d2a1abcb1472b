#include "board/controls.h"

void readControlText(HWND parent, int id, char (&text)[QuizTextSize])
{
    text[0] = '\0';
    GetDlgItemTextA(parent, id, text, QuizTextSize);
}

void setControlText(HWND parent, int id, const char* text)
{
    if (HWND control = GetDlgItem(parent, id))
        SetWindowTextA(control, text);
}

HWND createControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id, bool guiFont)
{
    HWND control = CreateWindowExA(0, className, text, style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (control && guiFont)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}
