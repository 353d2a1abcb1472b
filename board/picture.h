// Pictures from the program's resources, decoded in memory and fitted into
// a box with their aspect kept. JPEGs are decoded by the vendored
// libjpeg-turbo at no more than the fitted size needs; BMP, GIF and any
// JPEG it finds amiss go to the platform's picture decoder.
#pragma once

#include "quiz/own_resources.h"
#include "quiz/picture_size.h"
#include "win32/platform.h"

#include <cstddef>

// The square every question picture is fitted into on the board.
constexpr int PictureBoxSide = 260;

// The platform's decoder needs COM: a thread sets it up when it first
// decodes such a picture and keeps it, as taking COM down after each
// picture would unload the decoder only to load it again for the next one.
// Should it fail, the decoder fails too and the picture is not shown. A
// thread that decoded pictures takes its COM down with this before it ends.
void releaseDecoderComOfThisThread();

// The fitted bitmap of a picture file's bytes (BMP, JPEG, GIF): a new
// bitmap for `screen`, scaled until it touches the box, or null when the
// bytes cannot be decoded. Pictures that state more than
// LargestPictureSide on a side are not decoded. Any thread may call it.
HBITMAP decodeFittedPicture(const void* bytes, std::size_t length, int boxWidth, int boxHeight, HDC screen);
// The fitted bitmap of a whole resource of the program's, its bytes read
// from the program's file (through the mapped image should that fail, or
// for pictures of more than 16 MiB). Any thread may call it.
HBITMAP decodeOwnPicture(const OwnResource& resource, int boxWidth, int boxHeight, HDC screen);
// The size a whole resource's picture header states, a JPEG's read from
// the start of the file's copy.
PictureSize statedSizeOfOwnPicture(const OwnResource& resource);
// A new bitmap: the source scaled until it touches the box; the source stays.
HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight, HDC screen);
// The fitted bitmap of the program's picture resource `name`, owned by the
// caller, or null when the resource is missing, not all there, too large or
// cannot be decoded. For the window thread.
HBITMAP loadFittedPicture(int name, const char* type, int boxWidth, int boxHeight);
