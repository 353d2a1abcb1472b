#include "quiz/payload.h"

#include <cstring>

namespace {

struct PayloadReader {
    const uint8_t* bytes;
    std::size_t length;
    std::size_t position;

    bool readByte(uint8_t& value)
    {
        if (position >= length)
            return false;
        value = bytes[position++];
        return true;
    }

    // A field is the run of bytes before the next separator, which is skipped.
    bool readField(char (&field)[QuizTextSize])
    {
        std::size_t start = position;
        while (position < length && bytes[position] != fieldSeparator) {
            if (position - start >= QuizTextSize - 1)
                return false;
            ++position;
        }
        if (position >= length)
            return false;
        std::memcpy(field, bytes + start, position - start);
        field[position - start] = '\0';
        ++position;
        return true;
    }

    // A code is the run of bytes before the next CR; the CR and the byte
    // after it are skipped.
    bool readCodeLine(char (&row)[QuizTextSize])
    {
        std::size_t start = position;
        while (position < length && bytes[position] != '\r') {
            if (position - start >= QuizTextSize - 1)
                return false;
            ++position;
        }
        if (position >= length)
            return false;
        std::memcpy(row, bytes + start, position - start);
        row[position - start] = '\0';
        position = position + 2 <= length ? position + 2 : length;
        return true;
    }
};

bool readEntries(Quiz& quiz, PayloadReader& reader)
{
    for (int32_t number = 1; number <= quiz.entryCount; ++number) {
        char answer1[QuizTextSize];
        char answer2[QuizTextSize] = "";
        char clue[QuizTextSize];
        if (!reader.readField(answer1))
            return false;
        if (quiz.answersPerEntry == 2 && !reader.readField(answer2))
            return false;
        if (!reader.readField(clue))
            return false;
        appendEntry(quiz, answer1, answer2, clue);
    }
    return true;
}

bool readQuiz(Quiz& quiz, PayloadReader& reader)
{
    uint8_t unused, kind, count, answers;
    if (!reader.readByte(unused) || !reader.readByte(kind) || !reader.readByte(count)
        || !reader.readByte(answers))
        return false;
    quiz.kind = static_cast<QuizKind>(int32_t(kind) - 1);
    quiz.entryCount = count;
    quiz.answersPerEntry = answers;
    // The board knows four kinds, and boxes only for one or two answers.
    if (count > MaxEntries || (answers != 1 && answers != 2) || kind < 1 || kind > 4)
        return false;
    if (!reader.readField(quiz.title) || !reader.readField(quiz.author)
        || !reader.readField(quiz.description) || !reader.readField(quiz.firstAnswerLabel)
        || !reader.readField(quiz.secondAnswerLabel))
        return false;
    if (!readEntries(quiz, reader))
        return false;

    uint8_t reveal;
    if (!reader.readByte(reveal))
        return false;
    quiz.revealKind = static_cast<RevealKind>(reveal);
    if (quiz.revealKind == RevealKind::Text) {
        for (int32_t index = 0; index < quiz.entryCount; ++index) {
            QuizEntry* entry = entryAt(quiz, index);
            if (!entry || !reader.readField(entry->revealText))
                return false;
        }
    }
    uint8_t red, green, blue;
    if (!reader.readByte(red) || !reader.readByte(green) || !reader.readByte(blue))
        return false;
    quiz.boardColour = red | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
    return true;
}

}  // namespace

bool parseQuizPayload(Quiz& quiz, const uint8_t* bytes, std::size_t length)
{
    PayloadReader reader{bytes, bytes ? length : 0, 0};
    if (readQuiz(quiz, reader))
        return true;
    freeEntries(quiz);
    initQuiz(quiz);
    return false;
}

bool parseCodesPayload(Quiz& quiz, const uint8_t* bytes, std::size_t length)
{
    PayloadReader reader{bytes, bytes ? length : 0, 0};
    int32_t rows = quiz.entryCount < MaxEntries ? quiz.entryCount : MaxEntries;
    for (int32_t row = 0; row < rows; ++row) {
        if (!reader.readCodeLine(quiz.codes[row])) {
            std::memset(quiz.codes, 0, sizeof quiz.codes);
            return false;
        }
    }
    return true;
}

void loadSampleQuiz(Quiz& quiz)
{
    copyText(quiz.title, "Nom du quizz");
    copyText(quiz.author, "Createur quizz");
    copyText(quiz.description, "Explications du quizz");
    copyText(quiz.firstAnswerLabel, "Pr\xE9nom - Nom");
    copyText(quiz.secondAnswerLabel, "Manga / Anime");
    quiz.answersPerEntry = 2;
    quiz.entryCount = 30;
    quiz.revealKind = RevealKind::None;
    quiz.kind = QuizKind::Sound;
    appendEntry(quiz, "alex", "titi", "titi");
    appendEntry(quiz, "xeland", "plouf", "titi");
}
