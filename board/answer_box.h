// The answer boxes' own keys: Enter and Tab judge, F1 spreads one answer
// over the unsolved boxes, leaving a box judges it.
#pragma once

#include "win32/platform.h"

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
void subclassAnswerBox(HWND box);
