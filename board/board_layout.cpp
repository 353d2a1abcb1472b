#include "board/board_layout.h"

#include "board/answer_box.h"
#include "board/answer_judging.h"
#include "board/app_state.h"
#include "board/board_pictures.h"
#include "board/board_scroll.h"
#include "board/board_timers.h"
#include "board/media.h"
#include "board/picture_loading.h"
#include "board/score_display.h"
#include "quiz/board_grid.h"
#include "quiz/board_identifiers.h"
#include "quiz/board_settled.h"
#include "win32/controls.h"
#include "win32/startup_trace.h"

#include <cstdio>
#include <utility>

namespace {

constexpr DWORD headingStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD numberStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD clueStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER;
constexpr DWORD mediaButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;
constexpr DWORD videoFrameStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr DWORD answerBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD verdictStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | SS_CENTER;

struct MediaIcons {
    HICON play;
    HICON stop;
};

// The board is built in two steps: the entries in view before it shows,
// the rest once it has been painted (RestOfBoardTimerId). What the first
// step opened stays here for the second.
struct BoardBuild {
    RestoredAnswers answers;
    MediaIcons icons;
    int nextHeadingEntry;  // the entry opening the next group whose headings are to be made
    HWND lastHeading;
    int nextEntry;
    HWND lastBox;  // the box made last, which takes the focus with one answer per entry
    bool whole;  // every entry built, or the board stopped at a video player that could not be made
    bool settled;
};

BoardBuild building;

BoardRect movedBy(const BoardRect& rect, POINT by)
{
    return {rect.x + by.x, rect.y + by.y, rect.width, rect.height};
}

EntryPlan movedBy(EntryPlan plan, POINT by)
{
    for (BoardRect* rect : {&plan.clue, &plan.explanation, &plan.play, &plan.stop, &plan.number, &plan.boxes[0],
                            &plan.boxes[1], &plan.verdicts[0], &plan.verdicts[1]})
        *rect = movedBy(*rect, by);
    return plan;
}

HWND createAt(HWND board, const char* className, const char* text, DWORD style, const BoardRect& at, int id,
              bool guiFont)
{
    return createControl(board, className, text, style, at.x, at.y, at.width, at.height, id, guiFont);
}

// The headings of every group opened by an entry up to `last`. The board's
// headings come before its entries in the stacking order (as the dialog
// walks its children); those made once entries exist are moved up there,
// right after the heading before them.
void createHeadingLabels(HWND board, const Quiz& quiz, int last)
{
    if (quiz.answersPerEntry != 2)
        return;
    bool behindEntries = building.nextEntry > 1;
    for (; building.nextHeadingEntry <= last && building.nextHeadingEntry <= quiz.entryCount;
         building.nextHeadingEntry += 3) {
        HeadingPlan at = headingPlan(quiz.kind, building.nextHeadingEntry, quiz.revealKind);
        const char* labels[] = {quiz.firstAnswerLabel, quiz.secondAnswerLabel};
        // Made after the board shows, they may find it scrolled already.
        POINT origin = boardContentOrigin(board);
        const BoardRect places[] = {movedBy(at.first, origin), movedBy(at.second, origin)};
        for (int side = 0; side < 2; ++side) {
            HWND heading = createAt(board, "Static", labels[side], headingStyle, places[side], HeadingLabelId, true);
            if (heading && behindEntries && building.lastHeading)
                SetWindowPos(heading, building.lastHeading, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            if (heading)
                building.lastHeading = heading;
        }
    }
}

void createMediaButtons(HWND board, int entry, const EntryPlan& plan, const MediaIcons& icons)
{
    HWND play = createAt(board, "Button", "", mediaButtonStyle, plan.play, PlayButtonIdBase + entry, false);
    SendMessageA(play, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons.play));
    HWND stop = createAt(board, "Button", "", mediaButtonStyle, plan.stop, StopButtonIdBase + entry, false);
    SendMessageA(stop, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons.stop));
}

// False when a video player cannot be created: the board then stops there.
bool createClueControls(HWND board, const Quiz& quiz, int entry, const EntryPlan& plan, const MediaIcons& icons)
{
    switch (quiz.kind) {
    case QuizKind::Text:
        createAt(board, "Static", entryAt(quiz, entry - 1)->clue, clueStyle, plan.clue, ClueLabelId, true);
        break;
    case QuizKind::Picture:
        createPicture(board, quiz, entry, plan);
        break;
    case QuizKind::Sound:
        createMediaButtons(board, entry, plan, icons);
        break;
    case QuizKind::Video: {
        createMediaButtons(board, entry, plan, icons);
        HWND frame = createAt(board, "STATIC", "", videoFrameStyle, plan.clue, VideoFrameIdBase + entry, false);
        return setUpVideo(entry, frame);
    }
    }
    return true;
}

