// Quizzes for the end-to-end tests, written into real quiz programs, and the
// folders the player runs in.
#pragma once

#include "win32/platform.h"

#include <string>
#include <vector>

// Texts are Windows-1252 bytes, as the player shows them.
struct TestEntry {
    std::string clue;
    std::string answer1;
    std::string answer2;  // only with two answers per entry
};

// A text quiz: every entry shows a clue line.
struct TestQuiz {
    int answersPerEntry = 1;
    std::string title = "Quizz des capitales";
    std::string author = "Ana Lune";
    std::string description = "Trouvez la capitale de chaque pays";
    std::string firstAnswerLabel = "Capitale";
    std::string secondAnswerLabel = "Fleuve";
    COLORREF boardColour = RGB(32, 96, 160);
    std::vector<TestEntry> entries;
    std::vector<std::string> codes;  // one per entry
    std::string link;                // the header's link; none when empty
};

// A text quiz of `count` entries: clue "Indice i", answers "rep<i>" (and
// "deux<i>"), codes "CODE<i>".
TestQuiz textQuiz(int count, int answersPerEntry = 1);

// Builds the quiz program for `quiz` at exePath with the quiz builder, from
// a description written beside it; false when the builder failed (its
// messages are printed).
bool makeQuizProgram(const TestQuiz& quiz, const std::string& exePath);

// makeQuizProgram into `folder` as `exeName`; the program's path, or empty
// when it could not be written.
std::string quizProgramIn(const TestQuiz& quiz, const std::string& folder, const std::string& exeName = "quiz.exe");

// The player with a quiz resource that cannot be unpacked.
bool makeDamagedQuizProgram(const std::string& exePath);

// The player that the tests drive and the quiz builder, beside this test
// program.
std::string playerProgram();
std::string builderProgram();
