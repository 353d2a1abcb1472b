#include "quiz/image_bounds.h"

#include <cstring>

namespace {

// Offsets in the headers, the same for 32-bit and 64-bit programs up to the
// section table.
constexpr std::size_t newHeaderOffsetAt = 0x3C;
constexpr std::size_t fileHeaderSize = 20;
constexpr std::size_t sectionCountAt = 2;         // in the file header
constexpr std::size_t optionalHeaderSizeAt = 16;  // in the file header
constexpr std::size_t imageSizeAt = 56;           // in the optional header
constexpr std::size_t sectionHeaderSize = 40;
constexpr std::size_t virtualSizeAt = 8, virtualAddressAt = 12, rawSizeAt = 16, rawPointerAt = 20;

uint32_t read32(const uint8_t* bytes)
{
    uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;  // little-endian, as on every machine that runs the player
}

uint16_t read16(const uint8_t* bytes)
{
    uint16_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace

bool residentBytesAreWhole(const uint8_t* headers, std::size_t headerBytes, uint64_t fileSize, uint64_t rva,
                           uint64_t size, uint64_t* fileOffset)
{
    // Every header read below stays inside headerBytes.
    auto holds = [headerBytes](uint64_t at, uint64_t length) { return at <= headerBytes && length <= headerBytes - at; };
    if (!headers || !holds(newHeaderOffsetAt, 4))
        return false;
    uint64_t fileHeader = uint64_t(read32(headers + newHeaderOffsetAt)) + 4;
    if (!holds(fileHeader, fileHeaderSize))
        return false;
    unsigned sections = read16(headers + fileHeader + sectionCountAt);
    uint64_t optional = fileHeader + fileHeaderSize;
    uint64_t table = optional + read16(headers + fileHeader + optionalHeaderSizeAt);
    if (!holds(optional, imageSizeAt + 4) || !holds(table, uint64_t(sections) * sectionHeaderSize))
        return false;
    uint64_t end = rva + size;  // no overflow: both are below 2^32 in a real image, and checked below
    if (rva > 0xFFFFFFFF || size > 0xFFFFFFFF || end > read32(headers + optional + imageSizeAt))
        return false;
    for (unsigned n = 0; n < sections; ++n) {
        const uint8_t* section = headers + table + uint64_t(n) * sectionHeaderSize;
        uint64_t start = read32(section + virtualAddressAt);
        uint64_t rawSize = read32(section + rawSizeAt);
        uint64_t mapped = read32(section + virtualSizeAt);
        if (rva < start || rva >= start + (mapped > rawSize ? mapped : rawSize))
            continue;
        // Bytes past the section's file data would be zeros, not the resource;
        // a file cut short has not even those.
        uint64_t rawStart = read32(section + rawPointerAt) + (rva - start);
        bool whole = end <= start + rawSize && rawStart + size <= fileSize;
        if (whole && fileOffset)
            *fileOffset = rawStart;
        return whole;
    }
    return false;
}
