#include "quiz/windows_1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    const char* utf8;
    unsigned byte;  // 0 for the bytes Windows-1252 leaves unassigned
};

// The block where Windows-1252 departs from Latin-1, one row per byte, and
// samples of the rest.
const Row tableRows[] = {
    {"€", 0x80}, {nullptr, 0x81}, {"‚", 0x82}, {"ƒ", 0x83}, {"„", 0x84}, {"…", 0x85}, {"†", 0x86}, {"‡", 0x87},
    {"ˆ", 0x88}, {"‰", 0x89},     {"Š", 0x8A}, {"‹", 0x8B}, {"Œ", 0x8C}, {nullptr, 0x8D}, {"Ž", 0x8E},
    {nullptr, 0x8F}, {nullptr, 0x90}, {"‘", 0x91}, {"’", 0x92}, {"“", 0x93}, {"”", 0x94}, {"•", 0x95},
    {"–", 0x96}, {"—", 0x97}, {"˜", 0x98}, {"™", 0x99}, {"š", 0x9A}, {"›", 0x9B}, {"œ", 0x9C},
    {nullptr, 0x9D}, {"ž", 0x9E}, {"Ÿ", 0x9F},
    {"A", 0x41}, {"|", 0x7C}, {"\x7F", 0x7F}, {"\xC2\xA0", 0xA0}, {"¤", 0xA4}, {"É", 0xC9}, {"×", 0xD7},
    {"ß", 0xDF}, {"é", 0xE9}, {"ÿ", 0xFF},
};

TEST(Windows1252, TableRowsBothWays)
{
    for (const Row& row : tableRows) {
        std::string byte(1, static_cast<char>(row.byte));
        TextConversion back = windows1252ToUtf8(byte);
        if (!row.utf8) {
            EXPECT_FALSE(back.converted) << std::hex << row.byte;
            char expected[64];
            std::snprintf(expected, sizeof expected, "byte 0x%02X (byte 1) is unassigned in Windows-1252", row.byte);
            EXPECT_EQ(back.problem, expected);
            continue;
        }
        TextConversion forth = utf8ToWindows1252(row.utf8);
        ASSERT_TRUE(forth.converted) << row.utf8 << ": " << forth.problem;
        EXPECT_EQ(forth.text, byte) << row.utf8;
        ASSERT_TRUE(back.converted) << std::hex << row.byte;
        EXPECT_EQ(back.text, row.utf8) << std::hex << row.byte;
    }
}

TEST(Windows1252, EveryAssignedByteComesBackUnchanged)
{
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        if (byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D)
            all += static_cast<char>(byte);
    TextConversion utf8 = windows1252ToUtf8(all);
    ASSERT_TRUE(utf8.converted);
    TextConversion again = utf8ToWindows1252(utf8.text);
    ASSERT_TRUE(again.converted) << again.problem;
    EXPECT_EQ(again.text, all);
}

TEST(Windows1252, MixedTextKeepsItsOrder)
{
    TextConversion forth = utf8ToWindows1252("Été à 5 €, “oui”");
    ASSERT_TRUE(forth.converted);
    EXPECT_EQ(forth.text, "\xC9t\xE9 \xE0 5 \x80, \x93oui\x94");
}

TEST(Windows1252, RefusedInput)
{
    struct Refusal {
        const char* utf8;
        const char* problem;
    };
    const Refusal rows[] = {
        {"ab\xC3", "invalid UTF-8: byte 0xC3 at byte 3"},                    // cut after its lead byte
        {"\xE2\x82", "invalid UTF-8: byte 0xE2 at byte 1"},                  // three-byte form cut short
        {"a\x80", "invalid UTF-8: byte 0x80 at byte 2"},                     // continuation byte alone
        {"\xC0\xA9", "invalid UTF-8: byte 0xC0 at byte 1"},                  // overlong copyright sign
        {"\xE0\x80\xAF", "invalid UTF-8: byte 0xE0 at byte 1"},              // overlong slash
        {"\xED\xA0\x80", "invalid UTF-8: byte 0xED at byte 1"},              // surrogate half
        {"\xF4\x90\x80\x80", "invalid UTF-8: byte 0xF4 at byte 1"},          // past U+10FFFF
        {"\xFF", "invalid UTF-8: byte 0xFF at byte 1"},
        {"e\xC3\xA9\xC3x", "invalid UTF-8: byte 0xC3 at byte 4"},            // lead byte then ASCII
        {"ab中", "character U+4E2D (character 3) has no Windows-1252 form"},
        {"\xC2\x81", "character U+0081 (character 1) has no Windows-1252 form"},  // Latin-1's control, unassigned here
        {"éĀ", "character U+0100 (character 2) has no Windows-1252 form"},
        {"😀", "character U+1F600 (character 1) has no Windows-1252 form"},
    };
    for (const Refusal& row : rows) {
        TextConversion conversion = utf8ToWindows1252(row.utf8);
        EXPECT_FALSE(conversion.converted) << row.problem;
        EXPECT_EQ(conversion.problem, row.problem);
    }
}

}  // namespace
