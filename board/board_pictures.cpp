#include "board/board_pictures.h"

#include "board/app_state.h"
#include "board/board_scroll.h"
#include "board/picture.h"
#include "board/picture_loading.h"
#include "quiz/board_identifiers.h"
#include "win32/controls.h"
#include "win32/scoped_handles.h"

namespace {

constexpr DWORD pictureStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE;
constexpr DWORD explanationStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_CENTER;
// A picture in view that takes longer is left to come after the board shows.
constexpr DWORD inViewTimeoutMs = 5000;

enum class Slot : char {
    NotMade,
    Waiting,   // the control is made; its picture is still being decoded
    Answered,  // the answer picture shows; the question picture, still to come, is dropped
    Placed,
};

Slot slots[MaxEntries + 1];
int waiting = 0;

Slot* slotOf(int entry)
{
    return entry >= 1 && entry <= MaxEntries ? &slots[entry] : nullptr;
}

// Where the picture stands: centred in its square, the whole square when
// there is no picture to show.
BoardRect pictureRect(const EntryPlan& plan, PictureSize shown)
{
    if (!shown.known)
        shown = {true, PictureBoxSide, PictureBoxSide};
    return {plan.clue.x + (PictureBoxSide - shown.width) / 2, plan.clue.y + (PictureBoxSide - shown.height) / 2,
            shown.width, shown.height};
}

// The size the entry's picture is laid out at before it is decoded.
PictureSize sizeFromHeader(int entry)
{
    return fittedPictureSize(statedSizeOf(entry), PictureBoxSide, PictureBoxSide);
}

PictureSize bitmapSize(HBITMAP bitmap)
{
    BITMAP size = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size))
        return {};
    return {true, size.bmWidth, size.bmHeight};
}

void setBitmap(HWND picture, HBITMAP bitmap)
{
    if (bitmap)
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

// `from` and `to` are places in the content, which scrolling moves.
void movePicture(HWND board, HWND picture, const BoardRect& from, const BoardRect& to)
{
    if (from == to)
        return;
    POINT origin = boardContentOrigin(board);
    SetWindowPos(picture, nullptr, origin.x + to.x, origin.y + to.y, to.width, to.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void createPicture(HWND board, const Quiz& quiz, int entry, const EntryPlan& plan)
{
    PictureLoad load = pictureLoadOf(entry);
    HBITMAP bitmap = load == PictureLoad::Done ? takePicture(entry) : nullptr;
    PictureSize shown = bitmap                          ? bitmapSize(bitmap)
                        : load == PictureLoad::Pending ? sizeFromHeader(entry)
                                                       : PictureSize{};
    BoardRect at = pictureRect(plan, shown);
    HWND picture = createControl(board, "STATIC", "", pictureStyle, at.x, at.y, at.width, at.height,
                                 PictureControlIdBase + entry, false);
    setBitmap(picture, bitmap);
    if (Slot* slot = slotOf(entry)) {
        *slot = load == PictureLoad::Pending ? Slot::Waiting : Slot::Placed;
        if (*slot == Slot::Waiting)
            ++waiting;
    }
    // Only a revealed text ever shows in the label; without one it stays
    // hidden, as it would cover the top of the picture below it.
    DWORD style = quiz.revealKind == RevealKind::Text ? explanationStyle : explanationStyle & ~WS_VISIBLE;
    createControl(board, "Static", "", style, plan.explanation.x, plan.explanation.y, plan.explanation.width,
                  plan.explanation.height, ExplanationLabelIdBase + entry, true);
}

void placeDonePicture(HWND board, int entry)
{
    Slot* slot = slotOf(entry);
    if (!slot || (*slot != Slot::Waiting && *slot != Slot::Answered) || pictureLoadOf(entry) != PictureLoad::Done)
        return;
    // Deleted unless the picture control takes it.
    OwnedBitmap bitmap(takePicture(entry));
    HWND picture = *slot == Slot::Answered ? nullptr : findControl(board, PictureControlIdBase + entry);
    if (picture) {
        const Quiz& quiz = *currentQuiz;
        EntryPlan plan = entryPlan(quiz.kind, entry, quiz.answersPerEntry, quiz.revealKind);
        BoardRect planned = pictureRect(plan, sizeFromHeader(entry));
        movePicture(board, picture, planned, pictureRect(plan, bitmapSize(bitmap.object)));
        setBitmap(picture, bitmap.release());
    }
    *slot = Slot::Placed;
    --waiting;
}

void placePicturesInView(HWND board, const Quiz& quiz)
{
    if (!board || quiz.kind != QuizKind::Picture)
        return;
    RECT view;
    GetClientRect(board, &view);
    int inView = entriesInView(quiz.kind, quiz.entryCount, quiz.answersPerEntry, quiz.revealKind, view.bottom);
    for (int entry = 1; entry <= inView; ++entry) {
        Slot* slot = slotOf(entry);
        if (slot && *slot == Slot::Waiting && waitForPicture(entry, inViewTimeoutMs))
            placeDonePicture(board, entry);
    }
}

void dropQuestionPicture(int entry)
{
    if (Slot* slot = slotOf(entry); slot && *slot == Slot::Waiting)
        *slot = Slot::Answered;
}

bool picturesStillComing()
{
    return waiting > 0;
}
