// A picture decoded whole, as the builder fits it: rows of 4-byte pixels
// (blue, green, red, unused), top row first, no gap between rows, the
// layout quiz/picture_resample.h reads. Transparent pixels are already laid
// on white, as the board's white box would show them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PictureBitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // width * height * 4 bytes
    std::string problem;          // why there are none; empty once decoded
};

// A bitmap of `width` x `height` white pixels, or a problem when either
// side is empty or over the largest picture side (quiz/picture_size.h).
PictureBitmap whiteBitmap(int width, int height);
