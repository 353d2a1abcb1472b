#include "quiz/payload_writer.h"

#include "quiz/payload.h"

#include <cstring>

namespace {

void putText(std::vector<uint8_t>& bytes, const char* text)
{
    std::size_t length = strnlen(text, QuizTextSize - 1);
    bytes.insert(bytes.end(), text, text + length);
}

void putField(std::vector<uint8_t>& bytes, const char* text)
{
    putText(bytes, text);
    bytes.push_back(fieldSeparator);
}

}  // namespace

std::vector<uint8_t> writeQuizPayload(const Quiz& quiz)
{
    std::vector<uint8_t> bytes;
    bytes.push_back(0);
    bytes.push_back(static_cast<uint8_t>(static_cast<int32_t>(quiz.kind) + 1));
    bytes.push_back(static_cast<uint8_t>(quiz.entryCount));
    bytes.push_back(static_cast<uint8_t>(quiz.answersPerEntry));
    for (const char* field : {quiz.title, quiz.author, quiz.description, quiz.firstAnswerLabel,
                              quiz.secondAnswerLabel})
        putField(bytes, field);
    for (int32_t index = 0; index < quiz.entryCount; ++index) {
        const QuizEntry* entry = entryAt(quiz, index);
        putField(bytes, entry ? entry->answer1 : "");
        if (quiz.answersPerEntry == 2)
            putField(bytes, entry ? entry->answer2 : "");
        putField(bytes, entry ? entry->clue : "");
    }
    bytes.push_back(static_cast<uint8_t>(quiz.revealKind));
    if (quiz.revealKind == RevealKind::Text) {
        for (int32_t index = 0; index < quiz.entryCount; ++index) {
            const QuizEntry* entry = entryAt(quiz, index);
            putField(bytes, entry ? entry->revealText : "");
        }
    }
    bytes.push_back(static_cast<uint8_t>(quiz.boardColour & 0xFF));
    bytes.push_back(static_cast<uint8_t>((quiz.boardColour >> 8) & 0xFF));
    bytes.push_back(static_cast<uint8_t>((quiz.boardColour >> 16) & 0xFF));
    return bytes;
}

std::vector<uint8_t> writeCodesPayload(const Quiz& quiz)
{
    std::vector<uint8_t> bytes;
    int32_t rows = quiz.entryCount < MaxEntries ? quiz.entryCount : MaxEntries;
    for (int32_t row = 0; row < rows; ++row) {
        putText(bytes, quiz.codes[row]);
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    return bytes;
}
