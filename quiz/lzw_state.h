// Working state shared by the two halves of the codec; one module-wide
// instance exists during one lzwDecode or lzwEncode call.
#pragma once

#include <cstdint>
#include <cstring>

constexpr uint32_t codeEnd = 256;        // end of the stream
constexpr uint32_t codeWiden = 257;      // every following code is one bit wider
constexpr uint32_t codeReset = 258;      // dictionary starts again, width back to 9
constexpr uint32_t firstFreeCode = 259;  // first code a string is added under
constexpr uint32_t dictionarySize = 4096;
constexpr uint32_t startWidth = 9;
constexpr uint32_t maxWidth = 32;
constexpr uint32_t maxStringLength = 4096;
constexpr uint32_t stagingSize = 32768;

enum class LzwMode { Decoding, Encoding };

struct LzwString {
    const uint8_t* bytes;
    uint16_t length;
};

struct LzwState {
    LzwMode mode;
    LzwString dictionary[dictionarySize];
    uint16_t nextFreeCode;
    uint8_t literals[256];

    // Dictionary strings are stored whole, one after another; the arena is
    // sized at set-up for the most the call can add, so nothing grows later.
    uint8_t* arena;
    uint32_t arenaSize;
    uint32_t arenaUsed;

    const uint8_t* input;
    uint32_t inputLength;
    uint32_t inputPosition;
    uint8_t bitAccumulator;  // held bits sit at the top of the byte
    uint8_t bitCount;        // 0 to 7

    uint8_t* output;
    int32_t outputCount;
    int32_t outputCapacity;

    // Encoding only.
    uint8_t* staging;
    uint16_t stagingCount;
    uint16_t* searchLists[maxStringLength + 1];  // codes by string length, in the order added
    uint16_t searchCounts[maxStringLength + 1];
    uint32_t longestListed;                      // no list is kept for longer strings
    uint8_t width;
};

extern LzwState* lzwState;

struct LzwFigures {
    int32_t inputSize;
    int32_t inputUsed;
    int32_t encodeInputSize;
    int32_t encodeOutputSize;
};
extern LzwFigures lzwFigures;

// Room for the strings a call adds when it produces at most `produced` bytes
// from at most `codes` codes: strings grow by one byte a code from what was
// already produced, plus one longest string per dictionary generation.
uint32_t arenaBytesFor(uint64_t produced, uint64_t codes);
// The working state with an arena of `arenaSize` bytes (see arenaBytesFor).
int32_t lzwSetUp(LzwMode mode, uint32_t arenaSize);
void lzwTearDown();
// Adds the string prefix + last at the next free code: lzwOk, lzwBadStream
// when every code is taken, lzwNoMemory when no room is left for it.
int32_t addString(const uint8_t* prefix, uint16_t prefixLength, uint8_t last);

// Dictionary strings are short; a plain word-wise copy beats the start-up
// cost of a block move for them.
inline void copyBytes(uint8_t* target, const uint8_t* source, uint32_t count)
{
    for (; count >= 8; count -= 8, target += 8, source += 8)
        __builtin_memcpy(target, source, 8);
    while (count--)
        *target++ = *source++;
}
void clearSearchIndex();
// Packing: appends the low `count` bits of value to the stream, most
// significant first; fails when count is over 32 or the output is full.
bool putBits(uint32_t value, uint32_t count);
