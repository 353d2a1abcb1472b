#include "tools/builder/input/picture_fitting.h"

#include "quiz/jpeg_decode.h"
#include "quiz/picture_resample.h"
#include "quiz/picture_size.h"
#include "third_party/lodepng/lodepng.h"
#include "tools/builder/input/bmp_decode.h"
#include "tools/builder/input/gif_decode.h"
#include "tools/builder/input/jpeg_encode.h"
#include "tools/builder/input/picture_bitmap.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool isPng(const uint8_t* bytes, std::size_t length)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return length >= 8 && std::equal(signature, signature + 8, bytes);
}

// The PNG header's size, read without decoding.
PictureSize pngSize(const uint8_t* bytes, std::size_t length)
{
    unsigned width = 0, height = 0;
    LodePNGState state;
    lodepng_state_init(&state);
    unsigned error = lodepng_inspect(&width, &height, &state, bytes, length);
    lodepng_state_cleanup(&state);
    if (error || width > 65535 || height > 65535)
        return {};
    return {true, int(width), int(height)};
}

// RGBA laid on white, as BGRX.
PictureBitmap decodePng(const uint8_t* bytes, std::size_t length)
{
    unsigned char* rgba = nullptr;
    unsigned width = 0, height = 0;
    if (lodepng_decode32(&rgba, &width, &height, bytes, length) != 0) {
        std::free(rgba);
        return PictureBitmap{0, 0, {}, "the PNG file is damaged or cut short"};
    }
    PictureBitmap bitmap = whiteBitmap(int(width), int(height));
    const uint8_t* from = rgba;
    for (std::size_t at = 0; at < bitmap.pixels.size(); at += 4, from += 4) {
        unsigned alpha = from[3];
        for (int channel = 0; channel < 3; ++channel)
            bitmap.pixels[at + 2 - channel] = uint8_t((from[channel] * alpha + 255 * (255 - alpha) + 127) / 255);
        bitmap.pixels[at + 3] = 0;
    }
    std::free(rgba);
    return bitmap;
}

// The JPEG decoder's rows go straight into a bitmap.
unsigned char* rowsOfBitmap(void* context, int width, int height, int* stride)
{
    PictureBitmap& bitmap = *static_cast<PictureBitmap*>(context);
    bitmap = whiteBitmap(width, height);
    *stride = width * 4;
    return bitmap.problem.empty() ? bitmap.pixels.data() : nullptr;
}

// Decoded at the smallest DCT scale that still covers the fitted size.
PictureBitmap decodeJpeg(const uint8_t* bytes, std::size_t length, const PictureSize& fitted)
{
    PictureBitmap bitmap;
    JpegDecoded decoded{};
    if (!jpegDecodeCovering(bytes, length, fitted.width, fitted.height, rowsOfBitmap, &bitmap, &decoded)) {
        if (bitmap.problem.empty())
            bitmap.problem = "the JPEG file is damaged or cut short";
        bitmap.pixels.clear();
    }
    return bitmap;
}

PictureBitmap decodePicture(const uint8_t* bytes, std::size_t length, const PictureSize& fitted)
{
    if (isPng(bytes, length))
        return decodePng(bytes, length);
    if (bytes[0] == 0xFF && bytes[1] == 0xD8)
        return decodeJpeg(bytes, length, fitted);
    if (bytes[0] == 'G')
        return decodeGif(bytes, length);
    return decodeBmp(bytes, length);
}

// A JPEG is decoded already shrunk (to 1/8 at most), so one up to the
// resampler's limit fits within the bitmap the others may take whole:
// phones' 48-megapixel photos are over the player's own limit.
int largestSourceSide(const uint8_t* bytes)
{
    return bytes[0] == 0xFF && bytes[1] == 0xD8 ? LargestResampledSide : LargestPictureSide;
}

std::string sizeProblem(const PictureSize& size, int largest)
{
    return std::to_string(size.width) + " x " + std::to_string(size.height) + " pixels, at most "
           + std::to_string(largest) + " on a side";
}

}  // namespace

PictureFitting fitPicture(const uint8_t* bytes, std::size_t length)
{
    PictureSize stated = isPng(bytes, length) ? pngSize(bytes, length) : statedPictureSize(bytes, length);
    if (!stated.known)
        return {{}, "not a picture the builder can read (JPEG, PNG, GIF or BMP), or its header is damaged"};
    bool small = stated.width <= FittedPictureSide && stated.height <= FittedPictureSide;
    if (small && !isPng(bytes, length))
        return {};
    int largest = largestSourceSide(bytes);
    if (stated.width <= 0 || stated.height <= 0 || stated.width > largest || stated.height > largest)
        return {{}, sizeProblem(stated, largest)};
    PictureSize fitted = small ? stated : fittedPictureSize(stated, FittedPictureSide, FittedPictureSide);
    fitted.width = fitted.width < 1 ? 1 : fitted.width;
    fitted.height = fitted.height < 1 ? 1 : fitted.height;
    PictureBitmap decoded = decodePicture(bytes, length, fitted);
    if (!decoded.problem.empty())
        return {{}, decoded.problem};
    std::vector<uint8_t> pixels(std::size_t(fitted.width) * std::size_t(fitted.height) * 4);
    PixelRows from{decoded.pixels.data(), decoded.width, decoded.height, std::ptrdiff_t(decoded.width) * 4};
    PixelTarget to{pixels.data(), fitted.width, fitted.height, std::ptrdiff_t(fitted.width) * 4};
    if (!resamplePixels(from, to))
        return {{}, "not enough memory to shrink it"};
    unsigned char* encoded = nullptr;
    std::size_t encodedLength = 0;
    if (!jpegEncodeRows(pixels.data(), fitted.width, fitted.height, to.stride, FittedPictureQuality, &encoded,
                        &encodedLength))
        return {{}, "not enough memory to store it as JPEG"};
    PictureFitting fitting{std::vector<uint8_t>(encoded, encoded + encodedLength), "", !small};
    std::free(encoded);
    return fitting;
}
