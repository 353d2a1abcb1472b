// The answers file in the current directory: written from the answer boxes
// on close, read back box by box while the board is built.
#pragma once

#include "board/restored_answers.h"
#include "quiz/answers_text.h"
#include "quiz/quiz.h"
#include "win32/platform.h"

void executableBaseName(char (&name)[QuizTextSize]);
void answersFileName(char (&name)[QuizTextSize]);

// Writes one line per answer box into a new file beside the old one and
// replaces the old one only once the new one is whole; a failure leaves the
// old file as it was.
void saveAnswers(HWND board);

// A missing or unreadable file is no error: every box then starts empty.
void openRestoredAnswers(RestoredAnswers& answers);
