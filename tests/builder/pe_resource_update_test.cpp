// The program-file writer on crafted images: the resource section rebuilt
// in place when it is last, a new section after a .reloc, none at all
// before; kept resources byte for byte, dropped types gone, headers
// consistent (sizes, alignment, checksum), the overlay kept; refusals.
#include "tests/builder/pe_checks.h"
#include "tests/builder/pe_fixtures.h"
#include "tools/builder/program/pe_checksum.h"
#include "tools/builder/program/pe_image.h"
#include "tools/builder/program/pe_resource_update.h"
#include "tools/builder/program/pe_resources.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

const Bytes patch = bytesOf("packed quiz");
const Bytes picture = Bytes(5000, 0xAB);
const Bytes odd = bytesOf("odd");

struct PlacementRow {
    const char* what;
    CraftOptions options;
    bool appended;  // a section more than before
};

const PlacementRow placementRows[] = {
    {"PE32, resources last", {.wide = false}, false},
    {"PE32+, resources last", {.wide = true}, false},
    {"PE32, .reloc after the resources", {.wide = false, .reloc = true}, true},
    {"PE32+, .reloc after the resources", {.wide = true, .reloc = true}, true},
    {"PE32, no resources", {.wide = false, .resources = false}, true},
    {"PE32+, no resources, .reloc", {.wide = true, .reloc = true, .resources = false}, true},
    {"PE32, checksum", {.wide = false, .checkSum = true}, false},
    {"PE32+, .reloc and checksum", {.wide = true, .reloc = true, .checkSum = true}, true},
};

TEST(PeResourceUpdate, ResourcesComeBackWhereverTheSectionGoes)
{
    for (const PlacementRow& row : placementRows) {
        CraftedImage image = craftImage(row.options);
        PeImage before = parsePeImage(image.bytes).image;
        ImageUpdate update = replaceResources(image.bytes, {"PATCH", "IMG"},
                                              {{"PATCH", 104, patch}, {"IMG", 401, picture}, {"img", 10401, odd}});
        ASSERT_EQ(update.problem, "") << row.what;
        expectConsistent(update.bytes, row.what);

        std::map<std::string, std::string> expected = {
            {"PATCH 104", "packed quiz"}, {"IMG 401", std::string(picture.begin(), picture.end())}, {"IMG 10401", "odd"}};
        if (row.options.resources)
            expected["type 3 \"A\" (language 1036) code page 1252"] = craftedIconBytes;
        EXPECT_EQ(resourcesOf(update.bytes), expected) << row.what;

        PeImage after = parsePeImage(update.bytes).image;
        EXPECT_EQ(after.sections.size(), before.sections.size() + row.appended) << row.what;
        if (row.appended && row.options.resources)
            EXPECT_EQ(after.sections[1].name, ".oldrsrc") << row.what;
        if (!row.appended)
            EXPECT_EQ(dataDirectory(after, ResourceDirectoryIndex).rva, image.rsrcRva) << row.what;
        // The code stays as it was.
        EXPECT_TRUE(std::equal(image.bytes.begin() + 0x200, image.bytes.begin() + 0x400, update.bytes.begin() + 0x200))
            << row.what;
        uint32_t newRaw = after.sections.back().rawSize;
        uint32_t oldRaw = row.appended ? 0 : before.sections.back().rawSize;
        EXPECT_EQ(after.sizeOfInitializedData, before.sizeOfInitializedData + newRaw - oldRaw) << row.what;
        EXPECT_EQ(after.checkSum != 0, row.options.checkSum) << row.what;
        // On a page in the file, so that the loader can map it from there.
        EXPECT_EQ(sectionAt(after, dataDirectory(after, ResourceDirectoryIndex).rva)->rawOffset % 0x1000, 0u)
            << row.what;
    }
}

TEST(PeResourceUpdate, NewResourcesReplaceOldOnesOfTheSameTypeAndNumber)
{
    CraftedImage image = craftImage();
    ImageUpdate update = replaceResources(image.bytes, {}, {{"IMG", 401, odd}});
    ASSERT_EQ(update.problem, "");
    EXPECT_EQ(resourcesOf(update.bytes),
              (std::map<std::string, std::string>{{"IMG 401", "odd"}, {"type 3 \"A\" (language 1036) code page 1252", craftedIconBytes}}));
}

