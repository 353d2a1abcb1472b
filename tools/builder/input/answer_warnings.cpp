#include "tools/builder/input/answer_warnings.h"

#include "quiz/windows_1252.h"

#include <cstdint>

namespace {

// Windows-1252 capitals that have a small letter of their own: the player's
// case folding leaves them alone, so a player who types the small letter
// (the one keyboards give without effort) gets no "BRAVO". Small accented
// letters are not listed: they are what players type as a matter of course.
bool isCapitalBeyondAtoZ(uint8_t byte)
{
    return byte == 0x8A || byte == 0x8C || byte == 0x8E || byte == 0x9F  // Š Œ Ž Ÿ
           || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);            // À to Þ, without ×
}

std::string utf8Of(const std::string& windows1252)
{
    return windows1252ToUtf8(windows1252).text;
}

}  // namespace

void warnAboutAnswer(const std::string& answer, const Place& where, Diagnostics& diagnostics)
{
    if (answer.empty()) {
        reportWarning(diagnostics, where, MessageId::AnswerEmpty);
        return;
    }
    if (answer.front() == ' ')
        reportWarning(diagnostics, where, MessageId::AnswerLeadingSpace, {utf8Of(answer)});
    if (answer.back() == ' ')
        reportWarning(diagnostics, where, MessageId::AnswerTrailingSpace, {utf8Of(answer)});

    std::string capitals;
    for (char c : answer)
        if (isCapitalBeyondAtoZ(static_cast<uint8_t>(c)) && capitals.find(c) == std::string::npos)
            capitals += c;
    if (!capitals.empty())
        reportWarning(diagnostics, where, capitals.size() == 1 ? MessageId::AnswerCapital : MessageId::AnswerCapitals,
                      {utf8Of(answer), utf8Of(capitals)});
}
