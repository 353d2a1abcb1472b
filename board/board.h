// The scrolling board: a modeless child dialog (template 1001) holding every
// entry's controls, found by identifier alone.
#pragma once

#include "shell/platform.h"

constexpr int BoardTemplateId = 1001;
constexpr int PlayIconId = 1004;
constexpr int StopIconId = 1005;

// The board builds the entries in view before it shows, the others once
// it has been painted, on this timer.
constexpr UINT_PTR RestOfBoardTimerId = 1;
// A sound just started is watched on this timer until it is seen to play.
constexpr UINT_PTR SoundWatchTimerId = 2;

INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam);

// Handlers, one file per concern.
void buildBoard(HWND board);                                      // board_layout.cpp
void buildRestOfBoard(HWND board);
// Sets the settled signal (board/settled.h) once every entry is built and
// every picture placed.
void settleBoardWhenDone(HWND board);
void updateBoardScrollInfo(HWND board);                           // board_scroll.cpp
void scrollBoard(HWND board, int bar, WPARAM request);
void keepScrollConsistent(HWND board);
// Where the content's origin stands in the board's client area: scrolling
// moves every control by as much as the bars' positions, so a control at
// (x, y) in the content stands at this point plus (x, y).
POINT boardContentOrigin(HWND board);
void forwardWheel(HWND target, WPARAM wParam);
INT_PTR labelColour(HWND board, HDC dc, HWND label);             // board_colours.cpp
LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);  // answer_box.cpp
void subclassAnswerBox(HWND box);
