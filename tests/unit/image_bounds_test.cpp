#include "quiz/image_bounds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Section {
    uint32_t address, mappedSize, rawSize, rawPointer;
};

// The headers of a loaded image as the loader maps them: DOS header, PE
// signature, file header, an optional header of `optionalSize` bytes stating
// the image size, and the section table.
std::vector<uint8_t> headersOf(uint32_t imageSize, const std::vector<Section>& sections, uint16_t optionalSize = 240)
{
    std::vector<uint8_t> bytes(4096, 0);
    auto put32 = [&bytes](std::size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); };
    auto put16 = [&bytes](std::size_t at, uint16_t value) { std::memcpy(&bytes[at], &value, 2); };
    bytes[0] = 'M', bytes[1] = 'Z';
    put32(0x3C, 0x80);
    std::memcpy(&bytes[0x80], "PE\0\0", 4);
    put16(0x84 + 2, uint16_t(sections.size()));
    put16(0x84 + 16, optionalSize);
    std::size_t optional = 0x84 + 20;
    put16(optional, 0x20B);
    put32(optional + 56, imageSize);
    std::size_t table = optional + optionalSize;
    for (const Section& section : sections) {
        put32(table + 8, section.mappedSize);
        put32(table + 12, section.address);
        put32(table + 16, section.rawSize);
        put32(table + 20, section.rawPointer);
        table += 40;
    }
    return bytes;
}

TEST(ImageBounds, ResourceBytesMustLieInTheImageAndTheFile)
{
    // .text at 0x1000, .rsrc at 0x5000 (0x3000 bytes from file offset 0x4400), .bss without file data.
    const std::vector<Section> sections = {
        {0x1000, 0x3000, 0x3000, 0x400}, {0x5000, 0x2E00, 0x3000, 0x4400}, {0x8000, 0x2000, 0, 0}};
    const std::vector<uint8_t> headers = headersOf(0xA000, sections);
    struct Row { const char* name; uint64_t fileSize; uint64_t rva, size; bool whole; uint64_t fileOffset = 0; };
    const Row rows[] = {
        {"inside the resource section", 0x7400, 0x5100, 0x200, true, 0x4500},
        {"up to the section's last byte", 0x7400, 0x5000, 0x3000, true, 0x4400},
        {"claims 16 MB", 0x7400, 0x5100, 16 * 1024 * 1024, false},
        {"past the section's file data", 0x7400, 0x7F00, 0x200, false},
        {"in a section with no file data", 0x7400, 0x8000, 0x10, false},
        {"outside every section", 0x7400, 0x4800, 0x10, false},
        {"beyond the image", 0x7400, 0x7FFF0000, 0x10, false},
        {"the file cut inside it", 0x4600, 0x5100, 0x200, false},
        {"the file cut right after it", 0x4700, 0x5100, 0x200, true, 0x4500},
        {"address and size that wrap", 0x7400, 0x5100, 0xFFFFFFFFFFFFFF00ull, false},
    };
    for (const Row& row : rows) {
        uint64_t fileOffset = 0;
        EXPECT_EQ(residentBytesAreWhole(headers.data(), headers.size(), row.fileSize, row.rva, row.size, &fileOffset),
                  row.whole)
            << row.name;
        EXPECT_EQ(fileOffset, row.fileOffset) << row.name << ": where the bytes lie in the file";
    }
}

TEST(ImageBounds, HeadersThatRunPastWhatIsMappedHoldNothing)
{
    std::vector<uint8_t> headers = headersOf(0xA000, {{0x1000, 0x1000, 0x1000, 0x400}});
    EXPECT_TRUE(residentBytesAreWhole(headers.data(), headers.size(), 0x1400, 0x1000, 0x10));
    EXPECT_FALSE(residentBytesAreWhole(headers.data(), 0x100, 0x1400, 0x1000, 0x10)) << "section table cut off";
    EXPECT_FALSE(residentBytesAreWhole(nullptr, 0, 0x1400, 0x1000, 0x10));
    std::vector<uint8_t> farAway = headers;
    farAway[0x3C] = 0xF0, farAway[0x3D] = 0xFF;  // the PE header past the mapped page
    EXPECT_FALSE(residentBytesAreWhole(farAway.data(), farAway.size(), 0x1400, 0x1000, 0x10));
    std::vector<uint8_t> manySections = headersOf(0xA000, {{0x1000, 0x1000, 0x1000, 0x400}});
    manySections[0x86] = 0xFF, manySections[0x87] = 0xFF;  // 65535 sections
    EXPECT_FALSE(residentBytesAreWhole(manySections.data(), manySections.size(), 0x1400, 0x1000, 0x10));
}

}  // namespace
