// Where the board stands in the main window and how its content scrolls.
#pragma once

#include "win32/platform.h"

// Where the board stands in its parent's client area, below the header.
RECT boardRectIn(const RECT& client);

void updateBoardScrollInfo(HWND board);
void scrollBoard(HWND board, int bar, WPARAM request);
void keepScrollConsistent(HWND board);
// Where the content's origin stands in the board's client area: scrolling
// moves every control by as much as the bars' positions, so a control at
// (x, y) in the content stands at this point plus (x, y).
POINT boardContentOrigin(HWND board);
void forwardWheel(HWND target, WPARAM wParam);
