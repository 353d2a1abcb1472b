// Process-wide state of the player: set at start-up, read everywhere.
#pragma once

#include "quiz/loader.h"
#include "quiz/quiz.h"
#include "win32/platform.h"

extern HINSTANCE appInstance;
extern Quiz* currentQuiz;      // the one quiz, read-only once loaded
extern QuizSource quizSource;  // an unreadable quiz must not overwrite saved answers
extern HWND boardWindow;
extern FARPROC videoAttachEntry;  // AtlAxAttachControl, video quizzes only
extern int boardContentWidth;
extern int boardContentHeight;
