// The link rule the builder checks and the player holds a stored link to:
// only web and mail addresses, as a click hands the link to the shell.
#include "quiz/quiz_link.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(QuizLink, OnlyWebAndMailAddressesOfAtMost259Bytes)
{
    struct Row {
        std::string link;
        QuizLinkFault fault;
    };
    const Row rows[] = {
        {"http://ecole.test", QuizLinkFault::None},
        {"https://ecole.test/quiz?n=1", QuizLinkFault::None},
        {"mailto:prof@ecole.test", QuizLinkFault::None},
        {"HTTPS://ECOLE.TEST", QuizLinkFault::None},
        {"https://" + std::string(251, 'a'), QuizLinkFault::None},  // 259 bytes
        {"https://" + std::string(252, 'a'), QuizLinkFault::TooLong},
        {"https://ecole.test/\xE9t\xE9", QuizLinkFault::None},     // Windows-1252 accents
        {"", QuizLinkFault::Scheme},
        {"http://", QuizLinkFault::Scheme},                         // nothing after the scheme
        {"https:/ecole.test", QuizLinkFault::Scheme},
        {"file:///C:/Windows/notepad.exe", QuizLinkFault::Scheme},
        {"C:\\Windows\\notepad.exe", QuizLinkFault::Scheme},
        {"javascript:alert(1)", QuizLinkFault::Scheme},
        {"notepad.exe", QuizLinkFault::Scheme},
        {" http://ecole.test", QuizLinkFault::Scheme},
        {"ftp://ecole.test", QuizLinkFault::Scheme},
        {"https://ecole.test/\ta", QuizLinkFault::ControlCharacter},
        {"https://ecole.test/\na", QuizLinkFault::ControlCharacter},
        {std::string("https://ecole.test/\0a", 21), QuizLinkFault::ControlCharacter},
        {"https://ecole.test/\x7F", QuizLinkFault::ControlCharacter},
    };
    for (const Row& row : rows)
        EXPECT_EQ(quizLinkFault(row.link.data(), row.link.size()), row.fault) << "\"" << row.link << "\"";
}

}  // namespace
