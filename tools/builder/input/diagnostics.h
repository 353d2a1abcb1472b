// Problems found in one input file. Every problem becomes one line that
// names the file, where in it (entry number and field) and what is wrong
// with the value against which limit, so an author can fix every problem
// of a file after one run.
#pragma once

#include "tools/builder/input/message_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Where a problem is: a CSV file of entries and its line and column, an
// entry (numbered from 1, as the board shows it) and a field, as a JSON key
// path ("answers[1]", "codes[2]"). Any part may be left out; nothing at all
// is the file as a whole.
struct Place {
    std::string file;          // a file the description names (its CSV file), as written
    std::size_t line = 0;      // 1-based; 0 when not told
    std::string column;        // CSV: the header's name for it, or its number; JSON text: a number
    bool columnNamed = false;  // the column is a header name (shown quoted)
    std::string columnAsWritten;  // the header's own spelling, when it differs ("Réponse 1")
    std::size_t entry = 0;     // 1-based; 0 when not in an entry
    std::string field;         // "title", "answers[1]", "quiz payload"
    bool lineOnly = false;     // the line names its own file: no file in front
    std::string csvKey;        // CSV: the description's key path the column stands for ("answers[0]")

    Place() = default;
    Place(std::string key) : field(std::move(key)) {}
    Place(const char* key) : field(key) {}

    bool empty() const { return file.empty() && !line && column.empty() && !entry && field.empty(); }
};

// The key path of the place: its field, or the key a CSV column stands for.
const std::string& fieldKey(const Place& place);

enum class Severity { Error, Warning };

struct Problem {
    Severity severity;
    Place place;
    Message message;
};

struct Diagnostics {
    std::string file;               // as the author named it
    std::vector<Problem> errors;
    std::vector<Problem> warnings;
};

void reportError(Diagnostics& diagnostics, const Place& where, MessageId id, std::vector<std::string> values = {});
void reportWarning(Diagnostics& diagnostics, const Place& where, MessageId id, std::vector<std::string> values = {});
void reportError(Diagnostics& diagnostics, const Place& where, Message message);
void reportWarning(Diagnostics& diagnostics, const Place& where, Message message);

// The place as one line shows it: "entry 3, answers[1]" in English,
// "Entrée 3, réponse 2" in French.
std::string placeText(const Place& place, Language language);

// One problem's line, file first.
std::string problemLine(const std::string& file, const Problem& problem, bool strict, Language language);

// The lines to show, errors first. With `strict`, warnings count as errors
// and say so.
std::vector<std::string> problemLines(const Diagnostics& diagnostics, bool strict,
                                      Language language = Language::English);

// The English lines of some problems of the file (for tests and logs).
std::vector<std::string> englishLines(const Diagnostics& diagnostics, const std::vector<Problem>& problems);
std::vector<std::string> errorLines(const Diagnostics& diagnostics);
std::vector<std::string> warningLines(const Diagnostics& diagnostics);

// Whether nothing may be written: an error, or a warning under `strict`.
bool failed(const Diagnostics& diagnostics, bool strict);

// Entries are numbered from 1, as the board shows them; arrays inside an
// entry keep their JSON index: "entry 3, answers[1]".
Place entryField(std::size_t entryIndex, const std::string& field);

// A line that names its own file (the player, an output path).
Place wholeLine();

// "1 code", "3 codes".
std::string countOf(std::size_t count, const char* singular, const char* plural);

// "134217728 bytes (128 MiB)", "600000000 bytes (572.2 MiB)".
std::string byteSize(uint64_t bytes);

// "128", "572.2": the mebibytes alone.
std::string mebibytes(uint64_t bytes);

// A value quoted in a message: `"Paris"`. Control characters are shown as
// JSON escapes (`"a\u0000b"`, `"two\nlines"`), so every line is whole and
// shows what the file holds.
std::string inQuotes(const std::string& text);

// The text with control characters shown as in inQuotes, without the quotes:
// for keys that name a place ("answers", "a\u0000[2]").
std::string escaped(const std::string& text);
