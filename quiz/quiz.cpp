#include "quiz/quiz.h"

#include <cstring>

void copyText(char (&field)[QuizTextSize], const char* text)
{
    std::size_t length = text ? strnlen(text, QuizTextSize - 1) : 0;
    std::memcpy(field, text ? text : "", length);
    field[length] = '\0';
}

void initQuiz(Quiz& quiz)
{
    std::memset(&quiz, 0, sizeof quiz);
    quiz.kind = QuizKind::Text;
    quiz.revealKind = RevealKind::Text;
    quiz.boardBrush = nullptr;
    quiz.head = nullptr;
    quiz.tail = nullptr;
}

QuizEntry* appendEntry(Quiz& quiz, const char* answer1, const char* answer2, const char* clue)
{
    QuizEntry* entry = new QuizEntry{};
    copyText(entry->answer1, answer1);
    copyText(entry->answer2, answer2);
    copyText(entry->clue, clue);
    entry->prev = quiz.tail;
    if (quiz.tail)
        quiz.tail->next = entry;
    else
        quiz.head = entry;
    quiz.tail = entry;
    return entry;
}

QuizEntry* entryAt(const Quiz& quiz, int index)
{
    QuizEntry* entry = quiz.head;
    for (int step = 0; entry && entry->next && step < index; ++step)
        entry = entry->next;
    return entry;
}

void freeEntries(Quiz& quiz)
{
    QuizEntry* entry = quiz.head;
    while (entry) {
        QuizEntry* next = entry->next;
        delete entry;
        entry = next;
    }
    quiz.head = nullptr;
    quiz.tail = nullptr;
}
