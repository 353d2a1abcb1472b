// Fills the quiz record from the program's own resources: "PATCH" 104 (the
// quiz) and "PATCH" 105 (the reward codes), both packed. Every problem is one
// message box captioned "Quizz"; start-up always goes on with what the
// record holds, or with the built-in sample quiz.
#pragma once

#include "quiz/quiz.h"

constexpr int QuizPayloadResourceId = 104;
constexpr int CodesPayloadResourceId = 105;
inline constexpr const char* PayloadResourceType = "PATCH";

// Where the record's quiz came from: its own payload, the sample quiz (no
// payload), or nowhere (a damaged payload: the record is empty).
enum class QuizSource { Payload, Sample, Unreadable };

QuizSource loadQuiz(Quiz& quiz);
