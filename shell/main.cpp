// Start-up, the message loop and shutdown of the player.
#include "board/app_state.h"
#include "board/board.h"
#include "board/board_layout.h"
#include "board/board_pictures.h"
#include "board/media.h"
#include "board/picture_loading.h"
#include "quiz/loader.h"
#include "shell/answers_file.h"
#include "shell/main_window.h"
#include "win32/late_bound.h"
#include "win32/startup_trace.h"
#include "win32/window_text.h"

#include <cstdio>

HINSTANCE appInstance = nullptr;
Quiz* currentQuiz = nullptr;
QuizSource quizSource = QuizSource::Unreadable;
HWND boardWindow = nullptr;
FARPROC videoAttachEntry = nullptr;
int boardContentWidth = 0;
int boardContentHeight = 0;

namespace {

constexpr int lastVideoEntry = 90;

WNDCLASSEXA mainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = MainWindowClass;
    return windowClass;
}

int startShowCommand()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

WPARAM runMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return message.wParam;
}

void removeVideoFiles()
{
    for (int entry = 1; entry <= lastVideoEntry; ++entry)
        removeMediaFile(MediaKind::Video, entry);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    markStartup("WinMain entered");
    appInstance = instance;
    WNDCLASSEXA windowClass = mainWindowClass(instance);
    currentQuiz = new Quiz;
    initQuiz(*currentQuiz);
    quizSource = loadQuiz(*currentQuiz);
    markStartup("quiz loaded");
    // Decoding starts now, while the windows are made.
    startPictureLoading(*currentQuiz);
    const Quiz& quiz = *currentQuiz;

    if (!RegisterClassExA(&windowClass))
        return 0;
    HMODULE atl = nullptr;
    bool video = quiz.kind == QuizKind::Video;
    if (video) {
        atl = LoadLibraryA("atl.dll");
        if (!atl)
            return 1;
        videoAttachEntry = GetProcAddress(atl, "AtlAxAttachControl");
        comInitialize();
    }

    HWND window = createWindowWithText(MainWindowClass, quiz.title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                       MainWindowWidth, MainWindowHeight, nullptr, nullptr, instance);
    centreWindow(window, GetDesktopWindow());
    markStartup("main window and header made");
    RestoredAnswers answers = {};
    openRestoredAnswers(answers);
    boardWindow = CreateDialogParamA(instance, MAKEINTRESOURCEA(BoardTemplateId), window, boardDialogProc,
                                     reinterpret_cast<LPARAM>(&answers));
    markStartup("board made");
    int show = startShowCommand();
    ShowWindow(window, show);
    markStartup("main window shown");
    // The board shows with the pictures it shows first; the others are
    // placed as they come.
    placePicturesInView(boardWindow, quiz);
    settleBoardWhenDone(boardWindow);
    markStartup("pictures in view placed");
    ShowWindow(boardWindow, show);
    markStartup("board shown");
    usePictureWorkersOnEveryCore();

    WPARAM exitCode = runMessageLoop();
    stopPictureLoading();

    if (video) {
        removeVideoFiles();
        DestroyWindow(window);
        comUninitialize();
        FreeLibrary(atl);
    }
    freeEntries(*currentQuiz);
    delete currentQuiz;
    currentQuiz = nullptr;
    return static_cast<int>(exitCode);
}
