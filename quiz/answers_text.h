// The answers file as text: one line per answer box in identifier order,
// "*" for an empty box, CR LF after every line, Windows-1252 bytes as typed.
#pragma once

#include "quiz/quiz.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Hand-edited files may be large; nothing past this is read.
constexpr std::size_t LargestAnswersFile = 16 * 1024 * 1024;

// The executable's file name with its last three characters replaced by
// "txt" (Quiz.exe gives Quiz.txt); the directory is dropped.
void answersFileNameFrom(const char* executablePath, char (&name)[QuizTextSize]);

// Appends one box's line: its first 259 characters, or "*" when empty.
void appendAnswerLine(std::string& file, const char* boxText);

// The file's bytes as Windows-1252 text with line ends, whatever a text
// editor saved them as: UTF-16 (with its byte-order mark) and UTF-8 with a
// byte-order mark are converted, a character with no Windows-1252 form
// becoming "?" as a box would show it; lines ended by CR alone get LF.
std::string answersFileText(std::string_view bytes);

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

// The next line whole, without its line end; false when no line is left.
bool nextAnswerLine(AnswersReader& reader, std::string& line);

// Every line of the file's text, whole.
std::vector<std::string> answerLinesOf(std::string_view text);

// A line as its box holds it: its first 259 characters, empty for "*".
void boxTextOfLine(const std::string& line, char (&text)[QuizTextSize]);
