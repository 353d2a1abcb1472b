#include "win32/window_text.h"

HWND createWindowWithText(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                          HWND parent, HMENU menu, HINSTANCE instance)
{
    bool ordinalLike = static_cast<unsigned char>(text[0]) == 0xFF;
    HWND window = CreateWindowExA(0, className, ordinalLike ? "" : text, style, x, y, width, height, parent, menu,
                                  instance, nullptr);
    if (window && ordinalLike)
        SetWindowTextA(window, text);
    return window;
}
