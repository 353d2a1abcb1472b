// Fills the quiz record from the program's own resources: "PATCH" 104 (the
// quiz) and "PATCH" 105 (the reward codes), both packed. Every problem is one
// message box captioned "Quizz"; start-up always goes on with what the
// record holds, or with the built-in sample quiz.
#pragma once

#include "quiz/quiz.h"
#include "quiz/resource_ids.h"

// Where the record's quiz came from: its own payload, the sample quiz (no
// payload), or nowhere (a damaged payload: the record is empty).
enum class QuizSource { Payload, Sample, Unreadable };

QuizSource loadQuiz(Quiz& quiz);
