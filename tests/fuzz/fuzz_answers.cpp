// Any bytes as an answers file: converted from whatever encoding they seem
// to be in, split into lines, and handed out box by box as the board does.
// Crashes, sanitizer reports and broken promises of the reader fail.
#include "quiz/answers_text.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t length)
{
    std::string_view file(reinterpret_cast<const char*>(bytes), length);
    std::string text = answersFileText(file);
    // Conversions never grow the text: UTF-16 halves it, UTF-8 shrinks it.
    if (text.size() > length)
        std::abort();
    std::vector<std::string> lines = answerLinesOf(text);
    if (lines.size() > text.size())
        std::abort();
    AnswersReader reader{text.data(), text.size(), 0};
    for (const std::string& line : lines) {
        char boxText[QuizTextSize];
        if (!nextAnswer(reader, boxText) || std::strlen(boxText) > QuizTextSize - 1
            || line.find('\n') != std::string::npos)
            std::abort();
        char fromLine[QuizTextSize];
        boxTextOfLine(line, fromLine);
        if (std::strcmp(boxText, fromLine) != 0)
            std::abort();
        std::string saved;
        appendAnswerLine(saved, boxText);
        if (saved.size() < 3 || saved.compare(saved.size() - 2, 2, "\r\n") != 0)
            std::abort();
    }
    char rest[QuizTextSize];
    if (nextAnswer(reader, rest))
        std::abort();
    return 0;
}
