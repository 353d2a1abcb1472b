#include "tools/builder/input/json_mistakes.h"

#include <cstring>

namespace {

// Word processors' double quotes, in UTF-8: “ ” „
constexpr std::string_view curlyQuotes[] = {"\xE2\x80\x9C", "\xE2\x80\x9D", "\xE2\x80\x9E"};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isPunctuation(char c)
{
    return c != '\0' && std::strchr("[]{}:,\"", c) != nullptr;
}

bool hasCurlyQuoteAt(std::string_view text, std::size_t at)
{
    for (std::string_view quote : curlyQuotes)
        if (text.substr(at, quote.size()) == quote)
            return true;
    return false;
}

// The offset just past the string whose opening quote is at `at`.
std::size_t endOfString(std::string_view text, std::size_t at)
{
    // Bounded by the text's length: every step moves on by at least one byte.
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text[at] == '"' || text[at] == '\n')
            return at + 1;  // a string does not go past its line, for these guesses
    }
    return text.size();
}

struct Token {
    std::size_t start;
    std::size_t end;
};

// The token (string, literal or punctuation) holding `offset`, found from
// the start of the text; the last one when `offset` lies past them all.
Token tokenAt(std::string_view text, std::size_t offset)
{
    Token token{text.size(), text.size()};
    // Bounded by the text's length: every token moves on by at least one byte.
    for (std::size_t at = 0; at < text.size();) {
        while (at < text.size() && isBlank(text[at]))
            ++at;
        if (at == text.size())
            break;
        std::size_t end = at + 1;
        if (text[at] == '"')
            end = endOfString(text, at);
        else if (!isPunctuation(text[at]))
            while (end < text.size() && !isBlank(text[end]) && !isPunctuation(text[end]))
                ++end;
        token = {at, end};
        if (end > offset)
            break;
        at = end;
    }
    return token;
}

// The last byte before `at` that is not blank; npos when there is none.
std::size_t lastByteBefore(std::string_view text, std::size_t at)
{
    while (at > 0 && isBlank(text[at - 1]))  // bounded by `at`
        --at;
    return at == 0 ? std::string_view::npos : at - 1;
}

std::size_t lineStart(std::string_view text, std::size_t at)
{
    std::size_t newline = text.rfind('\n', at == 0 ? 0 : at - 1);
    return at == 0 || newline == std::string_view::npos ? 0 : newline + 1;
}

// The first curly quote outside straight-quoted strings up to the end of
// the line where the parser stopped, or inside a string left open at the
// end of that line or the line before ("Quiz”, ...); npos when there is
// none. A curly quote inside a closed string is the author's text.
std::size_t curlyQuoteNear(std::string_view text, std::size_t errorOffset)
{
    std::size_t lineEnd = text.find('\n', errorOffset);
    if (lineEnd == std::string_view::npos)
        lineEnd = text.size();
    std::size_t errorLine = lineStart(text, errorOffset);
    std::size_t lineBefore = errorLine > 0 ? lineStart(text, errorLine - 1) : 0;
    // Bounded by the line's end: every step moves on by at least one byte.
    for (std::size_t at = 0; at < lineEnd;) {
        if (hasCurlyQuoteAt(text, at))
            return at;
        if (text[at] != '"') {
            ++at;
            continue;
        }
        std::size_t end = endOfString(text, at);
        bool open = text[end - 1] != '"' || end - 1 == at;
        if (open && at >= lineBefore)
            for (std::size_t inside = at; inside < end; ++inside)  // bounded by the string's end
                if (hasCurlyQuoteAt(text, inside))
                    return inside;
        at = end;
    }
    return std::string_view::npos;
}

bool expectsClosing(const std::string& reason)
{
    return reason.find("; expected '}'") != std::string::npos || reason.find("; expected ']'") != std::string::npos;
}

// The parser met the start of a value where a comma or the closing bracket
// had to come.
bool missesComma(const std::string& reason)
{
    if (!expectsClosing(reason))
        return false;
    for (const char* met : {"unexpected string literal", "unexpected number literal", "unexpected true literal",
                            "unexpected false literal", "unexpected null literal", "unexpected '['", "unexpected '{'"})
        if (reason.find(met) != std::string::npos)
            return true;
    return false;
}

bool breaksLine(const std::string& reason)
{
    return reason.find("control character U+000A") != std::string::npos
           || reason.find("control character U+000D") != std::string::npos;
}

}  // namespace

namespace {

JsonMistake mistakeOf(std::size_t offset, JsonMistakePlace place, Message message)
{
    std::string problem = renderMessage(message, Language::English);
    return {true, offset, place, problem, std::move(message)};
}

}  // namespace

JsonMistake commonJsonMistake(std::string_view text, std::size_t errorOffset, const std::string& reason)
{
    if (errorOffset > text.size())
        errorOffset = text.size();
    bool inKey = reason.find("parsing object key") != std::string::npos;
    if (std::size_t curly = curlyQuoteNear(text, errorOffset); curly != std::string_view::npos)
        return mistakeOf(curly, inKey ? JsonMistakePlace::Container : JsonMistakePlace::ValueRead,
                         {MessageId::JsonCurlyQuotes, {}});
    if (breaksLine(reason))
        return mistakeOf(errorOffset, JsonMistakePlace::ValueRead, {MessageId::JsonLineBreak, {}});
    Token token = tokenAt(text, errorOffset);
    std::size_t before = lastByteBefore(text, token.start);
    if (before == std::string_view::npos)
        return {};
    if (token.start < text.size() && (text[token.start] == ']' || text[token.start] == '}') && text[before] == ',')
        return mistakeOf(before, JsonMistakePlace::Container,
                         {MessageId::JsonTrailingComma, {std::string(1, text[token.start])}});
    if (missesComma(reason))
        return mistakeOf(before, JsonMistakePlace::ValueBefore, {MessageId::JsonMissingComma, {}});
    return {};
}
