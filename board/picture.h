// Pictures from the program's resources, decoded in memory by the
// platform's picture decoder and fitted into a box with their aspect kept.
#pragma once

#include "shell/platform.h"

#include <cstddef>

// A bitmap of the picture file's bytes (BMP, JPEG, GIF), or null.
// Pictures that state more than LargestPictureSide on a side are not decoded.
HBITMAP decodePicture(const void* bytes, std::size_t length);
// A new bitmap: the source scaled until it touches the box; the source stays.
HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight);
// The fitted bitmap of the program's picture resource `name`, owned by the
// caller, or null when the resource is missing, not all there, too large or
// cannot be decoded.
HBITMAP loadFittedPicture(int name, const char* type, int boxWidth, int boxHeight);
