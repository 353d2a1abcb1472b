// What the builder's commands share: their messages, the files they read
// and must not write over, and the quiz they read from a description or a
// built program. commands.cpp holds them.
#pragma once

#include "quiz/quiz.h"
#include "tools/builder/commands/output_guard.h"
#include "tools/builder/input/diagnostics.h"
#include "tools/builder/program/stored_quiz.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// Every byte of the line, whatever it holds.
void printLine(std::FILE* stream, const std::string& line);

// Prints every problem; true when the command may go on to write.
bool passes(const Diagnostics& diagnostics, bool strict, Language language);

InputFile inputFile(const std::string& role, bool player, const std::string& path);

// Empty when `output` is none of `inputs`.
std::string outputConflict(const std::string& output, const std::vector<InputFile>& inputs);

// The quiz a command reads: a built program's resources, or those a build
// of the description would store once it is checked, and every file read.
struct QuizInput {
    StoredQuiz stored;
    std::vector<InputFile> inputs;
};

// Nothing when the quiz cannot be read; its problems are then printed.
std::optional<QuizInput> quizInputOf(const std::string& path, Language language);

// The quiz record the player would load from the stored payloads; false,
// with the problem reported, when it would not load.
bool loadStoredQuiz(const StoredQuiz& stored, Quiz& quiz, Diagnostics& diagnostics);
