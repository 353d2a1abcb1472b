// Pictures from the program's resources, decoded in memory by the
// platform's picture decoder and fitted into a box with their aspect kept.
#pragma once

#include "shell/platform.h"

#include <cstddef>

// The square every question picture is fitted into on the board.
constexpr int PictureBoxSide = 260;

// Sets up COM on the window thread for its decoding, once, and keeps it:
// taking COM down after each picture would unload the decoder only to load
// it again for the next one. Should it fail, the decoder fails too and the
// picture is not shown.
void keepDecoderComOnWindowThread();

// The fitted bitmap of a picture file's bytes (BMP, JPEG, GIF): a new
// bitmap compatible with `screen`, scaled until it touches the box, or null
// when the bytes cannot be decoded. Pictures that state more than
// LargestPictureSide on a side are not decoded. COM must be set up on the
// calling thread; any thread may call it.
HBITMAP decodeFittedPicture(const void* bytes, std::size_t length, int boxWidth, int boxHeight, HDC screen);
// A new bitmap: the source scaled until it touches the box; the source stays.
HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight, HDC screen);
// The fitted bitmap of the program's picture resource `name`, owned by the
// caller, or null when the resource is missing, not all there, too large or
// cannot be decoded. For the window thread, whose COM it sets up once.
HBITMAP loadFittedPicture(int name, const char* type, int boxWidth, int boxHeight);
