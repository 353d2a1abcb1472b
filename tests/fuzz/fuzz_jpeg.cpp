// Any bytes as a JPEG picture that the board decodes reduced: past the
// stated-size guard the player puts in front, into rows it hands out, at
// several fitted sizes, then resampled to the fitted size. Crashes,
// sanitizer reports and broken promises of the decoder fail.
#include "quiz/jpeg_decode.h"
#include "quiz/picture_resample.h"
#include "quiz/picture_size.h"

#include <cstdlib>
#include <vector>

namespace {

struct Rows {
    std::vector<unsigned char> pixels;
    int asked = 0, width = 0, height = 0;
};

unsigned char* rowsFor(void* context, int width, int height, int* stride)
{
    auto* rows = static_cast<Rows*>(context);
    ++rows->asked;
    if (width <= 0 || height <= 0 || width > LargestPictureSide || height > LargestPictureSide)
        std::abort();
    rows->width = width;
    rows->height = height;
    rows->pixels.assign(std::size_t(width) * std::size_t(height) * 4, 0);
    *stride = width * 4;
    return rows->pixels.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t length)
{
    PictureSize stated = statedPictureSize(bytes, length);
    if (!pictureSizeIsDecodable(stated))
        return 0;
    for (int side : {260, 64, 1}) {
        PictureSize least = fittedPictureSize(stated, side, side);
        Rows rows;
        JpegDecoded decoded = {};
        if (!jpegDecodeCovering(bytes, length, least.width, least.height, rowsFor, &rows, &decoded))
            continue;
        // Rows asked for once, at the decoded size, which is the picture's
        // own or a reduction that still covers the fitted size.
        if (rows.asked != 1 || rows.width != decoded.width || rows.height != decoded.height)
            std::abort();
        if (decoded.imageWidth != stated.width || decoded.imageHeight != stated.height)
            std::abort();
        bool whole = decoded.width == decoded.imageWidth && decoded.height == decoded.imageHeight;
        bool covering = decoded.width >= least.width && decoded.height >= least.height
                        && decoded.width <= decoded.imageWidth && decoded.height <= decoded.imageHeight;
        if (!whole && !covering)
            std::abort();
        PictureSize fitted = fittedPictureSize({true, decoded.imageWidth, decoded.imageHeight}, side, side);
        // A sliver of a picture fits into no whole pixel: nothing to show.
        if (fitted.width < 1 || fitted.height < 1)
            continue;
        std::vector<uint8_t> shown(std::size_t(fitted.width) * std::size_t(fitted.height) * 4);
        if (!resamplePixels({rows.pixels.data(), rows.width, rows.height, std::ptrdiff_t(rows.width) * 4},
                            {shown.data(), fitted.width, fitted.height, std::ptrdiff_t(fitted.width) * 4}))
            std::abort();
    }
    return 0;
}
