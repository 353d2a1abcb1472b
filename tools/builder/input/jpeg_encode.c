#include "tools/builder/input/jpeg_encode.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

#include "jpeglib.h"

/* The library's error handler: its own exit ends the process, ours jumps
 * back to jpegEncodeRows. */
typedef struct EncodeFailure {
    struct jpeg_error_mgr manager; /* first: the library sees only this */
    jmp_buf back;
} EncodeFailure;

static void failAtError(j_common_ptr info)
{
    longjmp(((EncodeFailure*)info->err)->back, 1);
}

static void sayNothing(j_common_ptr info)
{
    (void)info;
}

/* Everything that may fail, between the setjmp and jpeg_destroy_compress
 * of the caller. The settings name every choice the output depends on
 * rather than trusting the library's defaults to stay put. */
static void encodeRows(struct jpeg_compress_struct* info, const unsigned char* first, int width, int height,
                       ptrdiff_t stride, int quality)
{
    info->image_width = (JDIMENSION)width;
    info->image_height = (JDIMENSION)height;
    info->input_components = 4;
    info->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(info);
    jpeg_set_colorspace(info, JCS_YCbCr);
    jpeg_set_quality(info, quality, TRUE);
    info->comp_info[0].h_samp_factor = 2;
    info->comp_info[0].v_samp_factor = 2;
    info->comp_info[1].h_samp_factor = info->comp_info[1].v_samp_factor = 1;
    info->comp_info[2].h_samp_factor = info->comp_info[2].v_samp_factor = 1;
    info->dct_method = JDCT_ISLOW;
    info->optimize_coding = FALSE;
    info->write_JFIF_header = TRUE;
    info->density_unit = 0;
    info->X_density = info->Y_density = 1;
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        JSAMPROW row = (JSAMPROW)(first + (ptrdiff_t)info->next_scanline * stride);
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
}

int jpegEncodeRows(const unsigned char* first, int width, int height, ptrdiff_t stride, int quality,
                   unsigned char** bytes, size_t* length)
{
    struct jpeg_compress_struct info;
    EncodeFailure failure;
    /* volatile: read after the longjmp, changed after the setjmp. */
    unsigned char* volatile written = NULL;
    unsigned long volatile writtenLength = 0;
    if (!first || width <= 0 || height <= 0 || width > 65500 || height > 65500 || quality < 1 || quality > 100
        || !bytes || !length)
        return 0;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = failAtError;
    failure.manager.output_message = sayNothing;
    if (setjmp(failure.back)) {
        jpeg_destroy_compress(&info);
        free(written);
        return 0;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, (unsigned char**)&written, (unsigned long*)&writtenLength);
    encodeRows(&info, first, width, height, stride, quality);
    jpeg_destroy_compress(&info);
    *bytes = written;
    *length = writtenLength;
    return 1;
}
