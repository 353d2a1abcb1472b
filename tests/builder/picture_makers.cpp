#include "tests/builder/picture_makers.h"

#include "tools/builder/input/jpeg_encode.h"

#include <cstdlib>
#include <map>
#include <string>

namespace {

void put32be(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

void put16le(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put32le(std::vector<uint8_t>& out, uint32_t value)
{
    put16le(out, value);
    put16le(out, value >> 16);
}

uint32_t crc32Of(const uint8_t* bytes, std::size_t length)
{
    uint32_t crc = 0xFFFFFFFF;
    for (std::size_t at = 0; at < length; ++at) {
        crc ^= bytes[at];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    put32be(out, uint32_t(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    put32be(out, crc32Of(typed.data(), typed.size()));
}

std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    std::size_t at = 0;
    do {
        std::size_t size = std::min<std::size_t>(raw.size() - at, 65535);
        out.push_back(at + size == raw.size() ? 1 : 0);
        put16le(out, uint32_t(size));
        put16le(out, uint32_t(~size & 0xFFFF));
        out.insert(out.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + size));
        at += size;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw)
        a = (a + byte) % 65521, b = (b + a) % 65521;
    put32be(out, b << 16 | a);
    return out;
}

}  // namespace

std::vector<uint8_t> pngOf(int width, int height, const PixelMaker& pixel)
{
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    put32be(header, uint32_t(width));
    put32be(header, uint32_t(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    chunk(out, "IHDR", header);
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            Rgba colour = pixel(x, y);
            raw.insert(raw.end(), {colour.red, colour.green, colour.blue, colour.alpha});
        }
    }
    chunk(out, "IDAT", storedZlib(raw));
    chunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> bmpOf(int width, int height, const PixelMaker& pixel)
{
    std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out = {'B', 'M'};
    put32le(out, uint32_t(54 + rowBytes * height));
    put32le(out, 0);
    put32le(out, 54);
    put32le(out, 40);
    put32le(out, uint32_t(width));
    put32le(out, uint32_t(height));
    put16le(out, 1);
    put16le(out, 24);
    for (int field = 0; field < 6; ++field)
        put32le(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            Rgba colour = pixel(x, y);
            out.insert(out.end(), {colour.blue, colour.green, colour.red});
        }
        out.resize(start + rowBytes, 0);
    }
    return out;
}

std::vector<uint8_t> gifOf(int width, int height, const PixelMaker& pixel)
{
    std::map<uint32_t, uint8_t> indexOf;
    std::vector<uint8_t> table(768, 0), indexes;
    int transparent = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgba colour = pixel(x, y);
            if (colour.alpha == 0) {
                if (transparent < 0)
                    transparent = int(indexOf.size()), indexOf[0xFF000000] = uint8_t(transparent);
                indexes.push_back(uint8_t(transparent));
                continue;
            }
            uint32_t key = uint32_t(colour.red) << 16 | uint32_t(colour.green) << 8 | colour.blue;
            auto found = indexOf.emplace(key, uint8_t(indexOf.size())).first;
            table[3 * found->second] = colour.red, table[3 * found->second + 1] = colour.green;
            table[3 * found->second + 2] = colour.blue;
            indexes.push_back(found->second);
        }
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    put16le(out, uint32_t(width));
    put16le(out, uint32_t(height));
    out.insert(out.end(), {0xF7, 0, 0});  // a global table of 256 colours
    out.insert(out.end(), table.begin(), table.end());
    if (transparent >= 0)
        out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, uint8_t(transparent), 0});
    out.push_back(0x2C);
    put32le(out, 0);
    put16le(out, uint32_t(width));
    put16le(out, uint32_t(height));
    out.insert(out.end(), {0, 8});
    // 9-bit codes throughout: a clear code before the dictionary would widen them.
    std::vector<uint8_t> packed;
    uint32_t buffer = 0;
    int held = 0;
    auto emit = [&](uint32_t code) {
        buffer |= code << held;
        for (held += 9; held >= 8; held -= 8, buffer >>= 8)
            packed.push_back(uint8_t(buffer));
    };
    for (std::size_t at = 0; at < indexes.size(); ++at) {
        if (at % 250 == 0)
            emit(256);
        emit(indexes[at]);
    }
    emit(257);
    if (held > 0)
        packed.push_back(uint8_t(buffer));
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        std::size_t size = std::min<std::size_t>(255, packed.size() - at);
        out.push_back(uint8_t(size));
        out.insert(out.end(), packed.begin() + std::ptrdiff_t(at), packed.begin() + std::ptrdiff_t(at + size));
    }
    out.insert(out.end(), {0, 0x3B});
    return out;
}

std::vector<uint8_t> jpegOf(int width, int height, const PixelMaker& pixel)
{
    std::vector<uint8_t> rows;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgba colour = pixel(x, y);
            rows.insert(rows.end(), {colour.blue, colour.green, colour.red, 0});
        }
    unsigned char* bytes = nullptr;
    std::size_t length = 0;
    if (!jpegEncodeRows(rows.data(), width, height, std::ptrdiff_t(width) * 4, 95, &bytes, &length))
        return {};
    std::vector<uint8_t> file(bytes, bytes + length);
    std::free(bytes);
    return file;
}
