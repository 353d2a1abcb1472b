// The checksum of a Windows program file, as the optional header's CheckSum
// field holds it: the file's 16-bit little-endian words summed with their
// carries folded back in, the checksum field itself counted as zero, plus
// the file's length.
#pragma once

#include <cstdint>
#include <span>

// `checkSumOffset` is the file offset of the CheckSum field.
uint32_t peCheckSum(std::span<const uint8_t> file, uint32_t checkSumOffset);
