#include "judging/verdict.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct VerdictRow {
    const char* stored;
    const char* typed;
    const char* verdict;
};

TEST(ChooseVerdict, EveryRowAndThreshold)
{
    const VerdictRow rows[] = {
        // "?": nothing typed
        {"alex", "", "?"},
        {"alex", "    ", "?"},
        // "BRAVO": spaces of the typed text trimmed, a-z folded
        {"alex", "  Alex ", "BRAVO"},
        {"ALEX", "alex", "BRAVO"},
        {"", "", "?"},
        // "Anagramme" comes before the distance tests
        {"alex", "xela", "Anagramme"},
        {"alex", "alxe", "Anagramme"},
        // one and two edits
        {"alex", "ale", "Quasiment"},
        {"ALEX", "ALEXA", "Quasiment"},
        {"alex", "al", "Presque"},
        {"\xE9t\xE9", "\xC9T\xC9", "Presque"},  // accented letters are not folded
        {"alex ", "alex", "Quasiment"},        // the stored answer is not trimmed
        {"", "X", "Quasiment"},
        {"", "XYZ", "FAUX"},
        // typed text found in a stored answer of 9 characters or fewer
        {"alex", "a", "FAUX"},
        {"ABCDEFGHI", "ABCDEF", "FAUX"},
        // ... of 10 or more: the share of the stored length decides
        {"ABCDEFGHIJK", "ABCDEFGH", "Trop court"},  // 72.7 %
        {"ABCDEFGHIJ", "ABCDEFG", "pas loin"},      // exactly 70 %
        {"ABCDEFGHIJ", "ABCDEF", "pas loin"},       // 60 %
        {"ABCDEFGHIJ", "ABCDE", "FAUX"},            // exactly 50 %
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNO", "Trop court"},  // 75 %
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJK", "pas loin"},        // 55 %
        // stored answer found in a longer typed text
        {"ALEX", "ALEXANDRE", "Trop long"},
        {"alex", "alex the great", "Trop long"},
        // broadly similar: L > 5 d
        {"ABCDEFGHIJKLMNOP", "ABCXEFGXIJKXMNOP", "yade lid\xE9" "e"},  // 81.25 %
        {"ABCDEFGHIJKLMNOP", "XBCXEFGXIJKXMNOP", "FAUX"},              // 75 %
        {"ABCDEFGHIJKLMNO", "ABXDEFXHIJXLMNO", "FAUX"},                // exactly 80 %
        // the scan does not step back: AABCDEFG is missed in AAABCDEFGHIJ
        {"AAABCDEFGHIJ", "AABCDEFG", "FAUX"},
        {"AAABCDEFGHIJ", "ABCDEFGH", "pas loin"},  // found: no partial match overlaps it
        {"quelque chose", "rien du tout", "FAUX"},
    };
    for (const VerdictRow& row : rows)
        EXPECT_STREQ(chooseVerdict(row.stored, row.typed), row.verdict)
            << "stored '" << row.stored << "', typed '" << row.typed << "'";
}

TEST(ChooseVerdict, OnlyTheFirst259BytesAreJudged)
{
    std::string stored(259, 'q');
    std::string typed = stored + "extra";
    EXPECT_STREQ(chooseVerdict(stored.c_str(), typed.c_str()), "BRAVO");
}

TEST(ChooseVerdict, WorstCaseLengthsStayDefined)
{
    std::string stored(259, 'a');
    std::string typed(259, 'b');
    EXPECT_STREQ(chooseVerdict(stored.c_str(), typed.c_str()), "FAUX");
    EXPECT_EQ(editDistance(stored.c_str(), typed.c_str()), 259);
}

TEST(ContainmentScan, SignsAndTheNonBacktrackingQuirk)
{
    struct Row { const char* stored; const char* typed; int result; };
    const Row rows[] = {
        {"AAAB", "AAB", 0},    // missed: overlaps the failed partial match
        {"XAAB", "AAB", -2},
        {"ALEX", "LE", -2},
        {"ALEX", "ALEXANDRE", 2},
        {"ALEX", "ALEX", 2},   // equal lengths: stored is the needle
        {"ALEX", "BOB", 0},
        {"ALEX", "", -1},
        {"", "ALEX", 1},
        {"", "", 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(containmentScan(row.stored, row.typed), row.result) << row.stored << " / " << row.typed;
}

TEST(TextPrimitives, TrimFoldSortDistance)
{
    struct TrimRow { const char* in; const char* out; };
    for (TrimRow row : {TrimRow{"  a b  ", "a b"}, TrimRow{"\ta ", "\ta"}, TrimRow{"   ", ""}, TrimRow{"", ""}}) {
        char buffer[260];
        std::strcpy(buffer, row.in);
        trimSpaces(buffer);
        EXPECT_STREQ(buffer, row.out) << "'" << row.in << "'";
    }
    char folded[] = "az AZ \xE9\xC9 {`";
    foldCase(folded);
    EXPECT_STREQ(folded, "AZ AZ \xE9\xC9 {`");

    char left[] = "xela\xE9";
    char right[] = "\xE9" "alex";
    sortBytes(left);
    sortBytes(right);
    EXPECT_STREQ(left, right);

    struct DistanceRow { const char* x; const char* y; int distance; };
    const DistanceRow distances[] = {
        {"", "", 0}, {"", "abc", 3}, {"abc", "", 3}, {"kitten", "sitting", 3}, {"ALEX", "ALXE", 2}, {"a", "b", 1},
    };
    for (const DistanceRow& row : distances)
        EXPECT_EQ(editDistance(row.x, row.y), row.distance) << row.x << " / " << row.y;
}

}  // namespace
