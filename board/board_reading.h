// What the board's rules read (judging/board_rules.h): what the answer
// boxes hold and what the verdict labels read, from the board's own controls.
#pragma once

#include "judging/board_rules.h"
#include "win32/platform.h"

BoardReading boardReadingOf(HWND board);
