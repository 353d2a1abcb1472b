// A class's answers files judged against their quiz, as the player judges
// the boxes it restores from one, and the table a teacher opens in a
// spreadsheet: one row per pupil, one column per box, then each box's share
// of right answers.
#pragma once

#include "quiz/quiz.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One answers file against the quiz. Texts are Windows-1252, as the
// player's boxes hold them, but for `pupil`, which is UTF-8.
struct PupilResult {
    std::string pupil;
    bool matches = false;       // as many lines as the quiz has boxes
    std::size_t lineCount = 0;
    int score = 0;              // entries whose every box is right
    std::string code;           // the reward code shown; empty at score 0
    std::vector<std::string> typed;          // by rank, from 1 at index 0
    std::vector<const char*> verdicts;       // by rank; empty when not matching
};

// The file's bytes (any encoding the player reads) judged box by box. A
// file of another line count is taken for another quiz's and not judged.
PupilResult judgeAnswersFile(const Quiz& quiz, std::string pupil, std::string_view bytes);

// The pupil an answers file belongs to: its name without folder and
// extension, as UTF-8 (a name in Windows-1252, as quizbuild.exe gets it, is
// converted).
std::string pupilNameOf(const std::string& path);

// The table as a spreadsheet opens it in France: UTF-8 with its byte-order
// mark, ";" between cells, CR LF after each row. Header "élève;score;code;"
// and a column per box, named by boxName; a row per file; last the row
// "réussite" with each box's share of "BRAVO" (successSharesOf).
std::string classResultsCsv(const Quiz& quiz, const std::vector<PupilResult>& pupils);

// Each box's share of "BRAVO" among the files that match, in whole percent
// ("67 %"); empty texts when no file matches.
std::vector<std::string> successSharesOf(const std::vector<PupilResult>& pupils, int boxCount);

// What a non-matching file's row says in the score column, in French.
std::string otherQuizNote(std::size_t lineCount, int boxCount);
