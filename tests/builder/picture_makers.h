// Small picture files made in the tests, in every format the builder fits:
// each pixel from a function, so a test knows what any part should show.
// The PNG's zlib stream uses stored blocks and the GIF's codes a clear code
// every 250 codes: valid files, with no encoder of the product involved.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Rgba {
    uint8_t red, green, blue, alpha;
};
using PixelMaker = std::function<Rgba(int x, int y)>;

std::vector<uint8_t> pngOf(int width, int height, const PixelMaker& pixel);
std::vector<uint8_t> bmpOf(int width, int height, const PixelMaker& pixel);  // 24 bits, bottom up
// At most 256 colours, taken in the order met; transparency where alpha is 0.
std::vector<uint8_t> gifOf(int width, int height, const PixelMaker& pixel);
std::vector<uint8_t> jpegOf(int width, int height, const PixelMaker& pixel);
