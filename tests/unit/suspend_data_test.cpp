#include "page/suspend_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// `count` answers of `length` letters, none alike: what a full class's
// board of long answers looks like to the codec.
std::vector<std::string> answers(int count, std::size_t length)
{
    std::vector<std::string> texts;
    uint32_t state = 12345;
    for (int n = 0; n < count; ++n) {
        std::string text;
        for (std::size_t at = 0; at < length; ++at) {
            state = state * 1103515245 + 12345;
            text += char('a' + (state >> 16) % 26);
        }
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> firstOf(const std::vector<std::string>& texts, int count)
{
    return {texts.begin(), texts.begin() + count};
}

TEST(SuspendData, KeepsTheFirstBoxesThatFitAndReadsThemBack)
{
    struct Row {
        const char* name;
        std::vector<std::string> boxes;
        bool whole;  // every box fits
    };
    const Row rows[] = {
        {"no boxes", {}, true},
        {"empty, Windows-1252 and spaced boxes", {"Paris", "", "Ath\xE8nes", " deux mots ", "*"}, true},
        {"90 x 2 boxes of 8 letters", answers(180, 8), true},
        {"90 x 2 boxes of 40 letters", answers(180, 40), false},
        {"90 x 2 boxes of 259 letters", answers(180, 259), false},
    };
    for (const Row& row : rows) {
        SuspendData data = suspendDataOf(row.boxes);
        EXPECT_LE(data.text.size(), SuspendDataLimit) << row.name;
        EXPECT_EQ(data.boxes == int(row.boxes.size()), row.whole) << row.name << ": " << data.boxes;
        if (!row.boxes.empty())
            EXPECT_GT(data.boxes, 0) << row.name;
        std::optional<std::vector<std::string>> read = boxTextsOfSuspendData(data.text);
        ASSERT_TRUE(read) << row.name;
        // A box holding "*" alone reads back empty, as in the answers file.
        std::vector<std::string> expected = firstOf(row.boxes, data.boxes);
        for (std::string& text : expected)
            if (text == "*")
                text.clear();
        EXPECT_EQ(*read, expected) << row.name;
    }
}

TEST(SuspendData, ThirtyBoxesOfFortyLettersFitWhole)
{
    SuspendData data = suspendDataOf(answers(30, 40));
    EXPECT_EQ(data.boxes, 30);
    EXPECT_LE(data.text.size(), SuspendDataLimit);
}

TEST(SuspendData, AnythingElseIsNotRead)
{
    std::string whole = suspendDataOf({"Paris", "Rome"}).text;
    const std::string rows[] = {
        "",
        "quizz1",
        "quizz2:" + whole.substr(7),
        "quizz1:AAA",            // not whole base64 groups
        "quizz1:!!!!",           // not base64
        "quizz1:AAAAAAAA",       // base64 of no packed stream
        whole.substr(0, whole.size() - 4),  // cut short
        "quizz1:" + std::string(SuspendDataLimit, 'A'),
    };
    for (const std::string& text : rows)
        EXPECT_FALSE(boxTextsOfSuspendData(text)) << text.substr(0, 40);
}

}  // namespace
