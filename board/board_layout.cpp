#include "board/board.h"

#include "board/controls.h"
#include "board/grid.h"
#include "board/identifiers.h"
#include "board/media.h"
#include "board/picture.h"
#include "judging/judge.h"
#include "shell/answers_file.h"
#include "shell/app.h"

#include <cstdio>

namespace {

constexpr DWORD headingStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD numberStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD clueStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER;
constexpr DWORD pictureStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE;
constexpr DWORD explanationStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_CENTER;
constexpr DWORD mediaButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;
constexpr DWORD videoFrameStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr DWORD answerBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD verdictStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | SS_CENTER;
constexpr int pictureBox = 260;

struct MediaIcons {
    HICON play;
    HICON stop;
};

HWND createAt(HWND board, const char* className, const char* text, DWORD style, const BoardRect& at, int id,
              bool guiFont)
{
    return createControl(board, className, text, style, at.x, at.y, at.width, at.height, id, guiFont);
}

void createHeadingLabels(HWND board, const Quiz& quiz)
{
    for (int entry = 1; entry <= quiz.entryCount; entry += 3) {
        HeadingPlan at = headingPlan(quiz.kind, entry, quiz.revealKind);
        createAt(board, "Static", quiz.firstAnswerLabel, headingStyle, at.first, HeadingLabelId, true);
        createAt(board, "Static", quiz.secondAnswerLabel, headingStyle, at.second, HeadingLabelId, true);
    }
}

// The picture is centred in the square above the entry's first answer box;
// without a picture the control fills the square and shows nothing.
void createPicture(HWND board, const Quiz& quiz, int entry, const EntryPlan& plan)
{
    int left = plan.clue.x;
    int top = plan.clue.y;
    HBITMAP bitmap = loadFittedPicture(MediaResourceIdBase + entry, "IMG", pictureBox, pictureBox);
    BITMAP size = {};
    size.bmWidth = size.bmHeight = pictureBox;
    if (bitmap)
        GetObjectA(bitmap, sizeof size, &size);
    HWND picture = createControl(board, "STATIC", "", pictureStyle, left + (pictureBox - size.bmWidth) / 2,
                                 top + (pictureBox - size.bmHeight) / 2, size.bmWidth, size.bmHeight,
                                 PictureControlIdBase + entry, false);
    if (bitmap)
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    // Only a revealed text ever shows in the label; without one it stays
    // hidden, as it would cover the top of the picture below it.
    DWORD style = quiz.revealKind == RevealKind::Text ? explanationStyle : explanationStyle & ~WS_VISIBLE;
    createAt(board, "Static", "", style, plan.explanation, ExplanationLabelIdBase + entry, true);
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

void createAnswerControls(HWND board, const Quiz& quiz, int entry, const EntryPlan& plan, RestoredAnswers& answers)
{
    bool single = quiz.answersPerEntry == 1;
    for (int answer = 1; answer <= quiz.answersPerEntry; ++answer) {
        char text[QuizTextSize];
        restoreAnswers(answers, text);
        int boxId = answerBoxId(quiz.answersPerEntry, entry, answer);
        HWND box = createAt(board, "Edit", text, answerBoxStyle, plan.boxes[answer - 1], boxId, true);
        // Only this much is judged and saved, so no more can be typed.
        SendMessageA(box, EM_LIMITTEXT, QuizTextSize - 1, 0);
        // Each box takes the focus in turn; the one it leaves is judged then.
        if (single)
            SetFocus(box);
        subclassAnswerBox(box);
        // Paired verdicts of media quizzes are small and take the GUI font;
        // the others keep the window system's default font.
        bool small = !single && quiz.kind != QuizKind::Text;
        createAt(board, "Static", "?", verdictStyle, plan.verdicts[answer - 1], verdictLabelIdOf(boxId), small);
        judgeAnswer(quiz, board, boxId);
    }
}

}  // namespace

void buildBoard(HWND board)
{
    const Quiz& quiz = *currentQuiz;
    updateBoardScrollInfo(board);
    RestoredAnswers answers;
    openRestoredAnswers(answers);
    MediaIcons icons = {};
    if (quiz.kind == QuizKind::Sound || quiz.kind == QuizKind::Video) {
        icons.play = LoadIconA(appInstance, MAKEINTRESOURCEA(PlayIconId));
        icons.stop = LoadIconA(appInstance, MAKEINTRESOURCEA(StopIconId));
    }
    if (quiz.answersPerEntry == 2)
        createHeadingLabels(board, quiz);
    for (int entry = 1; entry <= quiz.entryCount && entryAt(quiz, entry - 1); ++entry) {
        EntryPlan plan = entryPlan(quiz.kind, entry, quiz.answersPerEntry, quiz.revealKind);
        if (!createClueControls(board, quiz, entry, plan, icons))
            break;
        char number[16];
        std::snprintf(number, sizeof number, "%d.", entry);
        createAt(board, "Static", number, numberStyle, plan.number, NumberLabelId, false);
        createAnswerControls(board, quiz, entry, plan, answers);
    }
    closeRestoredAnswers(answers);
}