// Judged as they come, the score counted once the board is whole: the
// count reads every verdict label.
int createAnswerControls(HWND board, const Quiz& quiz, int entry, const EntryPlan& plan, RestoredAnswers& answers)
{
    bool single = quiz.answersPerEntry == 1;
    for (int answer = 1; answer <= quiz.answersPerEntry; ++answer) {
        char text[QuizTextSize];
        double since = startupClock();
        restoreAnswers(answers, text);
        addStartupCost("answers restored", since);
        int boxId = answerBoxId(quiz.answersPerEntry, entry, answer);
        HWND box = createAt(board, "Edit", text, answerBoxStyle, plan.boxes[answer - 1], boxId, true);
        // Only this much is judged and saved, so no more can be typed.
        since = startupClock();
        SendMessageA(box, EM_LIMITTEXT, QuizTextSize - 1, 0);
        subclassAnswerBox(box);
        if (box)
            building.lastBox = box;
        addStartupCost("answer box set-up", since);
        // Paired verdicts of media quizzes are small and take the GUI font;
        // the others keep the window system's default font.
        bool small = !single && quiz.kind != QuizKind::Text;
        createAt(board, "Static", "?", verdictStyle, plan.verdicts[answer - 1], verdictLabelIdOf(boxId), small);
        since = startupClock();
        judgeAnswerLeavingScore(quiz, board, boxId);
        addStartupCost("restored answers judged", since);
    }
    return quiz.answersPerEntry;
}

// The view the board will have once the main window shows: it stands in
// the main window's client area, which is known before either shows.
int expectedViewHeight(HWND board)
{
    RECT client;
    GetClientRect(GetParent(board), &client);
    return boardRectIn(client).bottom - boardRectIn(client).top;
}

// Builds entries up to `last` (a video player that cannot be made stops the
// board there for good) and counts the score of what is built.
void buildEntries(HWND board, const Quiz& quiz, int last)
{
    int judged = 0;
    // The entries made after the board shows take their places in the
    // content as the player may have scrolled it.
    POINT origin = boardContentOrigin(board);
    for (; building.nextEntry <= last && !building.whole; ++building.nextEntry) {
        int entry = building.nextEntry;
        if (!entryAt(quiz, entry - 1)) {
            building.whole = true;
            break;
        }
        EntryPlan plan = movedBy(entryPlan(quiz.kind, entry, quiz.answersPerEntry, quiz.revealKind), origin);
        if (!createClueControls(board, quiz, entry, plan, building.icons)) {
            building.whole = true;
            break;
        }
        char number[16];
        std::snprintf(number, sizeof number, "%d.", entry);
        createAt(board, "Static", number, numberStyle, plan.number, NumberLabelId, false);
        judged += createAnswerControls(board, quiz, entry, plan, building.answers);
    }
    if (building.nextEntry > quiz.entryCount)
        building.whole = true;
    // With one answer per entry each box takes the focus in turn as it is
    // made, and the box it leaves is judged then. The boxes between the
    // first and the last of a step take it in name only: each was judged a
    // moment ago with the text it still holds, and the start its taking
    // the focus would select is selected anew whenever it really takes it.
    double since = startupClock();
    if (quiz.answersPerEntry == 1 && building.lastBox)
        SetFocus(building.lastBox);
    addStartupCost("answer box set-up", since);
    since = startupClock();
    if (judged > 0)
        updateScore(quiz, board);
    addStartupCost("score counted", since);
}

}  // namespace

void buildBoard(HWND board, RestoredAnswers* answers)
{
    const Quiz& quiz = *currentQuiz;
    building = {};
    building.nextHeadingEntry = 1;
    building.nextEntry = 1;
    postPicturesTo(board);
    updateBoardScrollInfo(board);
    if (answers)
        building.answers = std::move(*answers);
    if (quiz.kind == QuizKind::Sound || quiz.kind == QuizKind::Video) {
        building.icons.play = LoadIconA(appInstance, MAKEINTRESOURCEA(PlayIconId));
        building.icons.stop = LoadIconA(appInstance, MAKEINTRESOURCEA(StopIconId));
    }
    int inView = entriesInView(quiz.kind, quiz.entryCount, quiz.answersPerEntry, quiz.revealKind,
                               expectedViewHeight(board));
    // A group's headings stand above its first entry, so the next group's
    // may show though its entries do not.
    createHeadingLabels(board, quiz, inView + 1);
    buildEntries(board, quiz, inView);
    markStartup("entries in view built");
    if (!building.whole)
        SetTimer(board, RestOfBoardTimerId, 0, nullptr);
    else
        createHeadingLabels(board, quiz, quiz.entryCount);
    settleBoardWhenDone(board);
}

void buildRestOfBoard(HWND board)
{
    KillTimer(board, RestOfBoardTimerId);
    if (building.whole)
        return;
    markStartup("rest of board started");
    createHeadingLabels(board, *currentQuiz, currentQuiz->entryCount);
    buildEntries(board, *currentQuiz, currentQuiz->entryCount);
    markStartup("rest of board built");
    settleBoardWhenDone(board);
}

void settleBoardWhenDone(HWND board)
{
    if (building.settled || !building.whole || picturesStillComing())
        return;
    building.settled = true;
    closeRestoredAnswers(building.answers);
    SetPropA(GetParent(board), BoardSettledProperty, reinterpret_cast<HANDLE>(1));
    finishStartupTrace();
}
