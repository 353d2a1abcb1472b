// A quiz record as text, one field a line, so a test can compare what a
// program loaded with what it expects.
#pragma once

#include "quiz/quiz.h"

#include <string>

// `brushMade` stands for the brush handle, which differs between processes.
std::string dumpQuiz(const Quiz& quiz, bool brushMade);
