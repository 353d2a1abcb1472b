#include "tools/builder/input/gif_decode.h"

#include <algorithm>
#include <array>

namespace {

uint32_t read16(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8;
}

// The bytes of a chain of sub-blocks, read one bit field at a time, least
// significant bit first, as GIF packs its codes.
class CodeReader {
public:
    CodeReader(const uint8_t* bytes, std::size_t length, std::size_t at) : bytes(bytes), length(length), at(at) {}

    // -1 once the chain ends or the file does.
    int next(int width)
    {
        while (held < width) {
            if (blockLeft == 0) {
                if (at >= length || bytes[at] == 0)
                    return -1;
                blockLeft = bytes[at++];
            }
            if (at >= length)
                return -1;
            buffer |= uint32_t(bytes[at++]) << held;
            held += 8;
            --blockLeft;
        }
        int code = int(buffer & ((1u << width) - 1));
        buffer >>= width;
        held -= width;
        return code;
    }

private:
    const uint8_t* bytes;
    std::size_t length, at;
    std::size_t blockLeft = 0;
    uint32_t buffer = 0;
    int held = 0;
};

constexpr int MaxCodes = 4096;

// Unpacks `count` colour indexes; false when the stream is damaged or ends
// before them.
bool unpackIndexes(CodeReader& reader, int leastWidth, std::vector<uint8_t>& indexes, std::size_t count)
{
    std::array<uint16_t, MaxCodes> prefix{};
    std::array<uint8_t, MaxCodes> suffix{}, first{};
    std::array<uint8_t, MaxCodes> stack{};
    const int clear = 1 << leastWidth, end = clear + 1;
    for (int code = 0; code < clear; ++code)
        suffix[code] = first[code] = uint8_t(code);
    int width = leastWidth + 1, next = clear + 2, previous = -1;
    indexes.clear();
    indexes.reserve(count);
    while (indexes.size() < count) {
        int code = reader.next(width);
        if (code < 0)
            return false;
        if (code == clear) {
            width = leastWidth + 1, next = clear + 2, previous = -1;
            continue;
        }
        if (code == end)
            return false;
        if (code > next || (code == next && previous < 0))
            return false;
        int walk = code == next ? previous : code;
        int depth = 0;
        if (code == next)
            stack[depth++] = first[previous];
        while (walk >= clear) {
            if (depth >= MaxCodes)
                return false;
            stack[depth++] = suffix[walk];
            walk = prefix[walk];
        }
        stack[depth++] = uint8_t(walk);
        if (previous >= 0 && next < MaxCodes) {
            prefix[next] = uint16_t(previous);
            suffix[next] = uint8_t(walk);
            first[next] = first[previous];
            ++next;
            if (next == (1 << width) && width < 12)
                ++width;
        }
        while (depth > 0 && indexes.size() < count)
            indexes.push_back(stack[--depth]);
        previous = code;
    }
    return true;
}

// The rows of an interlaced frame, in the order they are stored.
std::vector<int> rowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            rows.push_back(y);
    return rows;
}

std::size_t skipSubBlocks(const uint8_t* bytes, std::size_t length, std::size_t at)
{
    while (at < length && bytes[at] != 0)
        at += 1 + std::size_t(bytes[at]);
    return at + 1;
}

PictureBitmap failed(const char* problem)
{
    return PictureBitmap{0, 0, {}, problem};
}

}  // namespace

PictureBitmap decodeGif(const uint8_t* bytes, std::size_t length)
{
    if (length < 13 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F')
        return failed("not a GIF file");
    PictureBitmap bitmap = whiteBitmap(int(read16(bytes + 6)), int(read16(bytes + 8)));
    if (!bitmap.problem.empty())
        return bitmap;
    std::array<uint8_t, 768> globalColours{}, localColours{};
    std::size_t at = 13;
    if (bytes[10] & 0x80) {
        std::size_t size = 3u << ((bytes[10] & 7) + 1);
        if (at + size > length)
            return failed("the GIF colour table is cut short");
        std::copy(bytes + at, bytes + at + size, globalColours.begin());
        at += size;
    }
    int transparent = -1;
    while (at < length && bytes[at] == 0x21) {
        if (at + 6 < length && bytes[at + 1] == 0xF9 && bytes[at + 2] == 4 && (bytes[at + 3] & 1))
            transparent = bytes[at + 6];
        at = skipSubBlocks(bytes, length, at + 2);
    }
    if (at + 10 > length || bytes[at] != 0x2C)
        return failed("the GIF file holds no picture");
    int left = int(read16(bytes + at + 1)), top = int(read16(bytes + at + 3));
    int width = int(read16(bytes + at + 5)), height = int(read16(bytes + at + 7));
    uint8_t flags = bytes[at + 9];
    at += 10;
    const uint8_t* colours = globalColours.data();
    if (flags & 0x80) {
        std::size_t size = 3u << ((flags & 7) + 1);
        if (at + size > length)
            return failed("the GIF colour table is cut short");
        std::copy(bytes + at, bytes + at + size, localColours.begin());
        colours = localColours.data();
        at += size;
    }
    if (width <= 0 || height <= 0 || left + width > bitmap.width || top + height > bitmap.height)
        return failed("the GIF picture lies outside its screen");
    if (at >= length || bytes[at] < 1 || bytes[at] > 11)
        return failed("the GIF picture data is damaged");
    CodeReader reader(bytes, length, at + 1);
    std::vector<uint8_t> indexes;
    if (!unpackIndexes(reader, bytes[at], indexes, std::size_t(width) * std::size_t(height)))
        return failed("the GIF picture data is damaged or cut short");
    std::vector<int> rows = rowOrder(height, flags & 0x40);
    const uint8_t* index = indexes.data();
    for (int row : rows)
        for (int x = 0; x < width; ++x, ++index) {
            if (*index == transparent)
                continue;
            uint8_t* out = bitmap.pixels.data() + (std::size_t(top + row) * std::size_t(bitmap.width) + left + x) * 4;
            const uint8_t* colour = colours + 3 * *index;
            out[0] = colour[2], out[1] = colour[1], out[2] = colour[0], out[3] = 0;
        }
    return bitmap;
}
