#include "quiz/lzw.h"
#include "quiz/lzw_state.h"
#include "quiz/notice.h"

#include <cstdlib>
#include <cstring>

namespace {

// Moves the staging buffer to the output; false when the output is full.
bool flushStaging()
{
    LzwState& state = *lzwState;
    if (state.outputCount + state.stagingCount > state.outputCapacity)
        return false;
    std::memcpy(state.output + state.outputCount, state.staging, state.stagingCount);
    state.outputCount += state.stagingCount;
    state.stagingCount = 0;
    return true;
}

bool storeByte(uint8_t byte)
{
    LzwState& state = *lzwState;
    if (state.stagingCount == stagingSize && !flushStaging())
        return false;
    state.staging[state.stagingCount++] = byte;
    return true;
}

}  // namespace

// Appends the low `count` bits of value, most significant first.
bool putBits(uint32_t value, uint32_t count)
{
    if (count > maxWidth)
        return false;
    LzwState& state = *lzwState;
    uint64_t bits = count == 32 ? value : value & ((uint64_t(1) << count) - 1);
    if (state.bitCount + count < 8) {
        state.bitAccumulator |= static_cast<uint8_t>(bits << (8 - state.bitCount - count));
        state.bitCount = static_cast<uint8_t>(state.bitCount + count);
        return true;
    }
    uint32_t left = count - (8 - state.bitCount);
    if (!storeByte(static_cast<uint8_t>(state.bitAccumulator | (bits >> left))))
        return false;
    while (left >= 8) {
        left -= 8;
        if (!storeByte(static_cast<uint8_t>(bits >> left)))
            return false;
    }
    state.bitAccumulator = left ? static_cast<uint8_t>(bits << (8 - left)) : 0;
    state.bitCount = static_cast<uint8_t>(left);
    return true;
}

namespace {

// A dictionary code is preceded by as many widenings as it needs to fit.
bool writeCode(uint32_t code)
{
    LzwState& state = *lzwState;
    if (code >= firstFreeCode) {
        while (code >= (uint64_t(1) << state.width)) {
            if (!putBits(codeWiden, state.width))
                return false;
            ++state.width;
        }
    }
    return putBits(code, state.width);
}

// The code of the dictionary string equal to `length` bytes of text, or -1.
// The search covers only strings of that length, in the order they were
// added; a string differs most often in its last byte, so that is tried first.
int32_t findString(const uint8_t* text, uint16_t length)
{
    LzwState& state = *lzwState;
    const uint16_t* list = state.searchLists[length];
    uint8_t last = text[length - 1];
    for (uint16_t at = 0; at < state.searchCounts[length]; ++at) {
        const uint8_t* candidate = state.dictionary[list[at]].bytes;
        if (candidate[length - 1] == last && std::memcmp(candidate, text, length - 1) == 0)
            return list[at];
    }
    return -1;
}

int32_t encodeInput(const uint8_t* input, uint32_t length)
{
    LzwState& state = *lzwState;
    // The pending string w is input[start, at); its code is kept as it is
    // found, so it need not be searched for again when written.
    uint32_t start = 0;
    uint32_t pendingCode = input[0];
    ++lzwFigures.inputUsed;

    for (uint32_t at = 1; at < length; ++at) {
        uint8_t byte = input[at];
        ++lzwFigures.inputUsed;
        uint32_t pendingLength = at - start;
        if (pendingLength >= maxStringLength)
            return lzwCannotWrite;
        if (int32_t code = findString(input + start, static_cast<uint16_t>(pendingLength + 1)); code >= 0) {
            pendingCode = static_cast<uint32_t>(code);
            continue;
        }
        if (addString(input + start, static_cast<uint16_t>(pendingLength), byte) != lzwOk)
            return lzwNoMemory;
        if (!writeCode(pendingCode))
            return lzwCannotWrite;
        if (state.nextFreeCode == dictionarySize) {
            if (!putBits(codeReset, state.width))
                return lzwCannotWrite;
            state.nextFreeCode = firstFreeCode;
            clearSearchIndex();
            if (addString(input + start, static_cast<uint16_t>(pendingLength), byte) != lzwOk)
                return lzwNoMemory;
            state.width = startWidth;
        }
        start = at;
        pendingCode = byte;
    }
    if (!writeCode(pendingCode) || !putBits(codeEnd, state.width))
        return lzwCannotWrite;
    if (state.bitCount && !storeByte(state.bitAccumulator))
        return lzwCannotWrite;
    return flushStaging() ? lzwOk : lzwCannotWrite;
}



// The most `length` input bytes can pack to: a code per byte at worst,
// plus the end, widening and reset codes of every dictionary generation,
// none wider than maxWidth bits. Real payloads reach the output limit.
int32_t packedBound(int32_t length)
{
    uint64_t bytes = length > 0 ? uint64_t(length) : 0;
    uint64_t codes = bytes + 2 + (bytes / (dictionarySize - firstFreeCode) + 1) * (maxWidth + 2);
    uint64_t bound = codes * maxWidth / 8 + 8;
    return bound < uint64_t(lzwMaxPacked) ? int32_t(bound) : lzwMaxPacked;
}

}  // namespace

int32_t lzwEncode(const uint8_t* input, int32_t length, uint8_t** packed, int32_t* reportedLength)
{
    *packed = nullptr;
    *reportedLength = 0;
    int32_t capacity = packedBound(length);
    uint8_t* output = static_cast<uint8_t*>(std::malloc(capacity));
    if (!output) {
        showNotice("Impossible d'allouer la memoire", "information");
        return lzwNoMemory;
    }
    uint64_t consumed = length > 0 && length <= lzwMaxInput ? uint64_t(length) : 0;
    if (lzwSetUp(LzwMode::Encoding, arenaBytesFor(consumed, consumed + 1)) != lzwOk) {
        std::free(output);
        return lzwNoMemory;
    }
    LzwState& state = *lzwState;
    state.output = output;
    state.outputCapacity = capacity;
    lzwFigures.inputSize = length;
    lzwFigures.encodeInputSize = length;
    lzwFigures.inputUsed = 0;

    int32_t status;
    if (!input || length <= 0)
        status = lzwNoInput;
    else if (length > lzwMaxInput)
        status = lzwBadStream;
    else
        status = encodeInput(input, static_cast<uint32_t>(length));

    *packed = state.output;
    *reportedLength = state.outputCount + 1;
    if (status == lzwOk)
        lzwFigures.encodeOutputSize = state.outputCount;
    lzwTearDown();
    return status;
}