TEST(PeResourceUpdate, BuildingAgainOnTheOutputGivesTheSameBytes)
{
    for (const PlacementRow& row : placementRows) {
        CraftedImage image = craftImage(row.options);
        std::vector<NewResource> added = {{"PATCH", 104, patch}, {"IMG", 401, picture}};
        ImageUpdate first = replaceResources(image.bytes, {"PATCH", "IMG"}, added);
        ASSERT_EQ(first.problem, "") << row.what;
        ImageUpdate second = replaceResources(first.bytes, {"PATCH", "IMG"}, added);
        ASSERT_EQ(second.problem, "") << row.what;
        EXPECT_EQ(second.bytes, first.bytes) << row.what;
        ImageUpdate smaller = replaceResources(first.bytes, {"PATCH", "IMG"}, {{"PATCH", 104, odd}});
        ASSERT_EQ(smaller.problem, "") << row.what;
        expectConsistent(smaller.bytes, row.what);
        EXPECT_LT(smaller.bytes.size(), first.bytes.size()) << row.what;
        EXPECT_EQ(resourcesOf(smaller.bytes).count("IMG 401"), 0u) << row.what;
    }
}

TEST(PeResourceUpdate, TheOverlayFollowsTheNewSectionAndItsPointerToo)
{
    const std::string overlay = "symbol table and strings";
    for (bool reloc : {false, true}) {
        CraftedImage image = craftImage({.reloc = reloc, .overlay = overlay});
        ImageUpdate update = replaceResources(image.bytes, {"IMG"}, {{"IMG", 401, picture}});
        ASSERT_EQ(update.problem, "") << reloc;
        expectConsistent(update.bytes, reloc ? "overlay, .reloc" : "overlay");
        PeImage after = parsePeImage(update.bytes).image;
        uint32_t end = endOfSectionData(after);
        ASSERT_EQ(update.bytes.size(), end + overlay.size()) << reloc;
        EXPECT_EQ(std::string(update.bytes.begin() + end, update.bytes.end()), overlay) << reloc;
        EXPECT_EQ(after.symbolTableOffset, end) << reloc;
    }
}

TEST(PeResourceUpdate, ANewSectionStartsAfterTheHeaders)
{
    // The only section is empty, at RVA 0 and without file bytes.
    CraftedImage image = craftImage({.resources = false});
    writeU32(&image.bytes[image.sectionTable + 8], 0);
    writeU32(&image.bytes[image.sectionTable + 12], 0);
    writeU32(&image.bytes[image.sectionTable + 16], 0);
    writeU32(&image.bytes[image.sectionTable + 20], 0);
    ImageUpdate update = replaceResources(image.bytes, {}, {{"IMG", 401, odd}});
    ASSERT_EQ(update.problem, "");
    PeImage after = parsePeImage(update.bytes).image;
    EXPECT_EQ(dataDirectory(after, ResourceDirectoryIndex).rva, 0x1000u);
    EXPECT_EQ(resourcesOf(update.bytes), (std::map<std::string, std::string>{{"IMG 401", "odd"}}));
}

TEST(PeResourceUpdate, ASectionAmongTheHeadersIsNotRebuiltInPlace)
{
    CraftedImage image = craftImage();
    writeU32(&image.bytes[image.optionalHeader + 60], 0x500);  // SizeOfHeaders past the start of .rsrc
    ImageUpdate update = replaceResources(image.bytes, {"IMG"}, {{"IMG", 401, odd}});
    ASSERT_EQ(update.problem, "");
    PeImage after = parsePeImage(update.bytes).image;
    EXPECT_EQ(after.sections.size(), 3u);
    EXPECT_NE(dataDirectory(after, ResourceDirectoryIndex).rva, image.rsrcRva);
    EXPECT_TRUE(std::equal(image.bytes.begin() + image.rsrc, image.bytes.begin() + image.rsrcEnd,
                           update.bytes.begin() + image.rsrc));
    EXPECT_EQ(resourcesOf(update.bytes)["IMG 401"], "odd");
}

