#include "judging/judge.h"

#include "board/board.h"
#include "board/board_pictures.h"
#include "board/controls.h"
#include "board/grid.h"
#include "board/identifiers.h"
#include "board/picture.h"
#include "judging/score.h"
#include "judging/verdict.h"

#include <cstring>

namespace {

const char* storedAnswer(const QuizEntry& entry, int answer)
{
    return answer == 2 ? entry.answer2 : entry.answer1;
}

// The reveal compares the untouched texts, case included, unlike the verdict.
bool everyAnswerExact(const Quiz& quiz, HWND board, int entryNumber, const QuizEntry& entry)
{
    for (int answer = 1; answer <= quiz.answersPerEntry; ++answer) {
        char typed[QuizTextSize];
        readControlText(board, answerBoxId(quiz.answersPerEntry, entryNumber, answer), typed);
        if (std::strcmp(typed, storedAnswer(entry, answer)) != 0)
            return false;
    }
    return true;
}

// The answer picture takes the question picture's place; it sits 20 pixels
// from the column, not 30 like the question picture. The place is in the
// content, wherever the board is scrolled to.
void revealAnswerPicture(const Quiz& quiz, HWND board, int entryNumber)
{
    HWND picture = findControl(board, PictureControlIdBase + entryNumber);
    if (!picture)
        return;
    HBITMAP bitmap = loadFittedPicture(AnswerPictureResourceIdBase + entryNumber, MediaResourceType, 260, 260);
    if (!bitmap)
        return;
    dropQuestionPicture(entryNumber);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (old)
        DeleteObject(old);
    POINT origin = boardContentOrigin(board);
    SetWindowPos(picture, HWND_TOP,
                 origin.x + gridColumnX(entryNumber, quiz.answersPerEntry) + 20 + (260 - size.bmWidth) / 2,
                 origin.y + gridRowBaseY(entryNumber, quiz.revealKind) - 260 + (260 - size.bmHeight) / 2,
                 size.bmWidth, size.bmHeight, SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    HGDIOBJ replaced = reinterpret_cast<HGDIOBJ>(
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    // A static control hands back a bitmap it copied; only the shown one may stay.
    if (replaced && replaced != bitmap && replaced != old)
        DeleteObject(replaced);
}

}  // namespace

void judgeAnswer(const Quiz& quiz, HWND board, int answerBoxId)
{
    judgeAnswerLeavingScore(quiz, board, answerBoxId);
    updateScore(quiz, board);
}

void judgeAnswerLeavingScore(const Quiz& quiz, HWND board, int answerBoxId)
{
    int entryNumber = entryOfAnswerBox(quiz.answersPerEntry, answerBoxId);
    const QuizEntry* entry = entryAt(quiz, entryNumber - 1);
    if (!entry)
        return;
    char stored[QuizTextSize];
    copyText(stored, storedAnswer(*entry, answerOfAnswerBox(quiz.answersPerEntry, answerBoxId)));
    char typed[QuizTextSize];
    readControlText(board, answerBoxId, typed);
    const char* verdict = chooseVerdict(stored, typed);
    bool right = std::strcmp(verdict, verdictRight) == 0;

    if (right && quiz.revealKind != RevealKind::None && everyAnswerExact(quiz, board, entryNumber, *entry)) {
        if (quiz.revealKind == RevealKind::Picture)
            revealAnswerPicture(quiz, board, entryNumber);
        else if (quiz.revealKind == RevealKind::Text)
            setControlText(board, ExplanationLabelIdBase + entryNumber, entry->revealText);
    }
    if (!right)
        setControlText(board, ExplanationLabelIdBase + entryNumber, "");
    setControlText(board, verdictLabelIdOf(answerBoxId), verdict);
}
