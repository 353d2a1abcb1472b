#include "quiz/picture_size.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

std::string jpeg(const std::string& segments)
{
    return "\xFF\xD8"s + segments + "\xFF\xD9"s;
}

// A start-of-frame segment of `marker` stating width x height.
std::string frame(char marker, int width, int height)
{
    return "\xFF"s + marker + "\x00\x11\x08"s + char(height >> 8) + char(height & 0xFF) + char(width >> 8)
           + char(width & 0xFF) + std::string(12, '\x01');
}

std::string gif(int width, int height, const std::string& rest = "", char flags = 0)
{
    return "GIF89a"s + char(width & 0xFF) + char(width >> 8) + char(height & 0xFF) + char(height >> 8) + flags
           + "\x00\x00"s + rest;
}

std::string bmp(int headerSize, int width, int height)
{
    std::string bytes = "BM"s + std::string(12, '\0');
    auto put32 = [&bytes](int value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes += char((unsigned(value) >> shift) & 0xFF);
    };
    put32(headerSize);
    if (headerSize == 12) {
        bytes += char(width & 0xFF), bytes += char(width >> 8), bytes += char(height & 0xFF), bytes += char(height >> 8);
    } else {
        put32(width), put32(height);
    }
    return bytes + std::string(32, '\0');
}

TEST(PictureSize, StatedSizesAndWhetherThePlayerDecodesThem)
{
    struct Row { const char* name; std::string bytes; PictureSize size; bool decodable; };
    const Row rows[] = {
        {"baseline JPEG after an APP0 segment", jpeg("\xFF\xE0\x00\x04JF"s + frame('\xC0', 800, 600)), {true, 800, 600}, true},
        {"progressive JPEG, fill bytes first", jpeg("\xFF\xFF"s + frame('\xC2', 130, 65)), {true, 130, 65}, true},
        {"JPEG stating 20000 x 20000", jpeg(frame('\xC0', 20000, 20000)), {true, 20000, 20000}, false},
        {"JPEG at the largest side", jpeg(frame('\xC1', 4096, 4096)), {true, 4096, 4096}, true},
        {"JPEG one past it", jpeg(frame('\xC0', 4097, 10)), {true, 4097, 10}, false},
        {"JPEG whose huffman table is no frame", jpeg("\xFF\xC4\x00\x04\x00\x00"s + frame('\xC0', 20, 10)), {true, 20, 10}, true},
        {"JPEG without a frame header", jpeg("\xFF\xE0\x00\x04JF\xFF\xDA\x00\x02"s), {}, false},
        {"JPEG cut in its frame header", ("\xFF\xD8"s + frame('\xC0', 20, 10)).substr(0, 8), {}, false},
        {"JPEG segment running past the end", jpeg("\xFF\xE1\xFF\xFF"s), {}, false},
        {"JPEG segment of length 0", "\xFF\xD8\xFF\xE0\x00\x00\xFF\xC0"s, {}, false},
        {"garbage after the JPEG mark", "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00not a picture"s, {}, false},
        {"GIF logical screen", gif(520, 520), {true, 520, 520}, true},
        {"GIF whose image is larger than its screen", gif(10, 10, "\x2C\x00\x00\x00\x00\x20\x4E\x20\x4E\x00"s),
         {true, 20000, 20000}, false},
        // a table of two colours, a control extension, then an image wider than the screen
        {"GIF with a colour table and an extension",
         gif(4, 4, std::string(6, '\0') + "\x21\xF9\x01\x00\x00\x2C\x00\x00\x00\x00\x09\x00\x04\x00"s, '\x80'),
         {true, 9, 4}, true},
        {"GIF of zero width", gif(0, 5), {true, 0, 5}, false},
        {"BMP, classic header", bmp(40, 260, 260), {true, 260, 260}, true},
        {"BMP stored top down", bmp(40, 130, -65), {true, 130, 65}, true},
        {"BMP, oldest header", bmp(12, 16, 8), {true, 16, 8}, true},
        {"BMP stating 30000 wide", bmp(40, 30000, 2), {true, 30000, 2}, false},
        {"BMP with an unknown header", bmp(20, 8, 8), {}, false},
        {"PNG", "\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR"s, {}, false},
        {"three bytes", "GIF"s, {}, false},
    };
    for (const Row& row : rows) {
        auto bytes = reinterpret_cast<const uint8_t*>(row.bytes.data());
        PictureSize size = statedPictureSize(bytes, row.bytes.size());
        EXPECT_EQ(size.known, row.size.known) << row.name;
        if (row.size.known) {
            EXPECT_EQ(size.width, row.size.width) << row.name;
            EXPECT_EQ(size.height, row.size.height) << row.name;
        }
        EXPECT_EQ(pictureSizeIsDecodable(size), row.decodable) << row.name;
    }
}

// What the board shows a picture at: the board lays it out at this size
// from the header alone, so a wrong figure moves the picture once decoded.
TEST(PictureSize, FittedIntoTheBoardsSquareTheAspectKeptAndCutToWholePixels)
{
    struct Row {
        const char* name;
        PictureSize source;
        int boxWidth, boxHeight;
        PictureSize fitted;
    };
    const Row rows[] = {
        {"a photo, shrunk to the box's width", {true, 800, 600}, 260, 260, {true, 260, 195}},
        {"wide, enlarged", {true, 130, 65}, 260, 260, {true, 260, 130}},
        {"tall, shrunk to the box's height", {true, 100, 200}, 260, 260, {true, 130, 260}},
        {"square, enlarged", {true, 130, 130}, 260, 260, {true, 260, 260}},
        {"the box's own size", {true, 260, 260}, 260, 260, {true, 260, 260}},
        {"a third of a pixel cut off the height", {true, 300, 200}, 260, 260, {true, 260, 173}},
        {"most of a pixel cut off the width", {true, 199, 301}, 260, 260, {true, 171, 260}},
        {"a tiny tall picture touches the top and bottom", {true, 3, 7}, 260, 260, {true, 111, 260}},
        {"a sliver thinner than a pixel once shrunk", {true, 4096, 1}, 260, 260, {true, 260, 0}},
        {"a box that is not square", {true, 200, 100}, 200, 150, {true, 200, 100}},
        {"no size known", {false, 0, 0}, 260, 260, {false, 0, 0}},
        {"a side of zero", {true, 0, 5}, 260, 260, {false, 0, 0}},
        {"a negative side", {true, 5, -5}, 260, 260, {false, 0, 0}},
    };
    for (const Row& row : rows) {
        PictureSize fitted = fittedPictureSize(row.source, row.boxWidth, row.boxHeight);
        EXPECT_EQ(fitted.known, row.fitted.known) << row.name;
        EXPECT_EQ(fitted.width, row.fitted.width) << row.name;
        EXPECT_EQ(fitted.height, row.fitted.height) << row.name;
    }
}

}  // namespace
