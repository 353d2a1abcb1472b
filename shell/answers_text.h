// The answers file as text: one line per answer box in identifier order,
// "*" for an empty box, CR LF after every line, Windows-1252 bytes as typed.
#pragma once

#include "quiz/quiz.h"

#include <cstddef>
#include <string>

// The executable's file name with its last three characters replaced by
// "txt" (Quiz.exe gives Quiz.txt); the directory is dropped.
void answersFileNameFrom(const char* executablePath, char (&name)[QuizTextSize]);

// Appends one box's line: its first 259 characters, or "*" when empty.
void appendAnswerLine(std::string& file, const char* boxText);

// Reads the saved answers line by line, as a text-mode reader would: CR LF
// ends a line like LF alone, and the last line needs no line end.
struct AnswersReader {
    const char* bytes;
    std::size_t length;
    std::size_t position;
};

// The next box's text: the next line's first 259 characters (the rest of a
// longer line is skipped, so it cannot spill into the next box), empty for
// "*". Returns false when no line is left; the text is then empty.
bool nextAnswer(AnswersReader& reader, char (&text)[QuizTextSize]);
