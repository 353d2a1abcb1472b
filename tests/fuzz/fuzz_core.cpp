// Any bytes: unpacked, parsed as both payloads (the unpacked bytes, also
// after a failure, and the raw bytes themselves), packed and unpacked back,
// and judged as two texts. Crashes and sanitizer reports are the failures.
#include "judging/verdict.h"
#include "quiz/lzw.h"
#include "quiz/payload.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t roundTripBytes = 1024;

void parseBoth(const uint8_t* bytes, std::size_t length)
{
    Quiz quiz;
    initQuiz(quiz);
    if (parseQuizPayload(quiz, bytes, length)) {
        if (quiz.entryCount > MaxEntries || (quiz.entryCount > 0 && !quiz.head))
            std::abort();
        parseCodesPayload(quiz, bytes, length);
    } else if (quiz.entryCount != 0 || quiz.head) {
        std::abort();
    }
    quiz.entryCount = MaxEntries;
    parseCodesPayload(quiz, bytes, length);
    freeEntries(quiz);
}

void roundTrip(const uint8_t* bytes, std::size_t length)
{
    uint8_t* packed = nullptr;
    int32_t packedReported = 0;
    int32_t status = lzwEncode(bytes, int32_t(length), &packed, &packedReported);
    if (status == lzwOk) {
        uint8_t* unpacked = nullptr;
        int32_t reported = 0;
        if (lzwDecode(packed, packedReported - 1, &unpacked, &reported) != lzwOk
            || std::size_t(reported - 2) != length || std::memcmp(unpacked, bytes, length) != 0)
            std::abort();
        lzwFreeBuffer(unpacked);
    } else if (length != 0 && status != lzwCannotWrite) {
        std::abort();
    }
    lzwFreeBuffer(packed);
}

void judge(const uint8_t* bytes, std::size_t length)
{
    char stored[300] = {};
    char typed[300] = {};
    std::size_t half = length / 2;
    std::memcpy(stored, bytes, half < 299 ? half : 299);
    std::memcpy(typed, bytes + half, length - half < 299 ? length - half : 299);
    if (!chooseVerdict(stored, typed))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t length)
{
    if (length > 200000)
        return 0;
    uint8_t* unpacked = nullptr;
    int32_t reported = 0;
    lzwDecode(bytes, int32_t(length), &unpacked, &reported);
    if (unpacked) {
        if (reported < 2 || reported - 2 > lzwMaxUnpacked)
            std::abort();
        parseBoth(unpacked, std::size_t(reported - 2));
    }
    lzwFreeBuffer(unpacked);
    parseBoth(bytes, length);
    // The packer scans its dictionary by string length, as it must, so its
    // time grows with the square of the input: a prefix keeps every run
    // cheap and still fills the dictionary far enough to reset it.
    roundTrip(bytes, length < roundTripBytes ? length : roundTripBytes);
    judge(bytes, length);
    return 0;
}
