// The brush the board paints its background with, made once the quiz's
// colour is known and kept for the whole run. The player's Win32 layer
// makes it (win32/board_brush.cpp).
#pragma once

#include "quiz/quiz.h"

#include <cstdint>

BrushHandle makeBoardBrush(uint32_t colour);
