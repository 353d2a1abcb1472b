// The size a picture file states in its header, read without decoding it:
// a decoder makes a bitmap of that size first, so a few hundred bytes that
// state 20000 x 20000 would take gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>

// The largest side a quiz picture may state; the board shows at most
// 260 x 260, so this leaves room for any photo worth shrinking.
inline constexpr int LargestPictureSide = 4096;

struct PictureSize {
    bool known;  // a BMP, JPEG or GIF header was read
    int width, height;
};

PictureSize statedPictureSize(const uint8_t* bytes, std::size_t length);

// A picture the player decodes: a known format within the largest side.
bool pictureSizeIsDecodable(const PictureSize& size);

// The size a picture of `source` is shown at in a box: scaled, its aspect
// kept, until it touches the box, each side then cut to whole pixels. The
// board lays a picture out at this size from its header before decoding
// it, and fits the decoded bitmap to the same size.
PictureSize fittedPictureSize(const PictureSize& source, int boxWidth, int boxHeight);
