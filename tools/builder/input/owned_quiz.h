// A quiz record that releases its entries when it goes: the builder fills
// and reads records, and may return early on any error.
#pragma once

#include "quiz/quiz.h"

struct OwnedQuiz {
    Quiz quiz;
    OwnedQuiz() { initQuiz(quiz); }
    ~OwnedQuiz() { freeEntries(quiz); }
    OwnedQuiz(const OwnedQuiz&) = delete;
    OwnedQuiz& operator=(const OwnedQuiz&) = delete;
};
