#include "quiz/picture_resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct Image {
    int width, height;
    std::vector<uint8_t> bytes;  // 4 a pixel, rows packed
    Image(int w, int h, uint8_t fill = 0) : width(w), height(h), bytes(std::size_t(w) * std::size_t(h) * 4, fill) {}
    uint8_t* at(int x, int y) { return bytes.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4; }
    PixelRows rows() const { return {bytes.data(), width, height, std::ptrdiff_t(width) * 4}; }
    PixelTarget target() { return {bytes.data(), width, height, std::ptrdiff_t(width) * 4}; }
};

void put(Image& image, int x, int y, uint8_t blue, uint8_t green, uint8_t red)
{
    uint8_t* pixel = image.at(x, y);
    pixel[0] = blue, pixel[1] = green, pixel[2] = red, pixel[3] = 0xFF;
}

struct Sizes {
    int fromWidth, fromHeight, toWidth, toHeight;
};

// Shrunk by the reduced decoder's usual leftovers, by large ratios,
// enlarged, kept, and stretched one way while shrunk the other.
const Sizes resampledSizes[] = {
    {300, 225, 260, 195}, {1000, 750, 260, 195}, {4096, 3, 260, 1}, {130, 130, 260, 260},
    {1, 1, 260, 260},     {7, 3, 2, 5},         {260, 260, 260, 260}, {3, 1000, 1, 260},
};

TEST(PictureResample, AFlatPictureStaysExactlyFlatAtEverySize)
{
    for (const Sizes& sizes : resampledSizes) {
        SCOPED_TRACE(testing::Message() << sizes.fromWidth << "x" << sizes.fromHeight << " to " << sizes.toWidth
                                        << "x" << sizes.toHeight);
        Image from(sizes.fromWidth, sizes.fromHeight);
        for (int y = 0; y < from.height; ++y)
            for (int x = 0; x < from.width; ++x)
                put(from, x, y, 17, 128, 250);
        Image to(sizes.toWidth, sizes.toHeight, 0xAA);
        ASSERT_TRUE(resamplePixels(from.rows(), to.target()));
        for (int y = 0; y < to.height; ++y)
            for (int x = 0; x < to.width; ++x) {
                const uint8_t* pixel = to.at(x, y);
                ASSERT_EQ(pixel[0], 17);
                ASSERT_EQ(pixel[1], 128);
                ASSERT_EQ(pixel[2], 250);
                ASSERT_EQ(pixel[3], 0) << "the unused byte is cleared";
            }
    }
}

TEST(PictureResample, KeepingTheSizeCopiesEveryPixel)
{
    Image from(37, 11);
    for (int y = 0; y < from.height; ++y)
        for (int x = 0; x < from.width; ++x)
            put(from, x, y, uint8_t(x * 7 + y), uint8_t(x * y), uint8_t(255 - x * 3));
    Image to(37, 11);
    ASSERT_TRUE(resamplePixels(from.rows(), to.target()));
    for (int y = 0; y < to.height; ++y)
        for (int x = 0; x < to.width; ++x)
            for (int channel = 0; channel < 3; ++channel)
                ASSERT_EQ(to.at(x, y)[channel], from.at(x, y)[channel]) << x << "," << y;
}

// One-pixel stripes shrunk to a third: every output pixel averages the
// stripes under it, where picking source pixels would show black or white.
TEST(PictureResample, ShrinkingAveragesFineDetailInsteadOfPickingPixels)
{
    Image from(300, 90);
    for (int y = 0; y < from.height; ++y)
        for (int x = 0; x < from.width; ++x) {
            uint8_t level = (x + y) % 2 ? 255 : 0;
            put(from, x, y, level, level, level);
        }
    Image to(100, 30);
    ASSERT_TRUE(resamplePixels(from.rows(), to.target()));
    for (int y = 0; y < to.height; ++y)
        for (int x = 0; x < to.width; ++x)
            ASSERT_TRUE(to.at(x, y)[1] >= 85 && to.at(x, y)[1] <= 170) << x << "," << y << ": " << int(to.at(x, y)[1]);
}

// A ramp stays a ramp, from its first level to its last, whichever way it
// is resampled: nothing is shifted, mirrored or overshoots.
TEST(PictureResample, ARampKeepsItsOrderAndItsEnds)
{
    for (const Sizes& sizes : {Sizes{256, 4, 64, 4}, Sizes{64, 4, 256, 4}, Sizes{256, 4, 255, 4}}) {
        SCOPED_TRACE(testing::Message() << sizes.fromWidth << " to " << sizes.toWidth);
        Image from(sizes.fromWidth, sizes.fromHeight);
        for (int y = 0; y < from.height; ++y)
            for (int x = 0; x < from.width; ++x) {
                uint8_t level = uint8_t(x * 255 / (from.width - 1));
                put(from, x, y, level, uint8_t(255 - level), 0);
            }
        Image to(sizes.toWidth, sizes.toHeight);
        ASSERT_TRUE(resamplePixels(from.rows(), to.target()));
        int last = to.width - 1;
        EXPECT_LE(to.at(0, 0)[0], 4);
        EXPECT_GE(to.at(last, 0)[0], 251);
        for (int x = 1; x < to.width; ++x) {
            ASSERT_GE(to.at(x, 2)[0], to.at(x - 1, 2)[0]) << x;
            ASSERT_LE(to.at(x, 2)[1], to.at(x - 1, 2)[1]) << x;
            ASSERT_EQ(to.at(x, 2)[2], 0);
        }
    }
}

TEST(PictureResample, RefusesEmptyOversizedOrOverlappingRowsAndLeavesTheTargetAlone)
{
    Image from(4, 4, 9);
    Image to(2, 2, 0x55);
    const PixelRows refusedFrom[] = {
        {nullptr, 4, 4, 16},
        {from.bytes.data(), 0, 4, 16},
        {from.bytes.data(), 4, -1, 16},
        {from.bytes.data(), 4, 4, 15},  // rows would overlap
        {from.bytes.data(), LargestResampledSide + 1, 1, std::ptrdiff_t(LargestResampledSide + 1) * 4},
    };
    for (const PixelRows& rows : refusedFrom)
        EXPECT_FALSE(resamplePixels(rows, to.target()));
    EXPECT_FALSE(resamplePixels(from.rows(), {to.bytes.data(), 2, 0, 8}));
    EXPECT_FALSE(resamplePixels(from.rows(), {to.bytes.data(), 2, 2, 4}));
    EXPECT_TRUE(std::all_of(to.bytes.begin(), to.bytes.end(), [](uint8_t byte) { return byte == 0x55; }));
}

}  // namespace
