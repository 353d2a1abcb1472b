// The one quiz the player plays: header texts, counts, reward codes and the
// doubly linked list of entries, all in fixed 260-byte Windows-1252 fields.
#pragma once

#include <cstdint>

constexpr int QuizTextSize = 260;  // 259 characters and the terminating zero
constexpr int MaxEntries = 90;     // one reward code row per possible entry

enum class QuizKind : int32_t { Text = 0, Picture = 1, Sound = 2, Video = 3 };
enum class RevealKind : int32_t { None = 0, Picture = 1, Text = 2 };

struct QuizEntry {
    char answer1[QuizTextSize];
    char answer2[QuizTextSize];
    char clue[QuizTextSize];
    char revealText[QuizTextSize];
    QuizEntry* prev;
    QuizEntry* next;
};

// The board's brush is a GDI handle; the portable core only carries it.
using BrushHandle = void*;

struct Quiz {
    QuizKind kind;
    char title[QuizTextSize];
    char author[QuizTextSize];
    char description[QuizTextSize];
    char firstAnswerLabel[QuizTextSize];
    char secondAnswerLabel[QuizTextSize];
    int32_t entryCount;
    int32_t answersPerEntry;
    char codes[MaxEntries][QuizTextSize];
    RevealKind revealKind;
    uint32_t boardColour;  // COLORREF layout 0x00BBGGRR
    BrushHandle boardBrush;
    QuizEntry* head;
    QuizEntry* tail;
    char link[QuizTextSize];  // the quiz's own address for the header's link; empty without one
};

// Empties a record: every text empty, counts zero, no brush, no entries,
// reveal kind Text (the value a record starts with before loading).
void initQuiz(Quiz& quiz);

// Links a new zero-filled entry at the tail; texts longer than 259 bytes are cut.
// Allocation failure is not caught: it ends the process.
QuizEntry* appendEntry(Quiz& quiz, const char* answer1, const char* answer2, const char* clue);

// The entry at a 0-based index; an index past the end yields the last entry,
// and only an empty list yields null.
QuizEntry* entryAt(const Quiz& quiz, int index);

// Releases every entry; counts and texts stay as they are.
void freeEntries(Quiz& quiz);

// Copies at most 259 bytes of a zero-terminated text into a 260-byte field.
void copyText(char (&field)[QuizTextSize], const char* text);
