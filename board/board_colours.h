// The colours of the board's labels: verdicts by their text, clues and
// headings by the quiz's board colour.
#pragma once

#include "win32/platform.h"

INT_PTR labelColour(HWND board, HDC dc, HWND label);
