// Little-endian fields of a program file, read from and written into byte
// buffers. Callers check that the field lies inside the buffer first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline uint16_t readU16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

inline uint32_t readU32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) | (static_cast<uint32_t>(at[2]) << 16)
           | (static_cast<uint32_t>(at[3]) << 24);
}

inline void writeU16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

inline void writeU32(uint8_t* at, uint32_t value)
{
    for (int n = 0; n < 4; ++n)
        at[n] = static_cast<uint8_t>(value >> (8 * n));
}

// Whether `length` bytes from `offset` lie within the first `limit` bytes,
// without overflowing on hostile values.
inline bool fitsWithin(uint64_t offset, uint64_t length, uint64_t limit)
{
    return offset <= limit && length <= limit - offset;
}

// "0x1A2B"
inline std::string hexText(uint64_t value)
{
    const char* digits = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value);
    return "0x" + text;
}
