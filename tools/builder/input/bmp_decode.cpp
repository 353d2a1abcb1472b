#include "tools/builder/input/bmp_decode.h"

#include <array>
#include <cstdlib>

namespace {

uint32_t read16(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8;
}

uint32_t read32(const uint8_t* at)
{
    return read16(at) | read16(at + 2) << 16;
}

// One colour channel of a packed pixel, by its mask, widened to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t largest = 0;
};

Channel channelOf(uint32_t mask)
{
    Channel channel{mask, 0, 0};
    if (mask == 0)
        return channel;
    while (!(mask >> channel.shift & 1))
        ++channel.shift;
    channel.largest = mask >> channel.shift;
    return channel;
}

uint8_t channelValue(const Channel& channel, uint32_t pixel)
{
    if (channel.largest == 0)
        return 0;
    return uint8_t(uint64_t((pixel & channel.mask) >> channel.shift) * 255 / channel.largest);
}

struct BmpLayout {
    int width = 0, height = 0;
    bool topDown = false;
    unsigned bits = 0;
    std::size_t pixelsAt = 0;
    std::array<Channel, 3> channels;  // red, green, blue of 16- and 32-bit pixels
    std::array<uint32_t, 256> palette{};  // 0x00RRGGBB
};

// Reads the headers and the palette; a problem when anything is outside
// the file or of a kind this decoder does not read.
std::string readLayout(const uint8_t* bytes, std::size_t length, BmpLayout& layout)
{
    if (length < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return "not a BMP file";
    uint32_t header = read32(bytes + 14);
    layout.pixelsAt = read32(bytes + 10);
    uint32_t compression = 0, paletteCount = 0;
    std::size_t entryBytes = 4;
    if (header == 12) {
        layout.width = int(read16(bytes + 18));
        layout.height = int(read16(bytes + 20));
        layout.bits = read16(bytes + 24);
        entryBytes = 3;
    } else if (header >= 40 && header <= length - 14) {
        int32_t width = int32_t(read32(bytes + 18)), height = int32_t(read32(bytes + 22));
        if (width <= 0 || height == 0 || height < -65535 || height > 65535 || width > 65535)
            return "the BMP header states no usable size";
        layout.width = width;
        layout.height = std::abs(height);
        layout.topDown = height < 0;
        layout.bits = read16(bytes + 28);
        compression = read32(bytes + 30);
        paletteCount = read32(bytes + 46);
    } else {
        return "the BMP header is damaged";
    }
    std::size_t after = 14 + std::size_t(header);
    uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (layout.bits == 16)
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    if (compression == 3 || compression == 6) {  // bit fields: in the header, or just after a 40-byte one
        std::size_t at = header >= 52 ? 54 : after;
        if (at + 12 > length || (layout.bits != 16 && layout.bits != 32))
            return "the BMP bit fields are damaged";
        for (int channel = 0; channel < 3; ++channel)
            masks[channel] = read32(bytes + at + 4 * channel);
        if (header < 52)
            after += compression == 6 ? 16 : 12;
    } else if (compression != 0) {
        return "a compressed BMP file, which the builder does not shrink";
    }
    for (int channel = 0; channel < 3; ++channel)
        layout.channels[channel] = channelOf(masks[channel]);
    if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 16 && layout.bits != 24
        && layout.bits != 32)
        return "a BMP file of " + std::to_string(layout.bits) + " bits a pixel";
    if (layout.bits <= 8) {
        std::size_t count = paletteCount == 0 || paletteCount > (1u << layout.bits) ? 1u << layout.bits : paletteCount;
        if (after > length || count > (length - after) / entryBytes)
            return "the BMP palette is cut short";
        for (std::size_t entry = 0; entry < count; ++entry) {
            const uint8_t* colour = bytes + after + entry * entryBytes;
            layout.palette[entry] = uint32_t(colour[2]) << 16 | uint32_t(colour[1]) << 8 | colour[0];
        }
    }
    return "";
}

uint32_t pixelAt(const BmpLayout& layout, const uint8_t* row, int x)
{
    switch (layout.bits) {
    case 1: return layout.palette[row[x >> 3] >> (7 - (x & 7)) & 1];
    case 4: return layout.palette[row[x >> 1] >> (x & 1 ? 0 : 4) & 15];
    case 8: return layout.palette[row[x]];
    case 24: return uint32_t(row[3 * x + 2]) << 16 | uint32_t(row[3 * x + 1]) << 8 | row[3 * x];
    default: {
        uint32_t packed = layout.bits == 16 ? read16(row + 2 * x) : read32(row + 4 * x);
        return uint32_t(channelValue(layout.channels[0], packed)) << 16
               | uint32_t(channelValue(layout.channels[1], packed)) << 8 | channelValue(layout.channels[2], packed);
    }
    }
}

}  // namespace

PictureBitmap decodeBmp(const uint8_t* bytes, std::size_t length)
{
    BmpLayout layout;
    if (std::string problem = readLayout(bytes, length, layout); !problem.empty())
        return PictureBitmap{0, 0, {}, problem};
    PictureBitmap bitmap = whiteBitmap(layout.width, layout.height);
    if (!bitmap.problem.empty())
        return bitmap;
    std::size_t rowBytes = (std::size_t(layout.width) * layout.bits + 31) / 32 * 4;
    if (layout.pixelsAt > length || rowBytes * std::size_t(layout.height) > length - layout.pixelsAt)
        return PictureBitmap{0, 0, {}, "the BMP pixels are cut short"};
    for (int y = 0; y < layout.height; ++y) {
        const uint8_t* row = bytes + layout.pixelsAt + rowBytes * std::size_t(layout.topDown ? y : layout.height - 1 - y);
        uint8_t* out = bitmap.pixels.data() + std::size_t(y) * std::size_t(layout.width) * 4;
        for (int x = 0; x < layout.width; ++x, out += 4) {
            uint32_t colour = pixelAt(layout, row, x);
            out[0] = uint8_t(colour), out[1] = uint8_t(colour >> 8), out[2] = uint8_t(colour >> 16), out[3] = 0;
        }
    }
    return bitmap;
}
