// A plain MSB-first bit writer and reader for tests, written apart from the
// codec so that packed streams can be built and read back independently.
#pragma once

#include <cstdint>
#include <vector>

struct TestBitWriter {
    std::vector<uint8_t> bytes;
    unsigned used = 0;  // bits used in the last byte

    void put(uint64_t value, unsigned width)
    {
        for (unsigned bit = width; bit-- > 0;) {
            if (used == 0)
                bytes.push_back(0);
            if ((value >> bit) & 1)
                bytes.back() |= static_cast<uint8_t>(0x80 >> used);
            used = (used + 1) % 8;
        }
    }
};

// Splits a stream written by the packer into its codes, following its widen
// and reset codes; stops after the end code.
inline std::vector<uint32_t> readCodes(const std::vector<uint8_t>& bytes)
{
    std::vector<uint32_t> codes;
    std::size_t bit = 0;
    unsigned width = 9;
    while (bit + width <= bytes.size() * 8) {
        uint32_t code = 0;
        for (unsigned n = 0; n < width; ++n, ++bit)
            code = (code << 1) | ((bytes[bit / 8] >> (7 - bit % 8)) & 1);
        codes.push_back(code);
        if (code == 256)
            break;
        if (code == 257)
            ++width;
        if (code == 258)
            width = 9;
    }
    return codes;
}
