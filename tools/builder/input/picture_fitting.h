// Pictures fitted to what players see: the board shows every picture in
// 260 x 260 pixels, so a picture whose long side is over twice that is
// shrunk, its aspect kept, until its long side is FittedPictureSide, and
// stored as a baseline JPEG. Smaller pictures are kept byte for byte, but
// for PNG files, which the player cannot show: they become JPEG files of
// the same size. The
// same bytes in give the same bytes out, in the native builder and in the
// studio's WebAssembly one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int FittedPictureSide = 520;
inline constexpr int FittedPictureQuality = 85;

struct PictureFitting {
    std::vector<uint8_t> bytes;  // the JPEG made; empty when the picture is kept as it is
    std::string problem;         // why it could not be fitted; empty otherwise
    bool shrunk = false;         // made smaller, not only turned from PNG into JPEG
};

// JPEG (up to 16384 pixels a side, decoded already shrunk), PNG
// (transparency laid on white), GIF (its first frame) and BMP (up to the
// player's 4096 pixels a side).
PictureFitting fitPicture(const uint8_t* bytes, std::size_t length);
