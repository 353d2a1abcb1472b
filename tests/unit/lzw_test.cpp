#include "quiz/lzw.h"
#include "tests/unit/bit_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Result {
    int32_t status;
    Bytes bytes;
    int32_t reported;
    bool handedOut;
};

Result decode(const Bytes& packed)
{
    uint8_t* out = nullptr;
    int32_t reported = -1;
    int32_t status = lzwDecode(packed.data(), static_cast<int32_t>(packed.size()), &out, &reported);
    Result result{status, {}, reported, out != nullptr};
    if (out && reported >= 2)
        result.bytes.assign(out, out + reported - 2);
    lzwFreeBuffer(out);
    return result;
}

Result encode(const Bytes& input)
{
    uint8_t* out = nullptr;
    int32_t reported = -1;
    int32_t status = lzwEncode(input.data(), static_cast<int32_t>(input.size()), &out, &reported);
    Result result{status, {}, reported, out != nullptr};
    if (out && reported >= 1)
        result.bytes.assign(out, out + reported - 1);
    lzwFreeBuffer(out);
    return result;
}

Bytes textBytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

// French quiz-like text: words from a small vocabulary, so the dictionary
// fills with longer and longer strings and goes through several resets.
Bytes quizLikeText(std::size_t size, unsigned seed)
{
    static const char* words[] = {"Paris", "capitale", "de la", "France", "|", "Quelle", "est", "la",
                                  "ville", "r\xE9ponse", "Rome", "Italie", "Berlin", "quizz", "\r\n",
                                  "Madrid", "Espagne", "Lisbonne", "Portugal", "Vienne", "Autriche"};
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        std::string word = words[random() % std::size(words)];
        bytes.insert(bytes.end(), word.begin(), word.end());
        bytes.push_back(' ');
    }
    bytes.resize(size);
    return bytes;
}

Bytes randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<uint8_t>(random());
    return bytes;
}

TEST(LzwVectors, KnownStreamsBothWays)
{
    struct Row { std::string text; Bytes packed; };
    const Row rows[] = {
        {"A", {0x20, 0xC0, 0x00}},
        {"abc", {0x30, 0x98, 0x8C, 0x70, 0x00}},
        {"aaaa", {0x30, 0xC0, 0xCC, 0x30, 0x00}},
    };
    for (const Row& row : rows) {
        Result packed = encode(textBytes(row.text));
        EXPECT_EQ(packed.status, lzwOk) << row.text;
        EXPECT_EQ(packed.bytes, row.packed) << row.text;
        EXPECT_EQ(packed.reported, static_cast<int32_t>(row.packed.size()) + 1) << row.text;
        EXPECT_EQ(lzwEncodeOutputSize(), static_cast<int32_t>(row.packed.size()));
        EXPECT_EQ(lzwEncodeInputSize(), static_cast<int32_t>(row.text.size()));

        Result unpacked = decode(row.packed);
        EXPECT_EQ(unpacked.status, lzwOk) << row.text;
        EXPECT_EQ(unpacked.bytes, textBytes(row.text)) << row.text;
        EXPECT_EQ(unpacked.reported, static_cast<int32_t>(row.text.size()) + 2) << row.text;
        EXPECT_EQ(lzwInputSize(), static_cast<int32_t>(row.packed.size()));
        EXPECT_EQ(lzwInputUsed(), static_cast<int32_t>(row.packed.size()));
    }
}

