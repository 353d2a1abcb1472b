#include "shell/answers_text.h"

#include <cstring>

void answersFileNameFrom(const char* executablePath, char (&name)[QuizTextSize])
{
    const char* base = std::strrchr(executablePath, '\\');
    base = base ? base + 1 : executablePath;
    copyText(name, base);
    std::size_t length = std::strlen(name);
    std::size_t stem = length >= 3 ? length - 3 : 0;
    // A name of fewer than three characters still gets its "txt".
    if (stem + 3 >= QuizTextSize)
        stem = QuizTextSize - 4;
    std::memcpy(name + stem, "txt", 4);
}

void appendAnswerLine(std::string& file, const char* boxText)
{
    std::size_t length = strnlen(boxText, QuizTextSize - 1);
    if (length == 0)
        file += "*";
    else
        file.append(boxText, length);
    file += "\r\n";
}

bool nextAnswer(AnswersReader& reader, char (&text)[QuizTextSize])
{
    text[0] = '\0';
    if (!reader.bytes || reader.position >= reader.length)
        return false;
    std::size_t start = reader.position;
    const void* lineFeed = std::memchr(reader.bytes + start, '\n', reader.length - start);
    std::size_t end = lineFeed ? static_cast<const char*>(lineFeed) - reader.bytes : reader.length;
    reader.position = lineFeed ? end + 1 : reader.length;
    std::size_t lineLength = end - start;
    // Text mode reads the CR of a CR LF pair as part of the line end.
    if (lineFeed && lineLength > 0 && reader.bytes[end - 1] == '\r')
        --lineLength;
    if (lineLength > QuizTextSize - 1)
        lineLength = QuizTextSize - 1;
    std::memcpy(text, reader.bytes + start, lineLength);
    text[lineLength] = '\0';
    if (std::strcmp(text, "*") == 0)
        text[0] = '\0';
    return true;
}
