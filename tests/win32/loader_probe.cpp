// Loads the quiz from its own resources, as the player does at start-up,
// and writes the record to the file named on its command line.
#include "quiz/loader.h"
#include "tests/win32/quiz_dump.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    static Quiz quiz;
    initQuiz(quiz);
    loadQuiz(quiz);
    std::string dump = dumpQuiz(quiz, quiz.boardBrush != nullptr);
    FILE* file = std::fopen(argv[1], "wb");
    if (!file)
        return 3;
    std::fwrite(dump.data(), 1, dump.size(), file);
    std::fclose(file);
    freeEntries(quiz);
    return 0;
}
