// A zip archive of stored (uncompressed) members, as a school platform
// unpacks a content package: the same members always give the same bytes,
// so quizbuild and the studio write one file byte for byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct ZipMember {
    std::string name;  // "/"-separated, ASCII
    std::span<const uint8_t> bytes;
};

// Members and archive stay under 4 GiB minus one byte (no zip64): a quiz
// stops far below, at the builder's LargestFile.
constexpr uint64_t LargestStoredZip = 0xFFFFFFFEull;

// The CRC-32 a zip member carries (the IEEE polynomial, as zlib computes it).
uint32_t crc32Of(std::span<const uint8_t> bytes);

// The archive, members in the order given, each dated 1980-01-01 00:00 (the
// earliest date a zip holds) so that nothing depends on the clock. Empty
// when the archive would pass LargestStoredZip.
std::vector<uint8_t> storedZipOf(const std::vector<ZipMember>& members);
