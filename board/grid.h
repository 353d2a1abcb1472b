// Positions on the board's content at scroll position (0, 0), in pixels, as
// functions of the entry number i (1-based). Picture, sound and video entries
// stand three to a row; text entries one to a line.
#pragma once

#include "quiz/quiz.h"

constexpr int textRowY(int entry)
{
    return 25 * entry - 15;
}
constexpr int soundRowY(int entry)
{
    return (entry - 1) / 3 * 80 + 20;
}
// Two answers per entry shift the whole grid right to make room for the headings.
constexpr int gridColumnX(int entry, int answersPerEntry)
{
    return (entry - 1) % 3 * 290 + (answersPerEntry == 2 ? 90 : 0);
}
// Rows stand further apart when a revealed text needs room under the picture.
constexpr int gridRowBaseY(int entry, RevealKind revealKind)
{
    return (entry - 1) / 3 * (revealKind == RevealKind::Text ? 360 : 330) + 280;
}
