#include "tools/builder/input/json_text.h"

#include "tools/builder/input/json_mistakes.h"

#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

using Json = nlohmann::json;

namespace {

// A number is echoed in a message up to this many bytes, then cut with "...".
constexpr std::size_t shownNumberBytes = 32;

// A UTF-8 byte order mark, as Windows editors write it: no character of the text.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The offset just past the string whose opening quote is at `at`; the
// text's end when the string is not closed.
std::size_t endOfString(std::string_view text, std::size_t at)
{
    // Bounded by the text's length: every step moves on by at least one byte.
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;  // the escaped byte is no quote
        else if (text[at] == '"')
            return at + 1;
    }
    return text.size();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNumberByte(char c)
{
    return isDigit(c) || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

bool isBlank(std::string_view text)
{
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark)
        text.remove_prefix(byteOrderMark.size());
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

bool isPrintableAscii(const std::string& text)
{
    for (char c : text)  // bounded by the text's length
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

// nlohmann's text after its own position, without the echo of the bytes it
// read (which may hold anything, broken UTF-8 and control characters too).
// What it expected comes last, after the echo, and is plain ASCII; the echo
// itself may hold "; expected", so the last one is taken.
std::string parseErrorReason(const std::string& what)
{
    std::size_t start = what.find(": ", what.find("column"));
    std::string reason = start == std::string::npos ? what : what.substr(start + 2);
    std::size_t echo = reason.find("; last read: ");
    if (echo == std::string::npos)
        return isPrintableAscii(reason) ? reason : renderMessage({MessageId::JsonUnreadable, {}}, Language::English);
    std::size_t expected = reason.rfind("; expected ");
    std::string tail = expected != std::string::npos && expected > echo ? reason.substr(expected) : "";
    return reason.substr(0, echo) + (isPrintableAscii(tail) ? tail : "");
}

// The line and column of the byte at `offset`.
Place textPlace(std::string_view text, std::size_t offset)
{
    Place place;
    if (offset == std::string_view::npos)
        return place;
    std::string shown = placeOf(text, offset);  // "line 3, column 12"
    place.line = std::strtoul(shown.c_str() + 5, nullptr, 10);
    place.column = shown.substr(shown.rfind(' ') + 1);
    return place;
}

void reportAt(Diagnostics& diagnostics, std::string_view text, std::size_t offset, Message problem)
{
    reportError(diagnostics, textPlace(text, offset), std::move(problem));
}

Message hugeNumberProblem(std::string_view text, std::size_t at)
{
    if (at == std::string_view::npos)
        return {MessageId::JsonNumberTooLarge, {}};
    std::size_t end = at;
    while (end < text.size() && isNumberByte(text[end]))  // bounded by the text's length
        ++end;
    std::string number(text.substr(at, end - at));
    if (number.size() > shownNumberBytes)
        number = number.substr(0, shownNumberBytes) + "... (" + std::to_string(number.size()) + " characters)";
    return {MessageId::JsonNumberTooLargeShown, {number}};
}

// Thrown by the parser's callback to stop at the first container that
// nests too deep, before nlohmann or the key scopes below grow any further.
struct NestedTooDeep {};

// JSON lets an object repeat a key and nlohmann keeps the last value, which
// would silently drop what the author wrote first; the parser's callback
// sees every key, so repeats are caught per object.
struct KeyScope {
    bool object;
    Place where;
    std::set<std::string> keys;
    std::string pendingKey;
    std::size_t nextIndex = 0;
};

Place innerWhere(const KeyScope& parent)
{
    Place place = parent.where;
    if (parent.object)
        place.field = place.field.empty() ? escaped(parent.pendingKey) : place.field + ", " + escaped(parent.pendingKey);
    else if (!place.entry && place.field == "entries")
        return entryField(parent.nextIndex, "");
    else
        place.field += "[" + std::to_string(parent.nextIndex) + "]";
    return place;
}

// The value a mistake belongs to, from the scopes open when the parser
// stopped: "entry 2, clue", "entry 3, answers", "title"; empty for the
// quiz itself.
Place mistakePlace(const std::vector<KeyScope>& scopes, JsonMistakePlace place)
{
    if (scopes.empty())
        return {};
    const KeyScope& scope = scopes.back();
    if (place == JsonMistakePlace::Container || (scope.object && scope.pendingKey.empty()))
        return scope.where;
    if (place == JsonMistakePlace::ValueBefore && !scope.object) {
        if (scope.nextIndex == 0)
            return scope.where;
        KeyScope finished = scope;
        --finished.nextIndex;
        return innerWhere(finished);
    }
    return innerWhere(scope);
}

// The parser's refusal, in the words of the mend where it is a usual slip.
void reportParseError(Diagnostics& diagnostics, std::string_view text, const std::vector<KeyScope>& scopes,
                      std::size_t offset, const std::string& reason)
{
    JsonMistake mistake = commonJsonMistake(text, offset, reason);
    if (!mistake.found) {
        reportAt(diagnostics, text, offset, {MessageId::JsonMalformed, {reason}});
        return;
    }
    Place where = mistakePlace(scopes, mistake.place);
    where.line = textPlace(text, mistake.offset).line;
    reportError(diagnostics, where, mistake.message);
}

}  // namespace

std::string placeOf(std::string_view text, std::size_t offset)
{
    if (offset > text.size())
        offset = text.size();
    std::size_t start = text.substr(0, byteOrderMark.size()) == byteOrderMark ? byteOrderMark.size() : 0;
    std::size_t line = 1, column = 1;
    // Bounded by `offset`, at most the text's length.
    for (std::size_t at = start; at < offset; ++at) {
        if (text[at] == '\n')
            line++, column = 1;
        else if ((static_cast<uint8_t>(text[at]) & 0xC0) != 0x80)
            ++column;
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::size_t firstTooDeep(std::string_view text, std::size_t maxDepth)
{
    std::size_t depth = 0;
    // Bounded by the text's length: every step moves on by at least one byte.
    for (std::size_t at = 0; at < text.size();) {
        char c = text[at];
        if (c == '"') {
            at = endOfString(text, at);
            continue;
        }
        if (c == '[' || c == '{') {
            if (++depth > maxDepth)
                return at;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
        ++at;
    }
    return std::string_view::npos;
}

std::size_t firstHugeNumber(std::string_view text)
{
    // Bounded by the text's length: every step moves on by at least one byte.
    for (std::size_t at = 0; at < text.size();) {
        char c = text[at];
        if (c == '"') {
            at = endOfString(text, at);
            continue;
        }
        if (c != '-' && !isDigit(c)) {
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < text.size() && isNumberByte(text[end]))  // bounded by the text's length
            ++end;
        // nlohmann reads numbers with strtod too, and refuses what it makes infinite.
        std::string number(text.substr(at, end - at));
        if (!std::isfinite(std::strtod(number.c_str(), nullptr)))
            return at;
        at = end;
    }
    return std::string_view::npos;
}

bool parseJson(std::string_view text, Json& root, Diagnostics& diagnostics)
{
    if (isBlank(text)) {
        reportError(diagnostics, "", MessageId::JsonNoText);
        return false;
    }
    // At most MaxJsonDepth scopes: the callback stops the parse before a deeper one.
    std::vector<KeyScope> scopes;
    auto watchKeys = [&](int depth, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            if (static_cast<std::size_t>(depth) >= MaxJsonDepth)
                throw NestedTooDeep{};
            scopes.push_back({event == Json::parse_event_t::object_start,
                              scopes.empty() ? Place() : innerWhere(scopes.back()), {}, {}, 0});
            break;
        case Json::parse_event_t::key:
            scopes.back().pendingKey = parsed.get<std::string>();
            if (!scopes.back().keys.insert(scopes.back().pendingKey).second)
                reportError(diagnostics, scopes.back().where, MessageId::JsonKeyTwice, {scopes.back().pendingKey});
            break;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end:
            scopes.pop_back();
            [[fallthrough]];
        case Json::parse_event_t::value:
            if (!scopes.empty() && !scopes.back().object)
                ++scopes.back().nextIndex;
            break;
        }
        return true;
    };
    try {
        root = Json::parse(text.begin(), text.end(), watchKeys);
        return true;
    } catch (const NestedTooDeep&) {
        reportAt(diagnostics, text, firstTooDeep(text, MaxJsonDepth),
                 {MessageId::JsonTooDeep, {std::to_string(MaxJsonDepth), "4"}});
    } catch (const Json::parse_error& error) {
        reportParseError(diagnostics, text, scopes, error.byte ? error.byte - 1 : 0, parseErrorReason(error.what()));
    } catch (const Json::out_of_range&) {
        std::size_t at = firstHugeNumber(text);
        reportAt(diagnostics, text, at, hugeNumberProblem(text, at));
    }
    return false;
}
