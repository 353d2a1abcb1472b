#include "quiz/jpeg_decode.h"
#include "tests/builder/picture_makers.h"
#include "tools/builder/input/picture_fitting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Red above, blue below, opaque: a swapped channel or an upside-down row
// order shows.
Rgba redOverBlue(int, int y, int height)
{
    return y < height / 2 ? Rgba{220, 30, 30, 255} : Rgba{30, 30, 220, 255};
}

struct Decoded {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

unsigned char* rowsOf(void* context, int width, int height, int* stride)
{
    auto& decoded = *static_cast<Decoded*>(context);
    decoded.width = width, decoded.height = height;
    decoded.pixels.assign(std::size_t(width) * height * 4, 0);
    *stride = width * 4;
    return decoded.pixels.data();
}

Decoded decodedJpeg(const Bytes& bytes)
{
    Decoded decoded;
    JpegDecoded sizes{};
    EXPECT_EQ(jpegDecodeCovering(bytes.data(), bytes.size(), 1 << 20, 1 << 20, rowsOf, &decoded, &sizes), 1);
    return decoded;
}

// Red, green, blue at a point, as a text that names what differs.
std::string colourAt(const Decoded& decoded, int x, int y)
{
    const uint8_t* pixel = decoded.pixels.data() + (std::size_t(y) * decoded.width + x) * 4;
    auto level = [](uint8_t value) { return value > 170 ? "high" : value < 85 ? "low" : "mid"; };
    return std::string(level(pixel[2])) + "/" + level(pixel[1]) + "/" + level(pixel[0]);
}

struct FittedCase {
    const char* name;
    Bytes (*make)(int, int, const PixelMaker&);
    int width, height;
    int fittedWidth, fittedHeight;
};

const FittedCase fittedCases[] = {
    {"jpeg landscape", jpegOf, 4000, 3000, 520, 390},
    {"jpeg portrait", jpegOf, 900, 1200, 390, 520},
    {"jpeg over the player's 4096 pixels", jpegOf, 5000, 200, 520, 20},
    {"png", pngOf, 600, 800, 390, 520},
    {"gif", gifOf, 1040, 300, 520, 150},
    {"bmp", bmpOf, 700, 700, 520, 520},
};

TEST(PictureFitting, LongSideBecomes520AspectAndColoursKept)
{
    for (const FittedCase& test : fittedCases) {
        SCOPED_TRACE(test.name);
        int height = test.height;
        Bytes input = test.make(test.width, test.height, [&](int x, int y) { return redOverBlue(x, y, height); });
        ASSERT_FALSE(input.empty());
        PictureFitting fitted = fitPicture(input.data(), input.size());
        ASSERT_EQ(fitted.problem, "");
        ASSERT_FALSE(fitted.bytes.empty());
        EXPECT_TRUE(fitted.shrunk);
        EXPECT_EQ(fitted.bytes[0], 0xFF);
        EXPECT_LT(fitted.bytes.size(), input.size());
        Decoded decoded = decodedJpeg(fitted.bytes);
        EXPECT_EQ(decoded.width, test.fittedWidth);
        EXPECT_EQ(decoded.height, test.fittedHeight);
        EXPECT_EQ(colourAt(decoded, decoded.width / 2, decoded.height / 4), "high/low/low");
        EXPECT_EQ(colourAt(decoded, decoded.width / 2, decoded.height * 3 / 4), "low/low/high");
    }
}

TEST(PictureFitting, TransparencyIsLaidOnWhite)
{
    // Left half transparent, right half half-transparent black.
    auto pixel = [](int x, int) { return x < 400 ? Rgba{0, 0, 0, 0} : Rgba{0, 0, 0, 128}; };
    for (auto make : {pngOf, gifOf}) {
        Bytes input = make(800, 600, pixel);
        PictureFitting fitted = fitPicture(input.data(), input.size());
        ASSERT_EQ(fitted.problem, "");
        Decoded decoded = decodedJpeg(fitted.bytes);
        ASSERT_EQ(decoded.width, 520);
        EXPECT_EQ(colourAt(decoded, 100, 200), "high/high/high");
        // The PNG's half-transparent black is grey; the GIF has no partial
        // transparency, so its black stays black.
        EXPECT_EQ(colourAt(decoded, 420, 200), make == pngOf ? "mid/mid/mid" : "low/low/low");
    }
}

TEST(PictureFitting, SmallEnoughPicturesAreKept)
{
    auto grey = [](int, int) { return Rgba{128, 128, 128, 255}; };
    const Bytes kept[] = {jpegOf(520, 300, grey), bmpOf(260, 260, grey), gifOf(300, 520, grey), bmpOf(64, 64, grey)};
    for (const Bytes& input : kept) {
        PictureFitting fitted = fitPicture(input.data(), input.size());
        EXPECT_EQ(fitted.problem, "");
        EXPECT_TRUE(fitted.bytes.empty());
    }
}

TEST(PictureFitting, SmallPngBecomesJpegOfTheSameSize)
{
    Bytes input = pngOf(260, 200, [](int x, int y) { return redOverBlue(x, y, 200); });
    PictureFitting fitted = fitPicture(input.data(), input.size());
    ASSERT_EQ(fitted.problem, "");
    EXPECT_FALSE(fitted.shrunk);
    Decoded decoded = decodedJpeg(fitted.bytes);
    EXPECT_EQ(decoded.width, 260);
    EXPECT_EQ(decoded.height, 200);
    EXPECT_EQ(colourAt(decoded, 130, 20), "high/low/low");
}

TEST(PictureFitting, SameBytesInSameBytesOut)
{
    auto gradient = [](int x, int y) { return Rgba{uint8_t(x), uint8_t(y), uint8_t(x ^ y), 255}; };
    for (auto make : {jpegOf, pngOf, bmpOf}) {
        Bytes input = make(1300, 700, gradient);
        PictureFitting first = fitPicture(input.data(), input.size());
        PictureFitting second = fitPicture(input.data(), input.size());
        ASSERT_FALSE(first.bytes.empty());
        EXPECT_EQ(first.bytes, second.bytes);
    }
}

Bytes cut(Bytes bytes, std::size_t length)
{
    bytes.resize(length);
    return bytes;
}

// A 24-bit BMP header stating its sides, with no pixels after it.
Bytes bmpStating(int width, int height)
{
    Bytes header = bmpOf(1, 1, [](int, int) { return Rgba{0, 0, 0, 255}; });
    for (int at = 0; at < 4; ++at) {
        header[18 + at] = uint8_t(uint32_t(width) >> 8 * at);
        header[22 + at] = uint8_t(uint32_t(height) >> 8 * at);
    }
    return header;
}

TEST(PictureFitting, DamagedPicturesGiveAProblem)
{
    auto noise = [](int x, int y) { return Rgba{uint8_t(x * 7), uint8_t(y * 13), uint8_t(x + y), 255}; };
    Bytes jpeg = jpegOf(1600, 1200, noise), png = pngOf(900, 700, noise), gif = gifOf(900, 700, noise),
          bmp = bmpOf(900, 700, noise);
    struct DamagedCase {
        const char* name;
        Bytes bytes;
        const char* problem;
    };
    const DamagedCase cases[] = {
        {"empty", {}, "not a picture"},
        {"jpeg cut in half", cut(jpeg, jpeg.size() / 2), "damaged or cut short"},
        {"jpeg header alone", cut(jpeg, 700), "damaged or cut short"},
        {"png cut", cut(png, png.size() - 5000), "damaged or cut short"},
        {"gif cut", cut(gif, gif.size() / 3), "damaged or cut short"},
        {"bmp cut", cut(bmp, bmp.size() - 1), "cut short"},
        {"bmp of 20000 x 20000", bmpStating(20000, 20000), "20000 x 20000 pixels, at most 4096 on a side"},
        {"bmp of 5000 x 1", bmpStating(5000, 1), "at most 4096 on a side"},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o'}, "not a picture"},
    };
    for (const DamagedCase& test : cases) {
        SCOPED_TRACE(test.name);
        PictureFitting fitted = fitPicture(test.bytes.data(), test.bytes.size());
        EXPECT_TRUE(fitted.bytes.empty());
        EXPECT_NE(fitted.problem.find(test.problem), std::string::npos) << fitted.problem;
    }
}

}  // namespace
