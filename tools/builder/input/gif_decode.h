// The first frame of a GIF file decoded for fitting, laid on its logical
// screen in white (a frame may cover part of it; transparent pixels show
// the white). Bounded: the code stream is read within its blocks, the
// dictionary within its 4096 codes, the pixels within the frame.
#pragma once

#include "tools/builder/input/picture_bitmap.h"

#include <cstddef>
#include <cstdint>

PictureBitmap decodeGif(const uint8_t* bytes, std::size_t length);
