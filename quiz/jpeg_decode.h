/* JPEG files decoded by the vendored libjpeg-turbo straight to a reduced
 * size: its inverse DCT can make 1/8 to 8/8 of each side directly, which
 * costs a fraction of decoding the whole picture and shrinking it after.
 * Plain C so that the library's error exits (longjmp) never cross a C++
 * frame. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Where the decoded rows go: asked once the decoded size is known; returns
 * the first row of `height` rows of `width` pixels, 4 bytes each (blue,
 * green, red, unused), top row first, `*stride` bytes apart; or null to
 * give up. */
typedef unsigned char* (*JpegPixelsFor)(void* context, int width, int height, int* stride);

typedef struct JpegDecoded {
    int imageWidth, imageHeight; /* as the file stores the picture */
    int width, height;           /* as decoded */
} JpegDecoded;

/* Decodes at the smallest scale whose sides are still at least
 * leastWidth x leastHeight (the whole picture when none is). Returns 1 when
 * every row was decoded; 0 when the library refuses the file or reports
 * anything amiss with it, even what it would only warn about (damaged or
 * truncated data, colour spaces it cannot turn into RGB), so that such
 * files can go to another decoder. */
int jpegDecodeCovering(const unsigned char* bytes, size_t length, int leastWidth, int leastHeight,
                       JpegPixelsFor pixelsFor, void* context, JpegDecoded* decoded);

#ifdef __cplusplus
}
#endif
