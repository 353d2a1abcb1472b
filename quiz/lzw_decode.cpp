#include "quiz/lzw.h"
#include "quiz/lzw_state.h"
#include "quiz/notice.h"

#include <cstdlib>
#include <cstring>

namespace {

// Reads the next code of `width` bits, most significant bit first. The
// input is never read past its length nor past the 16-bit position limit.
bool readCode(uint32_t width, uint32_t& code)
{
    LzwState& state = *lzwState;
    uint32_t end = state.inputLength < uint32_t(lzwMaxInput) ? state.inputLength : uint32_t(lzwMaxInput);
    uint64_t value = state.bitAccumulator >> (8 - state.bitCount);
    uint32_t needed = width - state.bitCount;
    state.bitAccumulator = 0;
    state.bitCount = 0;
    while (needed > 7) {
        if (state.inputPosition >= end)
            return false;
        value = (value << 8) | state.input[state.inputPosition++];
        ++lzwFigures.inputUsed;
        needed -= 8;
    }
    if (needed > 0) {
        if (state.inputPosition >= end)
            return false;
        uint8_t byte = state.input[state.inputPosition++];
        ++lzwFigures.inputUsed;
        value = (value << needed) | (byte >> (8 - needed));
        state.bitAccumulator = static_cast<uint8_t>(byte << needed);
        state.bitCount = static_cast<uint8_t>(8 - needed);
    }
    code = static_cast<uint32_t>(value);
    return true;
}

bool appendToOutput(const LzwString& text)
{
    LzwState& state = *lzwState;
    if (state.outputCount + text.length > state.outputCapacity)
        return false;
    copyBytes(state.output + state.outputCount, text.bytes, text.length);
    state.outputCount += text.length;
    return true;
}

// Unpacks codes after the first; the output lags one string behind the codes.
int32_t decodeCodes(LzwString previous)
{
    LzwState& state = *lzwState;
    uint32_t width = startWidth;
    for (;;) {
        if (width > maxWidth)
            return lzwBadStream;
        uint32_t code;
        if (!readCode(width, code))
            return lzwBadStream;
        if (code == codeEnd)
            return appendToOutput(previous) ? lzwOk : lzwBadStream;
        if (code == codeReset) {
            state.nextFreeCode = firstFreeCode;
            width = startWidth;
            continue;
        }
        if (code == codeWiden) {
            ++width;
            continue;
        }
        if (code > state.nextFreeCode || previous.length >= maxStringLength)
            return lzwBadStream;
        // A code equal to the next free code is being defined by this very step.
        uint8_t extra = code == state.nextFreeCode ? previous.bytes[0] : state.dictionary[code].bytes[0];
        if (int32_t status = addString(previous.bytes, previous.length, extra); status != lzwOk)
            return status;
        if (!appendToOutput(previous))
            return lzwBadStream;
        previous = state.dictionary[code];
    }
}


// The most a stream of `length` bytes can unpack to. Codes are at least 9
// bits wide, and the string of the k-th code is at most k + 1 bytes long
// (each new string is an earlier one plus a byte), so small inputs need
// small buffers; real payloads reach the output limit.
uint64_t codesIn(int32_t length)
{
    uint64_t bytes = length > 0 ? uint64_t(length < lzwMaxInput ? length : lzwMaxInput) : 0;
    return bytes * 8 / startWidth + 1;
}

uint64_t unpackedBound(uint64_t codes)
{
    uint64_t bound = (codes + 1) * (codes + 2) / 2;
    return bound < uint64_t(lzwMaxUnpacked) ? bound : uint64_t(lzwMaxUnpacked);
}

}  // namespace

int32_t lzwDecode(const uint8_t* packed, int32_t length, uint8_t** unpacked, int32_t* reportedLength)
{
    *unpacked = nullptr;
    *reportedLength = 0;
    uint64_t codes = codesIn(length);
    uint64_t capacity = unpackedBound(codes);
    if (lzwSetUp(LzwMode::Decoding, arenaBytesFor(capacity, codes)) != lzwOk)
        return lzwNoMemory;
    LzwState& state = *lzwState;
    lzwFigures.inputSize = length;
    lzwFigures.inputUsed = 0;
    state.input = packed;
    state.inputLength = length > 0 ? static_cast<uint32_t>(length) : 0;

    state.output = static_cast<uint8_t*>(std::malloc(capacity));
    if (!state.output) {
        showNotice("Impossible d'allouer la memoire", "information");
        lzwTearDown();
        return lzwNoMemory;
    }
    state.outputCapacity = static_cast<int32_t>(capacity);

    int32_t status;
    uint32_t first;
    if (!packed || !readCode(startWidth, first)) {
        status = lzwNoInput;
    } else {
        status = decodeCodes(state.dictionary[first & 0xFF]);
    }
    *unpacked = state.output;
    *reportedLength = state.outputCount + 2;
    lzwTearDown();
    return status;
}
