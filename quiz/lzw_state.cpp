#include "quiz/lzw_state.h"

#include "quiz/lzw.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

LzwState* lzwState = nullptr;
LzwFigures lzwFigures = {};

namespace {

// Every added string is an earlier string plus one byte, and that earlier
// string has been written out (unpacking) or consumed from the input
// (packing), so the bytes added in one call stay below twice the largest
// output plus one longest string per dictionary generation.
constexpr uint32_t arenaBytes = 2 * lzwMaxUnpacked + 32 * (maxStringLength + 1);

}  // namespace

uint32_t arenaBytesFor(uint64_t produced, uint64_t codes)
{
    uint64_t generations = codes / (dictionarySize - firstFreeCode) + 1;
    uint64_t bytes = 2 * produced + generations * (maxStringLength + 1);
    return bytes < arenaBytes ? static_cast<uint32_t>(bytes) : arenaBytes;
}

int32_t lzwSetUp(LzwMode mode, uint32_t arenaSize)
{
    // One state serves every call in turn: the program packs and unpacks on
    // one thread, and a resident state costs no allocation, cannot fail and
    // keeps small calls cheap.
    static LzwState resident;
    if (lzwState)
        return lzwNoMemory;
    LzwState* state = &resident;
    std::memset(state, 0, offsetof(LzwState, searchLists));
    state->longestListed = 0;
    state->arena = static_cast<uint8_t*>(std::malloc(arenaSize));
    if (mode == LzwMode::Encoding)
        state->staging = static_cast<uint8_t*>(std::malloc(stagingSize));
    if (!state->arena || (mode == LzwMode::Encoding && !state->staging)) {
        std::free(state->arena);
        std::free(state->staging);
        return lzwNoMemory;
    }
    state->mode = mode;
    state->arenaSize = arenaSize;
    for (uint32_t code = 0; code < 256; ++code) {
        state->literals[code] = static_cast<uint8_t>(code);
        state->dictionary[code] = {&state->literals[code], 1};
    }
    state->nextFreeCode = firstFreeCode;
    state->width = startWidth;
    lzwState = state;
    return lzwOk;
}

void clearSearchIndex()
{
    for (uint32_t length = 0; length <= lzwState->longestListed; ++length) {
        std::free(lzwState->searchLists[length]);
        lzwState->searchLists[length] = nullptr;
        lzwState->searchCounts[length] = 0;
    }
    lzwState->longestListed = 0;
}

void lzwTearDown()
{
    if (!lzwState)
        return;
    clearSearchIndex();
    std::free(lzwState->arena);
    std::free(lzwState->staging);
    lzwState = nullptr;
}

int32_t addString(const uint8_t* prefix, uint16_t prefixLength, uint8_t last)
{
    LzwState& state = *lzwState;
    if (state.nextFreeCode >= dictionarySize)
        return lzwBadStream;
    uint32_t length = prefixLength + 1u;
    if (length > maxStringLength || state.arenaUsed + length > state.arenaSize)
        return lzwNoMemory;
    uint8_t* copy = state.arena + state.arenaUsed;
    copyBytes(copy, prefix, prefixLength);
    copy[prefixLength] = last;
    state.arenaUsed += length;
    uint16_t code = state.nextFreeCode;
    state.dictionary[code] = {copy, static_cast<uint16_t>(length)};

    if (state.mode == LzwMode::Encoding) {
        uint16_t*& list = state.searchLists[length];
        if (!list) {
            list = static_cast<uint16_t*>(std::malloc(dictionarySize * sizeof(uint16_t)));
            if (!list)
                return lzwNoMemory;
        }
        list[state.searchCounts[length]++] = code;
        if (length > state.longestListed)
            state.longestListed = length;
    }
    ++state.nextFreeCode;
    return lzwOk;
}

void lzwFreeBuffer(uint8_t* buffer)
{
    std::free(buffer);
}

int32_t lzwInputSize() { return lzwFigures.inputSize; }
int32_t lzwInputUsed() { return lzwFigures.inputUsed; }
int32_t lzwEncodeInputSize() { return lzwFigures.encodeInputSize; }
int32_t lzwEncodeOutputSize() { return lzwFigures.encodeOutputSize; }
