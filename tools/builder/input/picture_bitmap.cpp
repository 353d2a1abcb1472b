#include "tools/builder/input/picture_bitmap.h"

#include "quiz/picture_size.h"

PictureBitmap whiteBitmap(int width, int height)
{
    PictureBitmap bitmap;
    if (width <= 0 || height <= 0) {
        bitmap.problem = "the picture has no pixels";
        return bitmap;
    }
    if (width > LargestPictureSide || height > LargestPictureSide) {
        bitmap.problem = std::to_string(width) + " x " + std::to_string(height) + " pixels, at most "
                         + std::to_string(LargestPictureSide) + " on a side";
        return bitmap;
    }
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels.assign(std::size_t(width) * std::size_t(height) * 4, 0xFF);
    return bitmap;
}
