// What an entry of a quiz holds, by the quiz's kind, answers per entry and
// reveal: the keys a description takes, which it needs, which the player
// shows, the CSV column of each and how the studio heads it. The
// description's checks accept and refuse keys from this table, and the
// studio draws its table, its form and the CSV columns it asks for from it.
#pragma once

#include "quiz/quiz.h"
#include "tools/builder/input/csv_entries.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

// In the order "unknown key" messages list them.
enum class EntryKey { Clue, Answers, Media, RevealPicture, RevealText, WebClip };

enum class KeyUse {
    Refused,   // an error: it would not be stored
    Stored,    // taken and stored, but the player does not show it
    Optional,  // shown when given
    Required,  // every entry gives it
};

// What a key's use depends on.
enum class KeyRule { Always, Kind, Reveal };

const char* entryKeyName(EntryKey key);
std::span<const char* const> entryKeyNames();  // by EntryKey value
KeyRule entryKeyRule(EntryKey key);
KeyUse entryKeyUse(EntryKey key, QuizKind kind, RevealKind reveal);

// The key's use once what it depends on is known; nullopt while it is not
// (a kind or reveal the description gets wrong), when nothing is checked.
std::optional<KeyUse> entryKeyUse(EntryKey key, std::optional<QuizKind> kind, std::optional<RevealKind> reveal);

// The columns a CSV file of entries must name, from what is known of the quiz.
CsvColumnsNeeded csvColumnsNeeded(std::optional<QuizKind> kind, std::optional<int32_t> answersPerEntry,
                                  std::optional<RevealKind> reveal);

// One thing an author fills in for every entry.
struct ShapeField {
    std::string field;  // as messages and the studio name it: "clue", "answers[1]"
    EntryKey key;
    KeyUse use;         // Optional or Required
    int answer = -1;    // 0 or 1 for an answer
    bool isFile = false;              // a media path rather than a text
    std::string label;                // French, as the studio heads it
    std::optional<CsvColumn> column;  // the CSV column that holds it; none for web clips
};

struct QuizShape {
    std::vector<EntryKey> keys;      // every key an entry may hold, in the order the studio writes them
    std::vector<ShapeField> fields;  // what the player shows, in the same order
    CsvColumnsNeeded csvNeeded;
};

// `answerLabels` head the answers of a two-answer quiz where given (UTF-8).
QuizShape quizShapeOf(QuizKind kind, int32_t answersPerEntry, RevealKind reveal,
                      const std::string (&answerLabels)[2]);
