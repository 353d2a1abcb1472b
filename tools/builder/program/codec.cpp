#include "tools/builder/program/codec.h"

#include "quiz/lzw.h"

#include <limits>

namespace {

int32_t lengthOf(const std::vector<uint8_t>& bytes)
{
    constexpr std::size_t largest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(bytes.size() < largest ? bytes.size() : largest);
}

using Codec = int32_t (*)(const uint8_t*, int32_t, uint8_t**, int32_t*);

// Both directions report a length `extra` bytes above what they wrote, and
// hand out their buffer even on failure.
CodecResult runCodec(Codec codec, const std::vector<uint8_t>& input, int32_t extra)
{
    uint8_t* output = nullptr;
    int32_t reported = 0;
    CodecResult result{codec(input.data(), lengthOf(input), &output, &reported), {}};
    if (result.status == lzwOk && output && reported >= extra)
        result.bytes.assign(output, output + (reported - extra));
    lzwFreeBuffer(output);
    return result;
}

std::string statusPrefix(int32_t status)
{
    return "status " + std::to_string(status) + ": ";
}

}  // namespace

CodecResult packBytes(const std::vector<uint8_t>& input)
{
    return runCodec(lzwEncode, input, 1);
}

CodecResult unpackBytes(const std::vector<uint8_t>& packed)
{
    return runCodec(lzwDecode, packed, 2);
}

std::string packProblem(int32_t status, std::size_t inputSize)
{
    std::string text = statusPrefix(status);
    switch (status) {
    case lzwNoMemory: return text + "out of memory";
    case lzwNoInput: return text + "the input is empty, nothing to pack";
    case lzwCannotWrite:
        return text + "packs to more than " + std::to_string(lzwMaxPacked) + " bytes, at most "
               + std::to_string(lzwMaxPacked);
    case lzwBadStream:
        return text + std::to_string(inputSize) + " bytes to pack, at most " + std::to_string(lzwMaxInput);
    }
    return text + "unknown failure";
}

std::string unpackProblem(int32_t status, std::size_t inputSize)
{
    std::string text = statusPrefix(status);
    switch (status) {
    case lzwNoMemory: return text + "out of memory";
    case lzwNoInput: return text + "empty, or it ends inside its first code";
    case lzwBadStream:
        return text + "damaged: it ends before its end code, holds a code not yet defined or widens past 32 bits"
               + (inputSize > std::size_t(lzwMaxInput)
                      ? " (" + std::to_string(inputSize) + " bytes, of which only the first "
                            + std::to_string(lzwMaxInput) + " are read)"
                      : std::string());
    }
    return text + "unknown failure";
}
