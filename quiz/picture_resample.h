// Pictures shrunk or enlarged to the size the board shows them at, in the
// player's own code: the window system's smoothing stretch costs several
// times the decoding of a reduced JPEG. Each output pixel is a weighted
// mean of the source pixels under it, weighted by a triangle as wide as one
// output pixel (one source pixel when enlarging), so shrinking averages
// every source pixel and enlarging interpolates between neighbours.
#pragma once

#include <cstddef>
#include <cstdint>

// Rows of 4-byte pixels (blue, green, red, unused), top row first.
struct PixelRows {
    const uint8_t* first;
    int width, height;
    std::ptrdiff_t stride;  // bytes from one row to the next
};

struct PixelTarget {
    uint8_t* first;
    int width, height;
    std::ptrdiff_t stride;
};

// Fills every pixel of `to` from the whole of `from`, its unused bytes 0.
// False, with `to` untouched, when either is empty or larger than
// LargestResampledSide, or memory runs out.
bool resamplePixels(const PixelRows& from, const PixelTarget& to);

inline constexpr int LargestResampledSide = 16384;
