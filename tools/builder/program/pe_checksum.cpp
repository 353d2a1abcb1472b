#include "tools/builder/program/pe_checksum.h"

uint32_t peCheckSum(std::span<const uint8_t> file, uint32_t checkSumOffset)
{
    auto byteAt = [&](std::size_t at) -> uint32_t {
        bool inField = at >= checkSumOffset && at - checkSumOffset < 4;
        return inField || at >= file.size() ? 0 : file[at];
    };
    uint64_t sum = 0;
    // Bounded by the file's length; an odd last byte is a word of its own.
    for (std::size_t at = 0; at < file.size(); at += 2) {
        sum += byteAt(at) | (byteAt(at + 1) << 8);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint32_t>(sum + file.size());
}
