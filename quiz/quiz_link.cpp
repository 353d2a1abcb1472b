#include "quiz/quiz_link.h"

#include <initializer_list>

namespace {

char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWith(const char* link, std::size_t length, const char* prefix)
{
    std::size_t at = 0;
    for (; prefix[at]; ++at)  // bounded by the prefix's length
        if (at >= length || lowered(link[at]) != prefix[at])
            return false;
    return length > at;  // something after the scheme
}

}  // namespace

QuizLinkFault quizLinkFault(const char* link, std::size_t length)
{
    if (length > QuizLinkSize - 1)
        return QuizLinkFault::TooLong;
    for (std::size_t at = 0; at < length; ++at) {  // bounded by the length
        auto byte = static_cast<unsigned char>(link[at]);
        if (byte < 0x20 || byte == 0x7F)
            return QuizLinkFault::ControlCharacter;
    }
    for (const char* scheme : {"http://", "https://", "mailto:"})
        if (startsWith(link, length, scheme))
            return QuizLinkFault::None;
    return QuizLinkFault::Scheme;
}
