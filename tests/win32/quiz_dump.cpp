#include "tests/win32/quiz_dump.h"

#include <cstdio>

std::string dumpQuiz(const Quiz& quiz, bool brushMade)
{
    char number[64];
    std::string text;
    auto line = [&text](const char* key, const std::string& value) { text += std::string(key) + "=" + value + "\n"; };
    line("kind", std::to_string(static_cast<int>(quiz.kind)));
    line("entryCount", std::to_string(quiz.entryCount));
    line("answersPerEntry", std::to_string(quiz.answersPerEntry));
    line("title", quiz.title);
    line("author", quiz.author);
    line("description", quiz.description);
    line("firstAnswerLabel", quiz.firstAnswerLabel);
    line("secondAnswerLabel", quiz.secondAnswerLabel);
    line("revealKind", std::to_string(static_cast<int>(quiz.revealKind)));
    std::snprintf(number, sizeof number, "%06X", static_cast<unsigned>(quiz.boardColour));
    line("boardColour", number);
    line("boardBrush", brushMade ? "made" : "none");
    for (const QuizEntry* entry = quiz.head; entry; entry = entry->next)
        line("entry", std::string(entry->answer1) + "|" + entry->answer2 + "|" + entry->clue + "|" + entry->revealText);
    for (int row = 0; row < MaxEntries; ++row) {
        if (quiz.codes[row][0]) {
            std::snprintf(number, sizeof number, "code%d", row);
            line(number, quiz.codes[row]);
        }
    }
    if (quiz.link[0])
        line("link", quiz.link);
    return text;
}
