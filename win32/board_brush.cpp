#include "quiz/board_brush.h"
#include "win32/platform.h"

BrushHandle makeBoardBrush(uint32_t colour)
{
    return CreateSolidBrush(colour);
}
