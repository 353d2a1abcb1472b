// Problems found in one input file. Every problem becomes one line that
// names the file, where in it (entry number and field) and what is wrong
// with the value against which limit, so an author can fix every problem
// of a file after one run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Diagnostics {
    std::string file;                   // as the author named it
    std::vector<std::string> errors;    // complete lines, without line ends
    std::vector<std::string> warnings;  // complete lines, without line ends
};

// `where` is a field ("title", "codes[2]", "entry 3, answers[1]") or empty
// for the file as a whole.
void reportError(Diagnostics& diagnostics, const std::string& where, const std::string& problem);
void reportWarning(Diagnostics& diagnostics, const std::string& where, const std::string& problem);

// The lines to show, errors first. With `strict`, warnings count as errors
// and say so.
std::vector<std::string> problemLines(const Diagnostics& diagnostics, bool strict);

// Whether nothing may be written: an error, or a warning under `strict`.
bool failed(const Diagnostics& diagnostics, bool strict);

// Entries are numbered from 1, as the board shows them; arrays inside an
// entry keep their JSON index: "entry 3, answers[1]".
std::string entryField(std::size_t entryIndex, const std::string& field);

// "1 code", "3 codes".
std::string countOf(std::size_t count, const char* singular, const char* plural);

// "134217728 bytes (128 MiB)", "600000000 bytes (572.2 MiB)".
std::string byteSize(uint64_t bytes);

// A value quoted in a message: `"Paris"`. Control characters are shown as
// JSON escapes (`"a\u0000b"`, `"two\nlines"`), so every line is whole and
// shows what the file holds.
std::string inQuotes(const std::string& text);

// The text with control characters shown as in inQuotes, without the quotes:
// for keys that name a place ("answers", "a\u0000[2]").
std::string escaped(const std::string& text);
