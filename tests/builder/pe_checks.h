// Checks shared by the tests of the program-file writer: what must hold of
// every image it makes, and its resources as label -> bytes.
#pragma once

#include "tools/builder/program/pe_checksum.h"
#include "tools/builder/program/pe_image.h"
#include "tools/builder/program/pe_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Every resource as "label" -> bytes, read back through the reader; the
// label names a code page other than 0.
inline std::map<std::string, std::string> resourcesOf(const Bytes& program)
{
    PeParse parse = parsePeImage(program);
    EXPECT_EQ(parse.problem, "");
    ResourceRead read = readPeResources(program, parse.image);
    EXPECT_EQ(read.problem, "");
    std::map<std::string, std::string> found;
    for (const PeResource& resource : read.resources) {
        auto bytes = resourceBytes(program, resource);
        std::string codePage = resource.codePage ? " code page " + std::to_string(resource.codePage) : "";
        found[resourceLabel(resource) + codePage] = std::string(bytes.begin(), bytes.end());
    }
    return found;
}

inline uint64_t alignedUp(uint64_t value, uint64_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

// What must hold of any image the writer makes: sections aligned, the
// image size their end, the resource directory exactly the last .rsrc
// section, data 8-byte aligned, and a non-zero checksum the right one.
inline void expectConsistent(const Bytes& out, const std::string& context)
{
    PeParse parse = parsePeImage(out);
    ASSERT_EQ(parse.problem, "") << context;
    const PeImage& image = parse.image;
    uint64_t imageEnd = 0;
    for (const PeSection& section : image.sections) {
        EXPECT_EQ(section.virtualAddress % image.sectionAlignment, 0u) << context << " " << section.name;
        if (section.rawSize) {
            EXPECT_EQ(section.rawOffset % image.fileAlignment, 0u) << context << " " << section.name;
            EXPECT_EQ(section.rawSize % image.fileAlignment, 0u) << context << " " << section.name;
        }
        imageEnd = std::max(imageEnd, alignedUp(uint64_t(section.virtualAddress)
                                                    + std::max(section.virtualSize, section.rawSize),
                                                image.sectionAlignment));
    }
    EXPECT_EQ(image.sizeOfImage, imageEnd) << context;
    PeDataDirectory resources = dataDirectory(image, ResourceDirectoryIndex);
    const PeSection* section = sectionAt(image, resources.rva);
    ASSERT_TRUE(section) << context;
    EXPECT_EQ(section->virtualAddress, resources.rva) << context;
    EXPECT_EQ(section->virtualSize, resources.size) << context;
    EXPECT_EQ(section->name, ".rsrc") << context;
    ResourceRead read = readPeResources(out, image);
    ASSERT_EQ(read.problem, "") << context;
    for (const PeResource& resource : read.resources) {
        EXPECT_EQ(resource.dataRva % 8, 0u) << context << " " << resourceLabel(resource);
        EXPECT_GE(resource.dataRva, section->virtualAddress) << context;
    }
    if (image.checkSum != 0)
        EXPECT_EQ(image.checkSum, peCheckSum(out, image.optionalHeaderOffset + CheckSumField)) << context;
}

