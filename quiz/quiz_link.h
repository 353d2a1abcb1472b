// The quiz's own link: the address the header's link shows and opens. A
// click hands it to the shell, which would as readily run a program or open
// a local file, so only web and mail addresses are stored or opened.
#pragma once

#include <cstddef>

// At most 259 bytes (Windows-1252) and a terminating zero, as every quiz text.
constexpr std::size_t QuizLinkSize = 260;

enum class QuizLinkFault {
    None,
    Scheme,            // does not start with http://, https:// or mailto:, or nothing follows it
    TooLong,           // more than 259 bytes
    ControlCharacter,  // a byte below 0x20 (a line break, a tab) or DEL
};

// The rule the builder checks a link against and the player holds a stored
// one to; the scheme's letters in any case.
QuizLinkFault quizLinkFault(const char* link, std::size_t length);

// The schemes allowed, as the builder's messages list them.
inline constexpr const char* quizLinkSchemes = "http://, https:// or mailto:";
