// The board's construction: every entry's controls at the places the grid
// gives, the entries in view first, the rest once the board has shown.
#pragma once

#include "board/restored_answers.h"
#include "win32/platform.h"

constexpr int PlayIconId = 1004;
constexpr int StopIconId = 1005;

// The boxes take `answers` in identifier order; the board keeps them until
// it has settled.
void buildBoard(HWND board, RestoredAnswers* answers);
void buildRestOfBoard(HWND board);
// Sets the settled signal (quiz/board_settled.h) once every entry is built
// and every picture placed.
void settleBoardWhenDone(HWND board);
