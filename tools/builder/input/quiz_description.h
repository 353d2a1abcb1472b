// A quiz as its author describes it in UTF-8 JSON, checked and with every
// text already in Windows-1252, ready to become the player's payloads.
#pragma once

#include "quiz/quiz.h"
#include "tools/builder/files/file_read.h"
#include "tools/builder/input/diagnostics.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The largest description read: 90 entries whose texts are all at their
// longest and written as \u escapes come to about 0.7 MB.
inline constexpr uint64_t MaxDescriptionBytes = uint64_t(4) << 20;

struct EntryDescription {
    std::string answers[2];     // the second only with two answers per entry
    std::string clue;
    std::string revealText;     // only with reveal "text"
    std::string media;          // path as written (UTF-8), relative to the description; empty when absent
    std::string revealPicture;  // likewise, only with reveal "picture"
    std::string webClip;        // video quizzes: the clip the web page plays (MP4 or WebM); the player never gets it
    Place mediaPlace;                // where the paths are written, for problems with their files:
    Place revealPicturePlace;  // "entry 3, media", "names.csv, line 4, column \"media\""
    Place webClipPlace;
};

struct QuizDescription {
    QuizKind kind = QuizKind::Text;
    std::string title;
    std::string author;
    std::string description;
    std::string link;                 // the header's link, Windows-1252; empty when the description gives none
    std::string answerLabels[2];
    int32_t answersPerEntry = 1;
    RevealKind reveal = RevealKind::None;
    uint32_t boardColour = 0xFFFFFF;  // COLORREF layout 0x00BBGGRR; white unless given
    std::vector<EntryDescription> entries;
    std::string entriesFile;          // the CSV file the entries come from, as written; empty for an array
    std::string entriesEncoding;      // what that file was read as: "UTF-8", "UTF-16", "Windows-1252"
    std::vector<std::string> codes;   // at most one per entry; missing ones are empty rows
};

// Reads a CSV file of entries named as the description names it (UTF-8,
// relative to the description's folder), sized before it is read.
using EntriesFileReader = std::function<FileRead(const std::string& path)>;

// Reads and checks a description. Every problem is reported, not only the
// first; the result is meaningful only when no error was added. Entries
// given as a CSV file's path are read through `readEntriesFile`.
QuizDescription readQuizDescription(std::string_view json, Diagnostics& diagnostics,
                                    const EntriesFileReader& readEntriesFile = {});

// "#RRGGBB" and back; false for anything else.
bool parseColour(const std::string& text, uint32_t& colour);
std::string colourText(uint32_t colour);

// The names the description uses for the kinds and reveals.
const char* quizKindName(QuizKind kind);

// The first character of a UTF-8 text that Windows-1252 lacks ("∑"); ""
// when there is none (or the text is no UTF-8).
std::string characterWithoutWindows1252(const std::string& utf8);
const char* revealKindName(RevealKind reveal);
