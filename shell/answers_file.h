// The answers file in the current directory: written from the answer boxes
// on close, read back box by box while the board is built.
#pragma once

#include "quiz/quiz.h"
#include "shell/answers_text.h"
#include "shell/platform.h"

#include <cstddef>
#include <string>
#include <vector>

void executableBaseName(char (&name)[QuizTextSize]);
void answersFileName(char (&name)[QuizTextSize]);

// Writes one line per answer box into a new file beside the old one and
// replaces the old one only once the new one is whole; a failure leaves the
// old file as it was.
void saveAnswers(HWND board);

// The answers read at start-up, one per declared box: the boxes take them
// in identifier order, and a box that was never built (the board stopped
// early) keeps its line when the file is written again.
struct RestoredAnswers {
    std::vector<std::string> texts;
    std::size_t next;
    bool opened;
};

// A missing or unreadable file is no error: every box then starts empty.
void openRestoredAnswers(RestoredAnswers& answers);
// The next box's initial text, in identifier order.
void restoreAnswers(RestoredAnswers& answers, char (&text)[QuizTextSize]);
void closeRestoredAnswers(RestoredAnswers& answers);
