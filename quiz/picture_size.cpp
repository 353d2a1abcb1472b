#include "quiz/picture_size.h"

#include <cstdlib>

namespace {

unsigned bigEndian16(const uint8_t* at)
{
    return unsigned(at[0]) << 8 | at[1];
}

unsigned littleEndian16(const uint8_t* at)
{
    return unsigned(at[1]) << 8 | at[0];
}

int32_t littleEndian32(const uint8_t* at)
{
    return int32_t(uint32_t(at[3]) << 24 | uint32_t(at[2]) << 16 | uint32_t(at[1]) << 8 | at[0]);
}

// The frame header (any start-of-frame marker) holds height then width.
PictureSize jpegSize(const uint8_t* bytes, std::size_t length)
{
    std::size_t at = 2;
    // Each step moves past one segment, at least two bytes.
    while (at + 4 <= length) {
        if (bytes[at] != 0xFF)
            return {};
        uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        // Markers without a length: restart markers, start and end of image.
        if ((marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) {
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)  // the image data comes before any frame header: none
            return {};
        unsigned segment = bigEndian16(bytes + at + 2);
        bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (segment < 7 || at + 9 > length)
                return {};
            return {true, int(bigEndian16(bytes + at + 7)), int(bigEndian16(bytes + at + 5))};
        }
        if (segment < 2)
            return {};
        at += 2 + segment;
    }
    return {};
}

// The logical screen; an image inside it may not be larger than it states,
// so the first image's own size counts too.
PictureSize gifSize(const uint8_t* bytes, std::size_t length)
{
    if (length < 13)
        return {};
    int width = int(littleEndian16(bytes + 6)), height = int(littleEndian16(bytes + 8));
    std::size_t at = 13;
    if (bytes[10] & 0x80)
        at += 3u << ((bytes[10] & 7) + 1);  // global colour table
    // Extensions before the first image, each a chain of sub-blocks.
    while (at < length && bytes[at] == 0x21) {
        at += 2;
        while (at < length && bytes[at] != 0)
            at += 1 + std::size_t(bytes[at]);
        ++at;
    }
    if (at + 9 <= length && bytes[at] == 0x2C) {
        int left = int(littleEndian16(bytes + at + 1)), top = int(littleEndian16(bytes + at + 3));
        int imageWidth = int(littleEndian16(bytes + at + 5)), imageHeight = int(littleEndian16(bytes + at + 7));
        if (left + imageWidth > width)
            width = left + imageWidth;
        if (top + imageHeight > height)
            height = top + imageHeight;
    }
    return {true, width, height};
}

PictureSize bmpSize(const uint8_t* bytes, std::size_t length)
{
    if (length < 26)
        return {};
    uint32_t header = uint32_t(littleEndian32(bytes + 14));
    if (header == 12)  // the oldest header: 16-bit sizes
        return {true, int(littleEndian16(bytes + 18)), int(littleEndian16(bytes + 20))};
    if (header < 40)
        return {};
    int32_t width = littleEndian32(bytes + 18), height = littleEndian32(bytes + 22);
    // A negative height stores the rows top down.
    if (width == INT32_MIN || height == INT32_MIN)
        return {};
    return {true, std::abs(width), std::abs(height)};
}

}  // namespace

PictureSize statedPictureSize(const uint8_t* bytes, std::size_t length)
{
    if (!bytes || length < 4)
        return {};
    if (bytes[0] == 0xFF && bytes[1] == 0xD8)
        return jpegSize(bytes, length);
    if (bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F')
        return gifSize(bytes, length);
    if (bytes[0] == 'B' && bytes[1] == 'M')
        return bmpSize(bytes, length);
    return {};
}

bool pictureSizeIsDecodable(const PictureSize& size)
{
    return size.known && size.width > 0 && size.height > 0 && size.width <= LargestPictureSide
           && size.height <= LargestPictureSide;
}

PictureSize fittedPictureSize(const PictureSize& source, int boxWidth, int boxHeight)
{
    if (!source.known || source.width <= 0 || source.height <= 0)
        return {};
    double scale = double(boxHeight) / source.height;
    if (double(boxWidth) / source.width < scale)
        scale = double(boxWidth) / source.width;
    return {true, static_cast<int>(source.width * scale), static_cast<int>(source.height * scale)};
}
