/* Pixels stored as a baseline JPEG by the vendored libjpeg-turbo encoder, at
 * a fixed quality and subsampling, so the same pixels give the same bytes
 * in the native builder and the studio's WebAssembly one. Plain C so that
 * the library's error exits (longjmp) never cross a C++ frame. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Encodes `height` rows of `width` pixels, 4 bytes each (blue, green, red,
 * unused), top row first, `stride` bytes apart, at `quality` (1 to 100)
 * with 4:2:0 chroma subsampling. Returns 1 and hands out the file in
 * `*bytes` (released with free) and its length; 0 when the library or
 * memory fails, with nothing handed out. */
int jpegEncodeRows(const unsigned char* first, int width, int height, ptrdiff_t stride, int quality,
                   unsigned char** bytes, size_t* length);

#ifdef __cplusplus
}
#endif
