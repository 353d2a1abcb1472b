// The board's timers, set by the concern that needs one and dispatched by
// the board's procedure.
#pragma once

#include "win32/platform.h"

// The board builds the entries in view before it shows, the others once
// it has been painted, on this timer.
constexpr UINT_PTR RestOfBoardTimerId = 1;
// A sound just started is watched on this timer until it is seen to play.
constexpr UINT_PTR SoundWatchTimerId = 2;
