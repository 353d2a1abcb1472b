#include "quiz/jpeg_decode.h"

#include <setjmp.h>
#include <stdio.h>

#include "jpeglib.h"

/* The library's error handler: its own exits end the process, ours jump
 * back to jpegDecodeCovering. */
typedef struct DecodeFailure {
    struct jpeg_error_mgr manager; /* first: the library sees only this */
    jmp_buf back;
} DecodeFailure;

/* Rows asked of the library per call; it makes at most a few at a time. */
enum { RowsPerRead = 16 };

static void failAtError(j_common_ptr info)
{
    longjmp(((DecodeFailure*)info->err)->back, 1);
}

/* Level -1 is a warning about damaged data, which the library would go on
 * past, filling in what is missing: stop at the first one instead, so no
 * picture is made of guesses and no stream of warnings can keep it busy. */
static void failAtWarning(j_common_ptr info, int level)
{
    if (level < 0)
        longjmp(((DecodeFailure*)info->err)->back, 1);
}

static void sayNothing(j_common_ptr info)
{
    (void)info;
}

/* Scales of 1/8 to 7/8 cost less the smaller they are; 8/8 is the whole
 * picture, and larger ones would only enlarge what the fitting enlarges
 * anyway. */
static void chooseCoveringScale(struct jpeg_decompress_struct* info, int leastWidth, int leastHeight)
{
    unsigned eighths;
    for (eighths = 1; eighths < 8; ++eighths) {
        info->scale_num = eighths;
        info->scale_denom = 8;
        jpeg_calc_output_dimensions(info);
        if ((long)info->output_width >= leastWidth && (long)info->output_height >= leastHeight)
            return;
    }
    info->scale_num = 1;
    info->scale_denom = 1;
}

/* Everything that may fail, between the setjmp and jpeg_destroy_decompress
 * of the caller. */
static int decodeRows(struct jpeg_decompress_struct* info, int leastWidth, int leastHeight, JpegPixelsFor pixelsFor,
                      void* context, JpegDecoded* decoded)
{
    unsigned char* pixels;
    int stride = 0;
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK)
        return 0;
    info->out_color_space = JCS_EXT_BGRX;
    chooseCoveringScale(info, leastWidth, leastHeight);
    if (!jpeg_start_decompress(info))
        return 0;
    decoded->imageWidth = (int)info->image_width;
    decoded->imageHeight = (int)info->image_height;
    decoded->width = (int)info->output_width;
    decoded->height = (int)info->output_height;
    pixels = pixelsFor(context, decoded->width, decoded->height, &stride);
    if (!pixels)
        return 0;
    /* Each read makes at least one row or the data has run out (the memory
     * source then warns, and the warning stops us), so this ends. */
    while (info->output_scanline < info->output_height) {
        JSAMPROW rows[RowsPerRead];
        JDIMENSION wanted = info->output_height - info->output_scanline, at;
        if (wanted > RowsPerRead)
            wanted = RowsPerRead;
        for (at = 0; at < wanted; ++at)
            rows[at] = pixels + (size_t)(info->output_scanline + at) * (size_t)stride;
        if (jpeg_read_scanlines(info, rows, wanted) == 0)
            return 0;
    }
    return 1;
}

int jpegDecodeCovering(const unsigned char* bytes, size_t length, int leastWidth, int leastHeight,
                       JpegPixelsFor pixelsFor, void* context, JpegDecoded* decoded)
{
    struct jpeg_decompress_struct info;
    DecodeFailure failure;
    int whole = 0;
    if (!bytes || length == 0 || length > 0x7FFFFFFF || !pixelsFor || !decoded)
        return 0;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = failAtError;
    failure.manager.emit_message = failAtWarning;
    failure.manager.output_message = sayNothing;
    if (setjmp(failure.back)) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, (unsigned long)length);
    whole = decodeRows(&info, leastWidth, leastHeight, pixelsFor, context, decoded);
    jpeg_destroy_decompress(&info);
    return whole;
}
