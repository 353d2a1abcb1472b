#include "quiz/board_brush.h"

#include "shell/platform.h"

BrushHandle makeBoardBrush(uint32_t colour)
{
    return CreateSolidBrush(colour);
}