struct RefusalRow {
    const char* what;
    CraftOptions options;
    std::function<void(Bytes&, const CraftedImage&)> damage;
    std::string expected;
};

const RefusalRow refusalRows[] = {
    {"signed", {}, [](Bytes& b, const CraftedImage& i) { writeU32(&b[i.dataDirectories + 4 * 8], 0x600); },
     "a signed program (certificate table at offset 0x600): its signature would not match the new resources; use an "
     "unsigned player"},
    {"no room for another section header", {.reloc = true},
     [](Bytes& b, const CraftedImage& i) { writeU32(&b[i.optionalHeader + 60], i.sectionTable + 3 * 40); },
     "section table at offset 0x138: no room for one more section (3 sections, SizeOfHeaders 0x1B0), and the resource "
     "section is not the last one to be rebuilt in place"},
    {"something after the section table", {.reloc = true},
     [](Bytes& b, const CraftedImage& i) { b[i.sectionTable + 3 * 40 + 5] = 1; },
     "section table at offset 0x138: no room for one more section (3 sections, SizeOfHeaders 0x200), and the resource "
     "section is not the last one to be rebuilt in place"},
    {"file alignment not a power of two", {}, [](Bytes& b, const CraftedImage& i) { writeU32(&b[i.optionalHeader + 36], 0x300); },
     "optional header: FileAlignment 0x300 is not a power of two up to 0x10000"},
    {"section alignment below the file alignment", {},
     [](Bytes& b, const CraftedImage& i) { writeU32(&b[i.optionalHeader + 32], 0x100); },
     "optional header: SectionAlignment 0x100 is not a power of two at least FileAlignment 0x200"},
    {"no data directory for resources", {.resources = false},
     [](Bytes& b, const CraftedImage& i) { writeU32(&b[i.dataDirectories - 4], 2); },
     "optional header: 2 data directories, none for resources"},
    {"symbol table inside the rebuilt section", {},
     [](Bytes& b, const CraftedImage& i) { writeU32(&b[i.fileHeader + 8], i.rsrc + 8); },
     "symbol table at offset 0x408 lies in the resource section that is rebuilt"},
    {"damaged resources", {}, [](Bytes& b, const CraftedImage& i) { writeU32(&b[i.rsrc + ImgDataEntry + 4], 1u << 24); },
     "IMG 401: data at RVA 0x20B0 size 16777216 runs past the end of the file (1536 bytes)"},
};

TEST(PeResourceUpdate, WhatCannotBeRebuiltIsRefusedWithItsReason)
{
    for (const RefusalRow& row : refusalRows) {
        CraftedImage image = craftImage(row.options);
        Bytes damaged = image.bytes;
        row.damage(damaged, image);
        ImageUpdate update = replaceResources(damaged, {"IMG"}, {{"IMG", 401, picture}});
        EXPECT_EQ(update.problem, row.expected) << row.what;
        EXPECT_TRUE(update.bytes.empty()) << row.what;
    }
}

TEST(PeResourceUpdate, TheChecksumIsTheStandardOne)
{
    // Known sums: words added with end-around carry, plus the length.
    struct Row {
        Bytes bytes;
        uint32_t checkSumOffset;
        uint32_t expected;
    };
    const Row rows[] = {
        {{}, 0, 0},
        {{0x01, 0x02}, 8, 0x0201 + 2},
        {{0xFF, 0xFF, 0x02, 0x00}, 8, 0x0002 + 4},            // 0xFFFF + 2 carries round to 2
        {{0x01, 0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x03}, 2, 0x0201 + 0x0003 + 7},  // field skipped, odd tail
        {{0x10, 0x00, 0x01}, 1, 0x0010 + 3},                   // a field at an odd offset
    };
    for (const Row& row : rows)
        EXPECT_EQ(peCheckSum(row.bytes, row.checkSumOffset), row.expected) << row.bytes.size();
}

}  // namespace
