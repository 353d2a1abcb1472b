#include "judging/board_rules.h"

#include "judging/verdict.h"

#include <cstring>

namespace {

bool readsRight(const BoardReading& reading, int rank)
{
    char verdict[QuizTextSize];
    reading.readVerdict(reading.board, rank, verdict);
    return std::strcmp(verdict, verdictRight) == 0;
}

// The reveal compares the untouched texts, case included, unlike the verdict.
bool everyAnswerExact(const Quiz& quiz, const BoardReading& reading, int rank, const char* typed)
{
    int first = (entryOfRank(quiz, rank) - 1) * quiz.answersPerEntry + 1;
    for (int other = first; other < first + quiz.answersPerEntry; ++other) {
        char text[QuizTextSize];
        if (other != rank)
            reading.readBox(reading.board, other, text);
        if (std::strcmp(other == rank ? typed : text, storedAnswerOf(quiz, other)) != 0)
            return false;
    }
    return true;
}

}  // namespace

int boxCountOf(const Quiz& quiz)
{
    return quiz.entryCount * quiz.answersPerEntry;
}

int entryOfRank(const Quiz& quiz, int rank)
{
    return quiz.answersPerEntry > 0 ? (rank - 1) / quiz.answersPerEntry + 1 : 0;
}

const char* storedAnswerOf(const Quiz& quiz, int rank)
{
    const QuizEntry* entry = quiz.answersPerEntry > 0 ? entryAt(quiz, entryOfRank(quiz, rank) - 1) : nullptr;
    if (!entry)
        return "";
    return (rank - 1) % quiz.answersPerEntry == 1 ? entry->answer2 : entry->answer1;
}

std::string boxName(const Quiz& quiz, int rank)
{
    std::string entry = std::to_string(entryOfRank(quiz, rank));
    if (quiz.answersPerEntry < 2)
        return entry;
    return entry + "." + std::to_string((rank - 1) % quiz.answersPerEntry + 1);
}

Judgement judgeBox(const Quiz& quiz, const BoardReading& reading, int rank)
{
    char typed[QuizTextSize];
    reading.readBox(reading.board, rank, typed);
    char stored[QuizTextSize];
    copyText(stored, storedAnswerOf(quiz, rank));
    const char* verdict = chooseVerdict(stored, typed);
    if (std::strcmp(verdict, verdictRight) != 0)
        return {verdict, RevealAction::Hidden};
    if (quiz.revealKind != RevealKind::Picture && quiz.revealKind != RevealKind::Text)
        return {verdict, RevealAction::Nothing};
    bool exact = everyAnswerExact(quiz, reading, rank, typed);
    return {verdict, exact ? RevealAction::Shown : RevealAction::Nothing};
}

int countScore(const Quiz& quiz, const BoardReading& reading)
{
    // An entry without answer boxes has nothing right.
    if (quiz.answersPerEntry <= 0)
        return 0;
    int score = 0;
    for (int entry = 1; entry <= quiz.entryCount; ++entry) {
        bool solved = true;
        int first = (entry - 1) * quiz.answersPerEntry + 1;
        for (int rank = first; rank < first + quiz.answersPerEntry && solved; ++rank)
            solved = readsRight(reading, rank);
        score += solved;
    }
    return score;
}

int tabTarget(const Quiz& quiz, int rank, bool back)
{
    int target = rank + (back ? -1 : 1);
    if (target > boxCountOf(quiz))
        target = 1;
    if (target < 1)
        target = boxCountOf(quiz);
    return target;
}

int nextSpreadTarget(const Quiz& quiz, const BoardReading& reading, int afterRank)
{
    for (int rank = afterRank + 1; rank <= boxCountOf(quiz); ++rank)
        if (!readsRight(reading, rank))
            return rank;
    return 0;
}
