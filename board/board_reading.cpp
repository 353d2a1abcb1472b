#include "board/board_reading.h"

#include "quiz/board_identifiers.h"
#include "win32/controls.h"

namespace {

void readBox(void* board, int rank, char (&text)[QuizTextSize])
{
    readControlText(static_cast<HWND>(board), AnswerBoxIdBase + rank, text);
}

void readVerdict(void* board, int rank, char (&text)[QuizTextSize])
{
    readControlText(static_cast<HWND>(board), VerdictLabelIdBase + rank, text);
}

}  // namespace

BoardReading boardReadingOf(HWND board)
{
    return {board, readBox, readVerdict};
}
