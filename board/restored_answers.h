// The answers read at start-up, one per declared box: the boxes take them
// in identifier order, and a box that was never built (the board stopped
// early) keeps its line when the file is written again. The shell reads
// them from the answers file (shell/answers_file.h); the board hands them out.
#pragma once

#include "quiz/quiz.h"

#include <cstddef>
#include <string>
#include <vector>

struct RestoredAnswers {
    std::vector<std::string> texts;
    std::size_t next;
    bool opened;
};

// The next box's initial text, in identifier order.
void restoreAnswers(RestoredAnswers& answers, char (&text)[QuizTextSize]);
void closeRestoredAnswers(RestoredAnswers& answers);
