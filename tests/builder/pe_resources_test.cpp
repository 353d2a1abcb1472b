// The program-file reader on crafted images: what a sound PE32 and PE32+
// image holds, and for each kind of damage the message that names the
// structure, its offset and the limit.
#include "tests/builder/pe_fixtures.h"
#include "tools/builder/program/pe_image.h"
#include "tools/builder/program/pe_resources.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Bytes = std::vector<uint8_t>;

struct Read {
    std::string problem;
    std::vector<PeResource> resources;
};

Read readImage(const Bytes& bytes)
{
    PeParse parse = parsePeImage(bytes);
    if (!parse.problem.empty())
        return {parse.problem, {}};
    ResourceRead read = readPeResources(bytes, parse.image);
    return {read.problem, read.resources};
}

std::string text(std::span<const uint8_t> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(PeResources, SoundImagesOfBothWidths)
{
    for (bool wide : {false, true}) {
        CraftedImage image = craftImage({.wide = wide});
        PeParse parse = parsePeImage(image.bytes);
        ASSERT_EQ(parse.problem, "") << wide;
        EXPECT_EQ(parse.image.wide, wide);
        ASSERT_EQ(parse.image.sections.size(), 2u);
        EXPECT_EQ(parse.image.sections[1].name, ".rsrc");
        EXPECT_EQ(parse.image.dataDirectoryOffset, image.dataDirectories);
        EXPECT_EQ(endOfSectionData(parse.image), image.rsrcEnd);

        ResourceRead read = readPeResources(image.bytes, parse.image);
        ASSERT_EQ(read.problem, "") << wide;
        ASSERT_EQ(read.resources.size(), 2u);
        const PeResource& img = read.resources[0];
        EXPECT_TRUE(isNamed(img.type, "IMG"));
        EXPECT_EQ(resourceLabel(img), "IMG 401");
        EXPECT_EQ(text(resourceBytes(image.bytes, img)), craftedImgBytes);
        const PeResource& icon = read.resources[1];
        EXPECT_EQ(resourceLabel(icon), "type 3 \"A\" (language 1036)");
        EXPECT_EQ(icon.codePage, 1252u);
        EXPECT_EQ(text(resourceBytes(image.bytes, icon)), craftedIconBytes);
    }
}

TEST(PeResources, NamedTypesMatchWhateverTheCaseOfAToZ)
{
    CraftedImage image = craftImage();
    Read read = readImage(image.bytes);
    ASSERT_EQ(read.problem, "");
    struct Row {
        const char* type;
        uint16_t id;
        bool found;
    };
    const Row rows[] = {{"IMG", 401, true}, {"img", 401, true}, {"ImG", 401, true},
                        {"IMG", 402, false}, {"IMGX", 401, false}, {"PATCH", 401, false}};
    for (const Row& row : rows) {
        const PeResource* found = findResource(read.resources, row.type, row.id);
        EXPECT_EQ(found != nullptr, row.found) << row.type << " " << row.id;
        if (found && row.found)
            EXPECT_EQ(text(resourceBytes(image.bytes, *found)), craftedImgBytes);
    }
}

TEST(PeResources, TheNeutralLanguageIsPreferred)
{
    PeResource french{asciiName("IMG"), numberedName(401), 1036, 0, 0, 1, 0};
    PeResource neutral{asciiName("IMG"), numberedName(401), 0, 0, 0, 2, 0};
    EXPECT_EQ(findResource({french, neutral}, "IMG", 401)->size, 2u);
    EXPECT_EQ(findResource({french}, "IMG", 401)->size, 1u);
}

TEST(PeResources, AProgramWithoutResourcesHasNone)
{
    Read read = readImage(craftImage({.resources = false}).bytes);
    EXPECT_EQ(read.problem, "");
    EXPECT_TRUE(read.resources.empty());
}

TEST(PeResources, AnEmptyResourceMayEndItsSection)
{
    CraftedImage image = craftImage();
    writeU32(&image.bytes[image.rsrc + ImgDataEntry], image.rsrcRva + 0x200);
    writeU32(&image.bytes[image.rsrc + ImgDataEntry + 4], 0);
    Read read = readImage(image.bytes);
    ASSERT_EQ(read.problem, "");
    EXPECT_EQ(findResource(read.resources, "IMG", 401)->size, 0u);
    writeU32(&image.bytes[image.rsrc + ImgDataEntry + 4], 1);
    EXPECT_EQ(readImage(image.bytes).problem,
              "IMG 401: data at RVA " + hexText(image.rsrcRva + 0x200) + " size 1 lies in no section");
}

using Damage = std::function<void(Bytes&, const CraftedImage&)>;

struct DamageRow {
    const char* what;
    Damage damage;
    std::function<std::string(const CraftedImage&, bool wide)> expected;
};

void setU32(Bytes& bytes, uint32_t at, uint32_t value)
{
    writeU32(&bytes[at], value);
}

void setU16(Bytes& bytes, uint32_t at, uint16_t value)
{
    writeU16(&bytes[at], value);
}

std::string pastSection(const std::string& what, uint64_t offset, uint64_t length)
{
    return what + " at offset " + hexText(offset) + ": " + std::to_string(length)
           + " bytes run past the end of the resource section .rsrc (its file bytes end at offset 0x600)";
}

const DamageRow damageRows[] = {
    {"shorter than the DOS header", [](Bytes& b, const CraftedImage&) { b.resize(40); },
     [](const CraftedImage&, bool) { return "not a Windows program: 40 bytes, less than the 64-byte DOS header"; }},
    {"no MZ", [](Bytes& b, const CraftedImage&) { b[1] = 'X'; },
     [](const CraftedImage&, bool) { return "not a Windows program: no \"MZ\" at offset 0"; }},
    {"PE offset past the file", [](Bytes& b, const CraftedImage&) { setU32(b, 0x3C, 0xFFFFFFFE); },
     [](const CraftedImage&, bool) {
         return "not a Windows program: no \"PE\\0\\0\" signature at offset 0xFFFFFFFE (named at offset 0x3C; the "
                "file has 1536 bytes)";
     }},
    {"file header cut short", [](Bytes& b, const CraftedImage&) { b.resize(0x50); },
     [](const CraftedImage&, bool) {
         return "file header at offset 0x44: 20 bytes run past the end of the file (80 bytes)";
     }},
    {"optional header cut short", [](Bytes& b, const CraftedImage&) { b.resize(0x80); },
     [](const CraftedImage&, bool wide) {
         return "optional header at offset 0x58: " + std::string(wide ? "112" : "96")
                + " bytes run past the end of the file (128 bytes)";
     }},
    {"unknown optional header magic", [](Bytes& b, const CraftedImage& i) { setU16(b, i.optionalHeader, 0x30B); },
     [](const CraftedImage&, bool) {
         return "optional header at offset 0x58: magic number 0x30B, expected 0x10B (PE32) or 0x20B (PE32+)";
     }},
    {"optional header too small for its form", [](Bytes& b, const CraftedImage& i) { setU16(b, i.fileHeader + 16, 64); },
     [](const CraftedImage&, bool wide) {
         return std::string("optional header at offset 0x58: SizeOfOptionalHeader 64, at least ")
                + (wide ? "112 for PE32+" : "96 for PE32");
     }},
    {"too many data directories",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.dataDirectories - 4, 17); },
     [](const CraftedImage&, bool) { return "optional header at offset 0x58: 17 data directories, at most 16"; }},
    {"too many sections", [](Bytes& b, const CraftedImage& i) { setU16(b, i.fileHeader + 2, 1000); },
     [](const CraftedImage&, bool) { return "file header at offset 0x44: 1000 sections, at most 96"; }},
    {"section table past the file", [](Bytes& b, const CraftedImage& i) { setU16(b, i.fileHeader + 2, 40); },
     [](const CraftedImage& i, bool) {
         return "section table at offset " + hexText(i.sectionTable)
                + ": 40 sections of 40 bytes run past the end of the file (1536 bytes)";
     }},
    {"section raw data past the file",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.sectionTable + 40 + 16, 0x10000); },
     [](const CraftedImage& i, bool) {
         return "section .rsrc (number 2, header at offset " + hexText(i.sectionTable + 40)
                + "): raw data at offset 0x400 size 65536 runs past the end of the file (1536 bytes)";
     }},
    {"overlapping sections", [](Bytes& b, const CraftedImage& i) { setU32(b, i.sectionTable + 8, 0x1800); },
     [](const CraftedImage& i, bool) {
         return "section .rsrc (number 2, header at offset " + hexText(i.sectionTable + 40)
                + "): RVA 0x2000 to 0x2200 overlaps section .text (number 1)";
     }},
    {"resource directory in no section",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.dataDirectories + 16, 0x9000); },
     [](const CraftedImage&, bool) { return "resource directory at RVA 0x9000: in no section's file bytes"; }},
    {"huge entry count", [](Bytes& b, const CraftedImage& i) { setU16(b, i.rsrc + 14, 60000); },
     [](const CraftedImage& i, bool) {
         return pastSection("resource directory (types) of 60001 entries", i.rsrc, 16 + 60001 * 8);
     }},
    {"directory out of the file",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + 16 + 4, 0x80000000 | 0x7000); },
     [](const CraftedImage& i, bool) { return pastSection("resource directory (names)", i.rsrc + 0x7000, 16); }},
    {"directory pointing back at the root",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + ImgTypeDirectory + 16 + 4, 0x80000000); },
     [](const CraftedImage& i, bool) {
         return "resource directory (languages) at offset " + hexText(i.rsrc)
                + ": reached a second time; the tree loops or shares it";
     }},
    {"directory pointing at itself",
     [](Bytes& b, const CraftedImage& i) {
         setU32(b, i.rsrc + ImgTypeDirectory + 16 + 4, 0x80000000 | ImgTypeDirectory);
     },
     [](const CraftedImage& i, bool) {
         return "resource directory (languages) at offset " + hexText(i.rsrc + ImgTypeDirectory)
                + ": reached a second time; the tree loops or shares it";
     }},
    {"directory shared by two types",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + 24 + 4, 0x80000000 | ImgTypeDirectory); },
     [](const CraftedImage& i, bool) {
         return "resource directory (names) at offset " + hexText(i.rsrc + ImgTypeDirectory)
                + ": reached a second time; the tree loops or shares it";
     }},
    {"a fourth level",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + ImgNameDirectory + 16 + 4, 0x80000000 | 0x1E0); },
     [](const CraftedImage& i, bool) {
         return "resource directory (languages) entry at offset " + hexText(i.rsrc + ImgNameDirectory + 16)
                + ": points at a directory nested deeper than 3 levels (type, name, language)";
     }},
    {"type pointing at data", [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + 24 + 4, IconDataEntry); },
     [](const CraftedImage& i, bool) {
         return "resource directory (types) entry at offset " + hexText(i.rsrc + 24)
                + ": points at data, expected a directory of names";
     }},
    {"named language",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + ImgNameDirectory + 16, 0x80000000 | ImgString); },
     [](const CraftedImage& i, bool) {
         return "resource directory (languages) entry at offset " + hexText(i.rsrc + ImgNameDirectory + 16)
                + ": a language must be a number";
     }},
    {"number wider than 16 bits", [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + 24, 0x12345); },
     [](const CraftedImage&, bool) { return "resource directory entry: number 0x12345 does not fit 16 bits"; }},
    {"name string at the section's end",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + 16, 0x80000000 | 0x1FF); },
     [](const CraftedImage& i, bool) { return pastSection("resource name string", i.rsrc + 0x1FF, 2); }},
    {"name string longer than the section", [](Bytes& b, const CraftedImage& i) { setU16(b, i.rsrc + ImgString, 300); },
     [](const CraftedImage& i, bool) {
         return pastSection("resource name string of 300 characters", i.rsrc + ImgString, 602);
     }},
    {"data entry out of the section",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + ImgNameDirectory + 16 + 4, 0x1F8); },
     [](const CraftedImage& i, bool) { return pastSection("resource data entry of IMG 401", i.rsrc + 0x1F8, 16); }},
    {"data larger than the file",
     [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + ImgDataEntry + 4, 16777216); },
     [](const CraftedImage& i, bool) {
         return "IMG 401: data at RVA " + hexText(i.rsrcRva + ImgData)
                + " size 16777216 runs past the end of the file (1536 bytes)";
     }},
    {"data past its section",
     [](Bytes& b, const CraftedImage& i) {
         setU32(b, i.rsrc + IconDataEntry, 0x11F8);
         setU32(b, i.rsrc + IconDataEntry + 4, 16);
     },
     [](const CraftedImage&, bool) {
         return "type 3 \"A\" (language 1036): data at RVA 0x11F8 size 16 runs past the end of section .text (its "
                "file bytes end at RVA 0x1200)";
     }},
    {"data in no section", [](Bytes& b, const CraftedImage& i) { setU32(b, i.rsrc + ImgDataEntry, 0x9000); },
     [](const CraftedImage&, bool) { return "IMG 401: data at RVA 0x9000 size 12 lies in no section"; }},
    {"data in memory the file does not hold",
     [](Bytes& b, const CraftedImage& i) {
         setU32(b, i.sectionTable + 40 + 8, 0x800);  // .rsrc's virtual size beyond its file bytes
         setU32(b, i.rsrc + ImgDataEntry, i.rsrcRva + 0x700);
     },
     [](const CraftedImage& i, bool) {
         return "IMG 401: data at RVA " + hexText(i.rsrcRva + 0x700) + " size 12 lies past the file bytes of section .rsrc";
     }},
};

TEST(PeResources, EveryDamageIsNamedWithItsOffsetAndLimit)
{
    for (bool wide : {false, true}) {
        for (const DamageRow& row : damageRows) {
            CraftedImage image = craftImage({.wide = wide});
            Bytes damaged = image.bytes;
            row.damage(damaged, image);
            Read read = readImage(damaged);
            EXPECT_EQ(read.problem, row.expected(image, wide)) << row.what << (wide ? " (PE32+)" : " (PE32)");
            EXPECT_TRUE(read.resources.empty()) << row.what;
        }
    }
}

TEST(PeResources, EveryTruncationIsRefusedWithoutReadingPastTheEnd)
{
    // Run under AddressSanitizer: each prefix is a buffer of its own size.
    CraftedImage image = craftImage({.wide = true});
    for (std::size_t size = 0; size < image.rsrc + TreeSize; ++size) {
        Bytes prefix(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(size));
        Read read = readImage(prefix);
        EXPECT_NE(read.problem, "") << size;
    }
}

}  // namespace
