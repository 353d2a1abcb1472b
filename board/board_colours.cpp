#include "board/board_colours.h"

#include "board/app_state.h"
#include "judging/verdict_colour.h"
#include "quiz/board_identifiers.h"
#include "win32/controls.h"


namespace {

constexpr COLORREF clueColour = 0x00C0FFFF;

// One brush per colour, made on first use and kept for the life of the board.
HBRUSH brushOf(COLORREF colour)
{
    static struct {
        COLORREF colour;
        HBRUSH brush;
    } made[5];
    static int count = 0;
    for (int at = 0; at < count; ++at)
        if (made[at].colour == colour)
            return made[at].brush;
    HBRUSH brush = CreateSolidBrush(colour);
    if (count < 5)
        made[count++] = {colour, brush};
    return brush;
}

INT_PTR verdictColour(HWND board, int id)
{
    char verdict[QuizTextSize];
    readControlText(board, id, verdict);
    int64_t colour = verdictColourOf(verdict);
    if (colour == defaultLabelColour)
        return FALSE;
    return reinterpret_cast<INT_PTR>(brushOf(static_cast<COLORREF>(colour)));
}

INT_PTR labelBrush(HWND board, const Quiz& quiz, int id)
{
    int boxes = quiz.entryCount * quiz.answersPerEntry;
    if (id > VerdictLabelIdBase && id <= VerdictLabelIdBase + boxes)
        return verdictColour(board, id);
    if (id == ClueLabelId)
        return reinterpret_cast<INT_PTR>(brushOf(clueColour));
    if (id == NumberLabelId || id == HeadingLabelId
        || (id > ExplanationLabelIdBase && id <= ExplanationLabelIdBase + boxes))
        return reinterpret_cast<INT_PTR>(quiz.boardBrush);
    return FALSE;
}

}  // namespace

// Labels are filled with their brush and their text drawn over it, in the
// default colour, without a box of its own around the glyphs.
INT_PTR labelColour(HWND board, HDC dc, HWND label)
{
    INT_PTR brush = labelBrush(board, *currentQuiz, GetDlgCtrlID(label));
    if (brush)
        SetBkMode(dc, TRANSPARENT);
    return brush;
}