TEST(LzwDecode, ShortAndBrokenStreams)
{
    TestBitWriter noEnd;  // literal a, then literal b, then nothing
    noEnd.put('a', 9);
    noEnd.put('b', 9);
    TestBitWriter tooHigh;  // literal a, then 260 while 259 is the next free code
    tooHigh.put('a', 9);
    tooHigh.put(260, 9);
    tooHigh.put(256, 9);
    TestBitWriter nextFree;  // 259 while it is being defined: "aa"
    nextFree.put('a', 9);
    nextFree.put(259, 9);
    nextFree.put(256, 9);

    struct Row { const char* what; Bytes packed; int32_t status; std::string output; };
    const Row rows[] = {
        {"empty", {}, lzwNoInput, ""},
        {"one byte", {0x20}, lzwNoInput, ""},
        {"no end code", noEnd.bytes, lzwBadStream, "a"},
        {"code above the next free", tooHigh.bytes, lzwBadStream, ""},
        {"code equal to the next free", nextFree.bytes, lzwOk, "aaa"},
    };
    for (const Row& row : rows) {
        Result result = decode(row.packed);
        EXPECT_EQ(result.status, row.status) << row.what;
        EXPECT_TRUE(result.handedOut) << row.what;
        EXPECT_EQ(std::string(result.bytes.begin(), result.bytes.end()), row.output) << row.what;
        EXPECT_EQ(result.reported, static_cast<int32_t>(row.output.size()) + 2) << row.what;
    }
}

TEST(LzwDecode, ResetKeepsThePreviousString)
{
    // a, b (adds "ab" = 259), reset, a (adds "ba" = 259 again), 259 = "ba", end.
    TestBitWriter stream;
    for (uint32_t code : {uint32_t('a'), uint32_t('b'), 258u, uint32_t('a'), 259u, 256u})
        stream.put(code, 9);
    Result result = decode(stream.bytes);
    EXPECT_EQ(result.status, lzwOk);
    EXPECT_EQ(std::string(result.bytes.begin(), result.bytes.end()), "ababa");
}

TEST(LzwDecode, WidthsGrowOnlyThroughWidenCodes)
{
    TestBitWriter stream;
    stream.put('x', 9);
    stream.put(257, 9);
    stream.put(257, 10);
    stream.put('y', 11);
    stream.put(258, 11);
    stream.put('z', 9);
    stream.put(256, 9);
    Result result = decode(stream.bytes);
    EXPECT_EQ(result.status, lzwOk);
    EXPECT_EQ(std::string(result.bytes.begin(), result.bytes.end()), "xyz");

    TestBitWriter widest;
    widest.put('x', 9);
    for (unsigned width = 9; width <= 32; ++width)
        widest.put(257, width);
    widest.put(256, 32);
    Result tooWide = decode(widest.bytes);
    EXPECT_EQ(tooWide.status, lzwBadStream);
}

TEST(LzwDecode, LimitsEndInBadStreamInsideTheBuffers)
{
    // Dictionary full without a reset: 3838 more literals after the first.
    TestBitWriter full;
    full.put('a', 9);
    full.put(257, 9);
    full.put(257, 10);
    full.put(257, 11);
    for (int n = 0; n < 3838; ++n)
        full.put('a', 12);
    full.put(256, 12);
    Result dictionaryFull = decode(full.bytes);
    EXPECT_EQ(dictionaryFull.status, lzwBadStream);
    EXPECT_EQ(dictionaryFull.bytes.size(), 3837u);

    // Every code the one being defined: strings grow by one byte each, so the
    // output passes its room long before the dictionary is full.
    TestBitWriter growing;
    growing.put('a', 9);
    unsigned width = 9;
    for (uint32_t code = 259; code < 4096; ++code) {
        if (code >= (1u << width))
            growing.put(257, width++);
        growing.put(code, width);
    }
    growing.put(256, width);
    Result overflow = decode(growing.bytes);
    EXPECT_EQ(overflow.status, lzwBadStream);
    EXPECT_LE(overflow.bytes.size(), static_cast<std::size_t>(lzwMaxUnpacked));
    EXPECT_GT(overflow.bytes.size(), 100000u);

    // Input past 65536 bytes: literals with resets, the end code beyond it.
    TestBitWriter longInput;
    longInput.put('a', 9);
    for (int n = 0; longInput.bytes.size() < 70000; ++n)
        longInput.put(n % 3000 == 2999 ? 258 : 'a', 9);
    longInput.put(256, 9);
    Result tooLong = decode(longInput.bytes);
    EXPECT_EQ(tooLong.status, lzwBadStream);
    EXPECT_LE(lzwInputUsed(), lzwMaxInput);
    EXPECT_EQ(lzwInputSize(), static_cast<int32_t>(longInput.bytes.size()));
}

