// Windows that show a text the quiz or the answers file gives.
#pragma once

#include "win32/platform.h"

// Creates the window, then gives it its text. Window creation reads a text
// whose first byte is 0xFF as a resource ordinal (that byte and the next two),
// so such a text is set once the window exists, whole.
HWND createWindowWithText(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                          HWND parent, HMENU menu, HINSTANCE instance);
