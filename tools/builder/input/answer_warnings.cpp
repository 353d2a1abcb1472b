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

void warnAboutAnswer(const std::string& answer, const std::string& where, Diagnostics& diagnostics)
{
    if (answer.empty()) {
        reportWarning(diagnostics, where, "empty; no typed answer is ever judged \"BRAVO\" against it");
        return;
    }
    const char* typedLoses = "typed answers lose their spaces at both ends, so it can never be \"BRAVO\"";
    if (answer.front() == ' ')
        reportWarning(diagnostics, where, inQuotes(utf8Of(answer)) + " starts with a space; " + typedLoses);
    if (answer.back() == ' ')
        reportWarning(diagnostics, where, inQuotes(utf8Of(answer)) + " ends with a space; " + typedLoses);

    std::string capitals;
    for (char c : answer)
        if (isCapitalBeyondAtoZ(static_cast<uint8_t>(c)) && capitals.find(c) == std::string::npos)
            capitals += c;
    if (!capitals.empty())
        reportWarning(diagnostics, where,
                      inQuotes(utf8Of(answer)) + " holds " + inQuotes(utf8Of(capitals))
                          + (capitals.size() == 1 ? ", a capital" : ", capitals")
                          + " outside A to Z; case is matched only for a to z, so players must type "
                          + (capitals.size() == 1 ? "it" : "them") + " exactly as stored");
}
