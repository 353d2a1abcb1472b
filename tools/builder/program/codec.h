// The payload codec as byte vectors, with its status codes put into words
// for the author: the codec itself hands out malloc'd buffers and numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct CodecResult {
    int32_t status;              // lzwOk or one of the codec's failures
    std::vector<uint8_t> bytes;  // complete only with lzwOk
};

CodecResult packBytes(const std::vector<uint8_t>& input);
CodecResult unpackBytes(const std::vector<uint8_t>& packed);

// "status -6: packs to more than 80000 bytes, at most 80000"
std::string packProblem(int32_t status, std::size_t inputSize);
std::string unpackProblem(int32_t status, std::size_t inputSize);
