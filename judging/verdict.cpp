#include "judging/verdict.h"

#include <cstring>

namespace {

constexpr std::size_t bufferSize = verdictTextLimit + 1;

void copyLimited(char (&buffer)[bufferSize], const char* text)
{
    std::size_t length = text ? strnlen(text, verdictTextLimit) : 0;
    std::memcpy(buffer, text ? text : "", length);
    buffer[length] = '\0';
}

}  // namespace

void trimSpaces(char* text)
{
    std::size_t length = std::strlen(text);
    std::size_t start = 0;
    while (start < length && text[start] == ' ')
        ++start;
    while (length > start && text[length - 1] == ' ')
        --length;
    std::memmove(text, text + start, length - start);
    text[length - start] = '\0';
}

void foldCase(char* text)
{
    for (; *text; ++text) {
        unsigned char byte = static_cast<unsigned char>(*text);
        if (byte >= 'a' && byte <= 'z')
            *text = static_cast<char>(byte - 0x20);
    }
}

void sortBytes(char* text)
{
    // Counting sort on unsigned bytes: texts are short, the order only has
    // to be fixed, since sorted texts are only compared for equality.
    std::size_t counts[256] = {};
    std::size_t length = 0;
    for (; text[length]; ++length)
        ++counts[static_cast<unsigned char>(text[length])];
    std::size_t at = 0;
    for (int byte = 1; byte < 256; ++byte)
        for (std::size_t n = 0; n < counts[byte]; ++n)
            text[at++] = static_cast<char>(byte);
}

int editDistance(const char* x, const char* y)
{
    std::size_t xLength = strnlen(x, verdictTextLimit);
    std::size_t yLength = strnlen(y, verdictTextLimit);
    // Two rows of the distance matrix are all a row needs.
    int previous[bufferSize];
    int current[bufferSize];
    for (std::size_t col = 0; col <= yLength; ++col)
        previous[col] = static_cast<int>(col);
    for (std::size_t row = 1; row <= xLength; ++row) {
        current[0] = static_cast<int>(row);
        for (std::size_t col = 1; col <= yLength; ++col) {
            int substitution = previous[col - 1] + (x[row - 1] == y[col - 1] ? 0 : 1);
            int deletion = previous[col] + 1;
            int insertion = current[col - 1] + 1;
            int best = substitution < deletion ? substitution : deletion;
            current[col] = best < insertion ? best : insertion;
        }
        std::memcpy(previous, current, (yLength + 1) * sizeof(int));
    }
    return previous[yLength];
}

int containmentScan(const char* stored, const char* typed)
{
    std::size_t storedLength = strnlen(stored, verdictTextLimit);
    std::size_t typedLength = strnlen(typed, verdictTextLimit);
    bool typedIsNeedle = typedLength < storedLength;
    int sign = typedIsNeedle ? -1 : 1;
    const char* needle = typedIsNeedle ? typed : stored;
    const char* haystack = typedIsNeedle ? stored : typed;
    std::size_t p = typedIsNeedle ? typedLength : storedLength;
    std::size_t q = typedIsNeedle ? storedLength : typedLength;
    if (p == 0)
        return sign;

    std::size_t h = 0;
    for (;;) {
        while (h < q && haystack[h] != needle[0])
            ++h;
        if (h >= q)
            return 0;
        std::size_t matched = 0;
        while (matched < p && h < q && haystack[h] == needle[matched]) {
            ++matched;
            ++h;
        }
        if (matched == p)
            return 2 * sign;
        // Resume where the comparison stopped, never one past its start.
    }
}

const char* chooseVerdict(const char* stored, const char* typed)
{
    char t[bufferSize];
    char s[bufferSize];
    copyLimited(t, typed);
    copyLimited(s, stored);
    trimSpaces(t);
    foldCase(t);
    foldCase(s);
    int typedLength = static_cast<int>(std::strlen(t));
    int storedLength = static_cast<int>(std::strlen(s));

    if (typedLength == 0)
        return verdictEmpty;
    int distance = editDistance(s, t);
    if (distance == 0)
        return verdictRight;
    char sortedStored[bufferSize];
    char sortedTyped[bufferSize];
    std::memcpy(sortedStored, s, sizeof s);
    std::memcpy(sortedTyped, t, sizeof t);
    sortBytes(sortedStored);
    sortBytes(sortedTyped);
    if (std::strcmp(sortedStored, sortedTyped) == 0)
        return verdictAnagram;
    if (distance == 1)
        return verdictOneOff;
    if (distance == 2)
        return verdictTwoOff;

    int scan = containmentScan(s, t);
    if (scan == -2) {
        if (storedLength <= 9)
            return verdictWrong;
        if (10 * typedLength > 7 * storedLength)
            return verdictTooShort;
        if (2 * typedLength > storedLength)
            return verdictNotFar;
        return verdictWrong;
    }
    if (scan == 2)
        return verdictTooLong;
    int longer = storedLength > typedLength ? storedLength : typedLength;
    if (longer > 5 * distance)
        return verdictSimilar;
    return verdictWrong;
}
