// Codec and verdict speed. The plain copy of the same bytes is the baseline
// the decoder's bandwidth is read against.
#include "judging/verdict.h"
#include "quiz/lzw.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t textSize = 60000;

std::vector<uint8_t> quizLikeText()
{
    static const char* words[] = {"Quelle", "est", "la", "capitale", "de", "France", "Paris", "|",
                                  "Italie", "Rome", "r\xE9ponse", "Espagne", "Madrid", "\xE9t\xE9", "BRAVO",
                                  "Allemagne", "Berlin", "Portugal", "Lisbonne", "\r\n", "Autriche", "Vienne"};
    std::mt19937 random(42);
    std::vector<uint8_t> bytes;
    while (bytes.size() < textSize) {
        const char* word = words[random() % std::size(words)];
        bytes.insert(bytes.end(), word, word + std::strlen(word));
        bytes.push_back(' ');
    }
    bytes.resize(textSize);
    return bytes;
}

const std::vector<uint8_t>& text()
{
    static const std::vector<uint8_t> bytes = quizLikeText();
    return bytes;
}

void plainCopy(benchmark::State& state)
{
    std::vector<uint8_t> target(textSize);
    for (auto _ : state) {
        std::memcpy(target.data(), text().data(), textSize);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * textSize);
}
BENCHMARK(plainCopy);

void decode(benchmark::State& state)
{
    uint8_t* packed = nullptr;
    int32_t packedReported = 0;
    if (lzwEncode(text().data(), textSize, &packed, &packedReported) != lzwOk) {
        state.SkipWithError("packing failed");
        return;
    }
    for (auto _ : state) {
        uint8_t* out = nullptr;
        int32_t reported = 0;
        int32_t status = lzwDecode(packed, packedReported - 1, &out, &reported);
        benchmark::DoNotOptimize(status);
        lzwFreeBuffer(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * textSize);
    state.counters["packed"] = packedReported - 1;
    lzwFreeBuffer(packed);
}
BENCHMARK(decode);

void encode(benchmark::State& state)
{
    for (auto _ : state) {
        uint8_t* out = nullptr;
        int32_t reported = 0;
        int32_t status = lzwEncode(text().data(), textSize, &out, &reported);
        benchmark::DoNotOptimize(status);
        lzwFreeBuffer(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * textSize);
}
BENCHMARK(encode)->Unit(benchmark::kMillisecond);

// Two unrelated 259-byte texts: full distance matrices on the texts and
// their sorted copies, and a scan that fails at every byte.
void verdictWorstCase(benchmark::State& state)
{
    std::string stored, typed;
    for (int n = 0; n < 259; ++n) {
        stored.push_back(static_cast<char>('A' + n % 26));
        typed.push_back(static_cast<char>('A' + (n * 7 + 3) % 26));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(chooseVerdict(stored.c_str(), typed.c_str()));
}
BENCHMARK(verdictWorstCase)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
