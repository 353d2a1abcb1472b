#include "board/answer_judging.h"

#include "board/board_pictures.h"
#include "board/board_reading.h"
#include "board/board_scroll.h"
#include "board/picture.h"
#include "board/score_display.h"
#include "quiz/board_grid.h"
#include "quiz/board_identifiers.h"
#include "win32/controls.h"
#include "win32/scoped_handles.h"

namespace {

// The answer picture takes the question picture's place; it sits 20 pixels
// from the column, not 30 like the question picture. The place is in the
// content, wherever the board is scrolled to.
void revealAnswerPicture(const Quiz& quiz, HWND board, int entryNumber)
{
    HWND picture = findControl(board, PictureControlIdBase + entryNumber);
    if (!picture)
        return;
    OwnedBitmap bitmap(loadFittedPicture(AnswerPictureResourceIdBase + entryNumber, MediaResourceType, 260, 260));
    if (!bitmap.object)
        return;
    dropQuestionPicture(entryNumber);
    BITMAP size = {};
    GetObjectA(bitmap.object, sizeof size, &size);
    // The question picture the control showed goes once the answer's has its place.
    GdiObject<HGDIOBJ> old(reinterpret_cast<HGDIOBJ>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    POINT origin = boardContentOrigin(board);
    SetWindowPos(picture, HWND_TOP,
                 origin.x + gridColumnX(entryNumber, quiz.answersPerEntry) + 20 + (260 - size.bmWidth) / 2,
                 origin.y + gridRowBaseY(entryNumber, quiz.revealKind) - 260 + (260 - size.bmHeight) / 2,
                 size.bmWidth, size.bmHeight, SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    // The control shows the answer picture for the rest of the run.
    HBITMAP shown = bitmap.release();
    GdiObject<HGDIOBJ> replaced(reinterpret_cast<HGDIOBJ>(
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown))));
    // A static control hands back a bitmap it copied; only the shown one may stay.
    if (replaced.object == shown || replaced.object == old.object)
        replaced.release();
}

void showReveal(const Quiz& quiz, HWND board, int entryNumber, RevealAction reveal)
{
    const QuizEntry* entry = entryAt(quiz, entryNumber - 1);
    if (reveal == RevealAction::Shown && quiz.revealKind == RevealKind::Picture)
        revealAnswerPicture(quiz, board, entryNumber);
    else if (reveal == RevealAction::Shown && entry)
        setControlText(board, ExplanationLabelIdBase + entryNumber, entry->revealText);
    else if (reveal == RevealAction::Hidden)
        setControlText(board, ExplanationLabelIdBase + entryNumber, "");
}

}  // namespace

void judgeAnswer(const Quiz& quiz, HWND board, int answerBoxId)
{
    judgeAnswerLeavingScore(quiz, board, answerBoxId);
    updateScore(quiz, board);
}

void judgeAnswerLeavingScore(const Quiz& quiz, HWND board, int answerBoxId)
{
    int rank = answerBoxId - AnswerBoxIdBase;
    int entryNumber = entryOfRank(quiz, rank);
    if (!entryAt(quiz, entryNumber - 1))
        return;
    Judgement judgement = judgeBox(quiz, boardReadingOf(board), rank);
    showReveal(quiz, board, entryNumber, judgement.reveal);
    setControlText(board, verdictLabelIdOf(answerBoxId), judgement.verdict);
}
