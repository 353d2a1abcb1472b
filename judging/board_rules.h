// The board's rules, written once for the player, the web page and the
// studio: from the quiz and what its boxes hold, each box's verdict, what a
// judgement reveals or hides, the score and the boxes an F1 spread reaches.
// Each caller shows what they say: the player in its controls, the page in
// its model. Boxes are numbered by rank, a * (entry - 1) + answer, from 1.
#pragma once

#include "quiz/quiz.h"

#include <string>

constexpr int MaxBoxes = MaxEntries * 2;

// Where the rules read the board: what box `rank` holds, and the verdict its
// label shows ("" when it has none yet). The player reads its controls, the
// page its own record; either way the rules judge what the board shows.
struct BoardReading {
    void* board;
    void (*readBox)(void* board, int rank, char (&text)[QuizTextSize]);
    void (*readVerdict)(void* board, int rank, char (&text)[QuizTextSize]);
};

// What a judgement does to the entry's answer picture or text.
enum class RevealAction { Nothing = 0, Shown = 1, Hidden = 2 };

struct Judgement {
    const char* verdict;  // one of the verdict texts
    RevealAction reveal;
};

int boxCountOf(const Quiz& quiz);
int entryOfRank(const Quiz& quiz, int rank);
const char* storedAnswerOf(const Quiz& quiz, int rank);

// A box's name where results are reported (a class's table, a school
// platform's interactions): its entry's number, "3", and with two answers
// per entry the answer's after a dot, "3.1" and "3.2".
std::string boxName(const Quiz& quiz, int rank);

// Box `rank` judged against its stored answer. A right box shows the entry's
// answer picture or text once every answer of the entry is exactly right;
// any other verdict hides the answer text.
Judgement judgeBox(const Quiz& quiz, const BoardReading& reading, int rank);

// Entries whose every label reads "BRAVO".
int countScore(const Quiz& quiz, const BoardReading& reading);

// The box Tab moves to from box `rank`: the next one, or with Shift the one
// before, wrapping around at either end.
int tabTarget(const Quiz& quiz, int rank, bool back);

// The first box after `afterRank` that an F1 spread reaches (its label does
// not read "BRAVO"), or 0 when there is none. Read as the spread goes, so a
// box judged on the way is seen as it now is.
int nextSpreadTarget(const Quiz& quiz, const BoardReading& reading, int afterRank);
