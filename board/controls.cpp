#include "board/controls.h"

#include <cstring>

void readControlText(HWND parent, int id, char (&text)[QuizTextSize])
{
    text[0] = '\0';
    GetDlgItemTextA(parent, id, text, QuizTextSize);
}

void setControlText(HWND parent, int id, const char* text)
{
    HWND control = GetDlgItem(parent, id);
    if (!control)
        return;
    // Judging rewrites labels that mostly keep their text; an unchanged
    // label is not repainted.
    char current[QuizTextSize];
    readControlText(parent, id, current);
    if (std::strncmp(current, text, QuizTextSize - 1) != 0)
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
