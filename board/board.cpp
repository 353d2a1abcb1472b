#include "board/board.h"

#include "board/app_state.h"
#include "board/board_colours.h"
#include "board/board_layout.h"
#include "board/board_pictures.h"
#include "board/board_scroll.h"
#include "board/board_timers.h"
#include "board/media.h"
#include "board/picture_loading.h"
#include "quiz/board_identifiers.h"

namespace {

// Only clicks count: the whole of wParam is the button's identifier.
void dispatchMediaButton(HWND board, WPARAM command)
{
    QuizKind kind = currentQuiz->kind;
    if (kind != QuizKind::Sound && kind != QuizKind::Video)
        return;
    bool video = kind == QuizKind::Video;
    if (command > WPARAM(PlayButtonIdBase) && command <= WPARAM(PlayButtonIdBase + MaxEntries)) {
        int entry = entryOfPlayButton(int(command));
        if (video)
            playVideo(entry);
        else
            playSound(board, entry);
    } else if (command > WPARAM(StopButtonIdBase) && command <= WPARAM(StopButtonIdBase + MaxEntries)) {
        if (video)
            stopVideos();
        else
            stopSound();
    }
}

}  // namespace

INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        buildBoard(board, reinterpret_cast<RestoredAnswers*>(lParam));
        return TRUE;
    case WM_TIMER:
        if (wParam == RestOfBoardTimerId)
            buildRestOfBoard(board);
        else if (wParam == SoundWatchTimerId)
            watchSound(board);
        return TRUE;
    case PictureDoneMessageId:
        placeDonePicture(board, int(wParam));
        settleBoardWhenDone(board);
        return TRUE;
    case WM_COMMAND:
        dispatchMediaButton(board, wParam);
        return FALSE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(currentQuiz->boardBrush);
    case WM_CTLCOLORSTATIC:
        return labelColour(board, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_HSCROLL:
        scrollBoard(board, SB_HORZ, wParam);
        return FALSE;
    case WM_VSCROLL:
        scrollBoard(board, SB_VERT, wParam);
        return FALSE;
    case WM_SIZE:
        keepScrollConsistent(board);
        return FALSE;
    case WM_MOUSEWHEEL:
        // Left unclaimed, the wheel also reaches the main window, which
        // scrolls the board once more.
        forwardWheel(board, wParam);
        return FALSE;
    }
    return FALSE;
}
