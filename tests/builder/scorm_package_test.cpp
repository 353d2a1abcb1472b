// The package's zip and manifest as a platform reads them; unzip, an XML
// parser and a real SCORM runtime read whole packages in tests/web.
#include "tools/builder/output/scorm_package.h"
#include "tools/builder/output/stored_zip.h"
#include "tools/builder/program/little_endian.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::span<const uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(StoredZip, Crc32AsZlibComputesIt)
{
    const std::pair<std::string, uint32_t> rows[] = {
        {"", 0}, {"a", 0xE8B7BE43}, {"123456789", 0xCBF43926}, {"The quick brown fox jumps over the lazy dog", 0x414FA339}};
    for (const auto& [text, crc] : rows)
        EXPECT_EQ(crc32Of(bytesOf(text)), crc) << text;
}

// Where the end record says the central directory is, each member's header
// names it, and its local header and data follow at the offset it gives.
TEST(StoredZip, CentralDirectoryLeadsToEveryMemberStored)
{
    const std::string manifest = "<manifest/>", page = std::string(70000, 'p') + "end";
    std::vector<uint8_t> zip = storedZipOf({{"imsmanifest.xml", bytesOf(manifest)}, {"index.html", bytesOf(page)}});
    ASSERT_GE(zip.size(), 22u);
    const uint8_t* end = zip.data() + zip.size() - 22;
    ASSERT_EQ(readU32(end), 0x06054B50u);
    EXPECT_EQ(readU16(end + 10), 2);
    uint32_t at = readU32(end + 16);
    EXPECT_EQ(at + readU32(end + 12), zip.size() - 22);
    const std::pair<std::string, const std::string*> members[] = {{"imsmanifest.xml", &manifest}, {"index.html", &page}};
    for (const auto& [name, bytes] : members) {
        ASSERT_TRUE(fitsWithin(at, 46, zip.size()));
        const uint8_t* central = zip.data() + at;
        ASSERT_EQ(readU32(central), 0x02014B50u) << name;
        EXPECT_EQ(readU16(central + 10), 0) << name << ": stored";
        EXPECT_EQ(readU16(central + 14), 0x21) << name << ": 1980-01-01";
        EXPECT_EQ(readU32(central + 16), crc32Of(bytesOf(*bytes))) << name;
        EXPECT_EQ(readU32(central + 20), bytes->size()) << name;
        EXPECT_EQ(std::string(central + 46, central + 46 + readU16(central + 28)), name);
        uint32_t local = readU32(central + 42);
        ASSERT_TRUE(fitsWithin(local, 30 + name.size() + bytes->size(), zip.size())) << name;
        EXPECT_EQ(readU32(zip.data() + local), 0x04034B50u) << name;
        const uint8_t* data = zip.data() + local + 30 + name.size();
        EXPECT_EQ(std::string(data, data + bytes->size()), *bytes) << name;
        at += 46 + name.size();
    }
    EXPECT_EQ(storedZipOf({{"imsmanifest.xml", bytesOf(manifest)}, {"index.html", bytesOf(page)}}), zip)
        << "the same members give the same bytes";
}

TEST(ScormManifest, TitleShownAsXmlText)
{
    const std::pair<std::string, std::string> rows[] = {
        {"Capitales d'Europe", "<title>Capitales d&#39;Europe</title>"},
        {"<b>R\xC3\xA9vision</b> & co", "<title>&lt;b&gt;R\xC3\xA9vision&lt;/b&gt; &amp; co</title>"},
        {"tab\there", "<title>tab here</title>"},
        {"", "<title>Quiz</title>"},
    };
    for (const auto& [title, shown] : rows) {
        std::string manifest = scormManifest(title, "0123abcd");
        EXPECT_NE(manifest.find("      " + shown), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("        " + shown), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("identifier=\"quizz-0123abcd\""), std::string::npos);
    }
}

}  // namespace
