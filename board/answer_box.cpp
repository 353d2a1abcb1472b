#include "board/answer_box.h"

#include "board/answer_judging.h"
#include "board/app_state.h"
#include "board/board_reading.h"
#include "board/score_display.h"
#include "judging/board_rules.h"
#include "quiz/board_identifiers.h"
#include "win32/controls.h"
#include "win32/startup_trace.h"

namespace {

// The "Edit" class's own procedure: the same for every box.
WNDPROC editProc = nullptr;

void judgeTheBox(HWND box)
{
    judgeAnswer(*currentQuiz, GetParent(box), GetDlgCtrlID(box));
}

// Tab moves on, Shift+Tab back; both wrap around the ends.
void moveToNextBox(HWND box)
{
    bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    judgeTheBox(box);
    int target = tabTarget(*currentQuiz, GetDlgCtrlID(box) - AnswerBoxIdBase, back);
    SetFocus(findControl(GetParent(box), AnswerBoxIdBase + target));
}

// Tries the box's text on every box not yet right: each such box takes the
// text and, in turn, the focus, and is judged as the focus leaves it; the
// focus ends in the box where F1 was released. The focus is passed on here
// in name only (a box that gives it up is judged) and really stays where it
// is: moving it through every box would cost a hundred times more and end
// the same. Only the box it ends in has its start selected, as taking the
// focus does: the selection of a box without the focus is never seen, and
// taking the focus again selects its start anew.
void spreadAnswer(HWND box)
{
    const Quiz& quiz = *currentQuiz;
    HWND board = GetParent(box);
    double since = startupClock();
    char text[QuizTextSize];
    readControlText(board, GetDlgCtrlID(box), text);
    // The board is drawn once when the spread is done, not after every box.
    SendMessageA(board, WM_SETREDRAW, FALSE, 0);
    addStartupCost("spread: redraw off", since);
    HWND focused = box;
    bool judged = false;
    auto passFocus = [&](HWND to) {
        if (to == focused)
            return;
        double judging = startupClock();
        judgeAnswerLeavingScore(quiz, board, GetDlgCtrlID(focused));
        addStartupCost("spread: judging a box", judging);
        judged = true;
        focused = to;
        if (to == box)
            SendMessageA(to, EM_SETSEL, 0, 25);
    };
    BoardReading reading = boardReadingOf(board);
    since = startupClock();
    for (int rank = nextSpreadTarget(quiz, reading, 0); rank; rank = nextSpreadTarget(quiz, reading, rank)) {
        addStartupCost("spread: finding the next box", since);
        since = startupClock();
        setControlText(board, AnswerBoxIdBase + rank, text);
        addStartupCost("spread: setting a box's text", since);
        passFocus(findControl(board, AnswerBoxIdBase + rank));
        since = startupClock();
    }
    passFocus(box);
    since = startupClock();
    if (judged)
        updateScore(quiz, board);
    addStartupCost("spread: score and code", since);
    since = startupClock();
    SendMessageA(board, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(board, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    addStartupCost("spread: redraw request", since);
}

// Keys act when released, or when pressed with Alt.
LRESULT onKey(HWND box, UINT message, WPARAM key, LPARAM lParam)
{
    switch (key) {
    case VK_RETURN:
        judgeTheBox(box);
        return 1;
    case VK_TAB:
        moveToNextBox(box);
        break;
    case VK_F1: {
        double since = startupClock();
        spreadAnswer(box);
        LRESULT result = CallWindowProcA(editProc, box, message, key, lParam);
        addStartupCost("spread: in all, with the edit's own handling of the key", since);
        finishSpreadTrace();
        return result;
    }
    }
    return CallWindowProcA(editProc, box, message, key, lParam);
}

}  // namespace

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        SendMessageA(box, EM_SETSEL, 0, 25);
        break;
    case WM_KILLFOCUS:
        judgeTheBox(box);
        break;
    case WM_CHAR:
        // Enter and Tab act on release; their characters never reach the text.
        if (wParam == '\r' || wParam == '\t')
            return 0;
        break;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
        return onKey(box, message, wParam, lParam);
    }
    return CallWindowProcA(editProc, box, message, wParam, lParam);
}

void subclassAnswerBox(HWND box)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerBoxProc)));
    if (!editProc)
        editProc = previous;
}