TEST(LzwEncode, EmptyAndOversizedInput)
{
    Result empty = encode({});
    EXPECT_EQ(empty.status, lzwNoInput);
    EXPECT_TRUE(empty.handedOut);
    EXPECT_EQ(empty.reported, 1);

    Result tooLong = encode(Bytes(lzwMaxInput + 1, 'a'));
    EXPECT_NE(tooLong.status, lzwOk);
    EXPECT_TRUE(tooLong.bytes.empty());

    // Incompressible input costs more than 9 bits a byte: 65536 random bytes
    // do not fit in 80000 packed bytes.
    Result noRoom = encode(randomBytes(lzwMaxInput, 7));
    EXPECT_EQ(noRoom.status, lzwCannotWrite);
    EXPECT_LE(noRoom.bytes.size(), static_cast<std::size_t>(lzwMaxPacked));
}

TEST(LzwEncode, WidenBeforeTheFirstCodeThatNeedsIt)
{
    Result packed = encode(quizLikeText(4000, 1));
    ASSERT_EQ(packed.status, lzwOk);
    std::vector<uint32_t> codes = readCodes(packed.bytes);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), 256u);
    unsigned width = 9;
    int widenings = 0;
    bool widened = false;
    for (std::size_t at = 0; at < codes.size(); ++at) {
        if (codes[at] == 257) {
            ++width;
            ++widenings;
            widened = true;
            continue;
        }
        if (codes[at] != 256) {
            EXPECT_LT(codes[at], 1u << width) << "at " << at;
            if (widened)
                EXPECT_GE(codes[at], 1u << (width - 1)) << "widened without need at " << at;
        }
        widened = false;
    }
    EXPECT_EQ(widenings, 2);  // 4000 bytes assign codes past 512 and 1024, not 2048
}

TEST(LzwEncode, ResetAfterCode4095)
{
    Bytes input = quizLikeText(40000, 2);
    Result packed = encode(input);
    ASSERT_EQ(packed.status, lzwOk);
    std::vector<uint32_t> codes = readCodes(packed.bytes);
    // Replay the dictionary size: the packer adds one string before each
    // code it writes, and after a reset re-adds the last one as 259.
    uint32_t nextFree = 259;
    int resets = 0;
    for (std::size_t at = 0; at < codes.size(); ++at) {
        if (codes[at] == 258) {
            EXPECT_EQ(nextFree, 4096u) << "reset at " << at;
            nextFree = 260;
            ++resets;
        } else if (codes[at] != 257 && codes[at] != 256) {
            ++nextFree;
        }
    }
    EXPECT_GE(resets, 1);
    Result unpacked = decode(packed.bytes);
    EXPECT_EQ(unpacked.status, lzwOk);
    EXPECT_EQ(unpacked.bytes, input);
}

TEST(LzwRoundTrip, AnyInputUpToTheLimit)
{
    struct Row { const char* what; Bytes input; };
    std::vector<Row> rows = {
        {"one byte", {0x00}},
        {"all byte values", {}},
        {"one repeated byte, 65536", Bytes(lzwMaxInput, 0xE9)},
        {"quiz text, 60000", quizLikeText(60000, 3)},
        {"quiz text, 65536", quizLikeText(lzwMaxInput, 4)},
        {"random, 20000", randomBytes(20000, 5)},
        {"two bytes alternating", {}},
    };
    for (int byte = 0; byte < 256; ++byte)
        rows[1].input.push_back(static_cast<uint8_t>(byte));
    for (int n = 0; n < 30000; ++n)
        rows[6].input.push_back(n % 2 ? 'a' : 'b');
    for (const Row& row : rows) {
        Result packed = encode(row.input);
        ASSERT_EQ(packed.status, lzwOk) << row.what;
        Result unpacked = decode(packed.bytes);
        EXPECT_EQ(unpacked.status, lzwOk) << row.what;
        EXPECT_TRUE(unpacked.bytes == row.input) << row.what;
        EXPECT_EQ(lzwInputUsed(), static_cast<int32_t>(packed.bytes.size())) << row.what;
    }
}

}  // namespace
