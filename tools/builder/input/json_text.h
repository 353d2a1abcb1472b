// The JSON text of a quiz description parsed into a value: nesting is
// bounded before it costs memory level by level, keys repeated in one object
// are refused, and every problem of the text itself is told by line and
// column, as an editor counts them.
#pragma once

#include "tools/builder/input/diagnostics.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>

// Arrays and objects nested deeper than this are refused: a description
// needs 4 levels (the quiz, its entries, an entry, its answers); the rest is
// room for values of the wrong type, which get their own message.
inline constexpr std::size_t MaxJsonDepth = 16;

// "line 3, column 12" for the byte at `offset` (from 0): lines and
// characters counted from 1, a leading byte order mark not counted.
std::string placeOf(std::string_view text, std::size_t offset);

// The offset of the first "[" or "{" outside strings that opens level
// `maxDepth` + 1; npos when the text nests no deeper than `maxDepth`.
std::size_t firstTooDeep(std::string_view text, std::size_t maxDepth);

// The offset of the first number outside strings that is too large for a
// double (1e400, -1e400); npos when there is none.
std::size_t firstHugeNumber(std::string_view text);

// False, with one problem reported, when `text` is no JSON value that the
// rest of the checks may read.
bool parseJson(std::string_view text, nlohmann::json& root, Diagnostics& diagnostics);
