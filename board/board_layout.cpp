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

void createHeadingLabels(HWND board, const Quiz& quiz)
{
    for (int entry = 1; entry <= quiz.entryCount; entry += 3) {
        HeadingPlacement at = headingPlacement(quiz.kind, entry, quiz.revealKind);
        createControl(board, "Static", quiz.firstAnswerLabel, headingStyle, at.x, at.y, 95, 20, HeadingLabelId, true);
        createControl(board, "Static", quiz.secondAnswerLabel, headingStyle, at.x, at.y + 20, 95, 20, HeadingLabelId,
                      true);
    }
}

// The picture is centred in the square above the entry's first answer box;
// without a picture the control fills the square and shows nothing.
void createPicture(HWND board, const Quiz& quiz, int entry)
{
    int left = gridColumnX(entry, quiz.answersPerEntry) + 30;
    int top = gridRowBaseY(entry, quiz.revealKind) - pictureBox;
    HBITMAP bitmap = loadFittedPicture(nullptr, MediaResourceIdBase + entry, "IMG", pictureBox, pictureBox);
    BITMAP size = {};
    size.bmWidth = size.bmHeight = pictureBox;
    if (bitmap)
        GetObjectA(bitmap, sizeof size, &size);
    HWND picture = createControl(board, "STATIC", "", pictureStyle, left + (pictureBox - size.bmWidth) / 2,
                                 top + (pictureBox - size.bmHeight) / 2, size.bmWidth, size.bmHeight,
                                 PictureControlIdBase + entry, false);
    if (bitmap)
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    createControl(board, "Static", "", explanationStyle, left, gridRowBaseY(entry, quiz.revealKind) + 56, pictureBox,
                  35, ExplanationLabelIdBase + entry, true);
}

void createMediaButtons(HWND board, int entry, int x, int playY, int playHeight, int stopY, const MediaIcons& icons)
{
    HWND play = createControl(board, "Button", "", mediaButtonStyle, x, playY, 20, playHeight,
                              PlayButtonIdBase + entry, false);
    SendMessageA(play, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons.play));
    HWND stop = createControl(board, "Button", "", mediaButtonStyle, x, stopY, 20, 20, StopButtonIdBase + entry,
                              false);
    SendMessageA(stop, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons.stop));
}

// False when a video player cannot be created: the board then stops there.
bool createClueControls(HWND board, const Quiz& quiz, int entry, const MediaIcons& icons)
{
    int c = gridColumnX(entry, quiz.answersPerEntry);
    int b = gridRowBaseY(entry, quiz.revealKind);
    switch (quiz.kind) {
    case QuizKind::Text:
        createControl(board, "Static", entryAt(quiz, entry - 1)->clue, clueStyle, 50, textRowY(entry), 550, 20,
                      ClueLabelId, true);
        break;
    case QuizKind::Picture:
        createPicture(board, quiz, entry);
        break;
    case QuizKind::Sound:
        createMediaButtons(board, entry, c + 30, soundRowY(entry), 21, soundRowY(entry) + 21, icons);
        break;
    case QuizKind::Video: {
        createMediaButtons(board, entry, c + 15, b - 40, 20, b - 20, icons);
        HWND frame = createControl(board, "STATIC", "", videoFrameStyle, c + 15, b - 250, 200, 150,
                                   VideoFrameIdBase + entry, false);
        return setUpVideo(entry, frame);
    }
    }
    return true;
}

void createAnswerControls(HWND board, const Quiz& quiz, int entry, RestoredAnswers& answers)
{
    AnswerPlacement at = answerPlacement(quiz.kind, entry, quiz.answersPerEntry, quiz.revealKind);
    bool single = quiz.answersPerEntry == 1;
    for (int answer = 1; answer <= quiz.answersPerEntry; ++answer) {
        char text[QuizTextSize];
        restoreAnswers(answers, text);
        int boxId = answerBoxId(quiz.answersPerEntry, entry, answer);
        int rowY = at.boxY + 20 * (answer - 1);
        HWND box = single ? createControl(board, "Edit", text, answerBoxStyle, at.boxX, at.boxY, at.width, 20, boxId, true)
                          : createControl(board, "Edit", text, answerBoxStyle, at.boxX, rowY, at.width - 50, 21, boxId,
                                          true);
        // Each box takes the focus in turn; the one it leaves is judged then.
        if (single)
            SetFocus(box);
        subclassAnswerBox(box);
        if (single)
            createControl(board, "Static", "?", verdictStyle, at.labelX, at.labelY, at.labelWidth, 21,
                          verdictLabelIdOf(boxId), false);
        else
            createControl(board, "Static", "?", verdictStyle, at.boxX + at.width - 45, rowY + 1, 60, 17,
                          verdictLabelIdOf(boxId), true);
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
        if (!createClueControls(board, quiz, entry, icons))
            break;
        AnswerPlacement at = answerPlacement(quiz.kind, entry, quiz.answersPerEntry, quiz.revealKind);
        char number[16];
        std::snprintf(number, sizeof number, "%d.", entry);
        createControl(board, "Static", number, numberStyle, at.numberX, at.numberY, 19, 17, NumberLabelId, false);
        createAnswerControls(board, quiz, entry, answers);
    }
    closeRestoredAnswers(answers);
}
