// The slips people make writing JSON by hand or in a word processor, told
// in the words of the mend rather than in the parser's: a comma left out
// between two values or left in before a closing bracket, a word
// processor's curly quotes, a text broken over two lines.
#pragma once

#include "tools/builder/input/message_catalogue.h"

#include <cstddef>
#include <string>
#include <string_view>

// Which value of the one being parsed the mistake belongs to.
enum class JsonMistakePlace { ValueRead, ValueBefore, Container };

struct JsonMistake {
    bool found = false;
    std::size_t offset = 0;  // the byte whose line is to be mended
    JsonMistakePlace place = JsonMistakePlace::Container;
    std::string problem;     // "a comma is missing after this value"
    Message message{MessageId::Count, {}};  // the same as a message record
};

// `errorOffset` is the byte at which the parser stopped and `reason` its
// words ("syntax error while parsing object - unexpected string literal;
// expected '}'"); nothing is found for mistakes of other kinds.
JsonMistake commonJsonMistake(std::string_view text, std::size_t errorOffset, const std::string& reason);
