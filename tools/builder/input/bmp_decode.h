// BMP files decoded for fitting: the uncompressed kinds Windows and image
// editors write (1, 4 and 8 bits with a palette, 16, 24 and 32 bits, bit
// fields included), bottom-up or top-down. Every offset and size is checked
// against the file, so a damaged one gives a problem, never a read outside.
#pragma once

#include "tools/builder/input/picture_bitmap.h"

#include <cstddef>
#include <cstdint>

PictureBitmap decodeBmp(const uint8_t* bytes, std::size_t length);
