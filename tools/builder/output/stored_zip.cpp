#include "tools/builder/output/stored_zip.h"

#include "tools/builder/program/little_endian.h"

#include <array>

namespace {

constexpr uint32_t localHeaderSignature = 0x04034B50;
constexpr uint32_t centralHeaderSignature = 0x02014B50;
constexpr uint32_t endSignature = 0x06054B50;
constexpr uint16_t versionNeeded = 10;  // 1.0: stored members, nothing more
constexpr uint16_t versionMadeBy = 20;  // 2.0, by MS-DOS (attributes as DOS has them)
constexpr uint16_t storedMethod = 0;
constexpr uint16_t dosDate1980 = (0 << 9) | (1 << 5) | 1;  // 1980-01-01
constexpr uint16_t dosMidnight = 0;
constexpr std::size_t localHeaderSize = 30;
constexpr std::size_t centralHeaderSize = 46;
constexpr std::size_t endRecordSize = 22;

std::array<uint32_t, 256> crcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t value = byte;
        for (int bit = 0; bit < 8; ++bit)
            value = value & 1 ? 0xEDB88320 ^ (value >> 1) : value >> 1;
        table[byte] = value;
    }
    return table;
}

// What the local and the central header share, from "version needed" on.
void putCommonFields(uint8_t* at, const ZipMember& member, uint32_t crc)
{
    writeU16(at, versionNeeded);
    writeU16(at + 2, 0);  // no flags: ASCII names, sizes in the header
    writeU16(at + 4, storedMethod);
    writeU16(at + 6, dosMidnight);
    writeU16(at + 8, dosDate1980);
    writeU32(at + 10, crc);
    writeU32(at + 14, static_cast<uint32_t>(member.bytes.size()));
    writeU32(at + 18, static_cast<uint32_t>(member.bytes.size()));
    writeU16(at + 22, static_cast<uint16_t>(member.name.size()));
    writeU16(at + 24, 0);  // no extra field
}

void append(std::vector<uint8_t>& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

uint32_t crc32Of(std::span<const uint8_t> bytes)
{
    static const std::array<uint32_t, 256> table = crcTable();
    uint32_t crc = 0xFFFFFFFF;
    for (uint8_t byte : bytes)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFF;
}

std::vector<uint8_t> storedZipOf(const std::vector<ZipMember>& members)
{
    uint64_t total = endRecordSize;
    for (const ZipMember& member : members)
        total += localHeaderSize + centralHeaderSize + 2 * member.name.size() + member.bytes.size();
    if (total > LargestStoredZip || members.size() > 0xFFFF)
        return {};

    std::vector<uint8_t> zip;
    zip.reserve(std::size_t(total));
    std::vector<uint8_t> central;
    for (const ZipMember& member : members) {
        uint32_t crc = crc32Of(member.bytes);
        uint32_t offset = static_cast<uint32_t>(zip.size());
        uint8_t local[localHeaderSize] = {};
        writeU32(local, localHeaderSignature);
        putCommonFields(local + 4, member, crc);
        zip.insert(zip.end(), local, local + localHeaderSize);
        append(zip, member.name);
        zip.insert(zip.end(), member.bytes.begin(), member.bytes.end());

        uint8_t header[centralHeaderSize] = {};
        writeU32(header, centralHeaderSignature);
        writeU16(header + 4, versionMadeBy);
        putCommonFields(header + 6, member, crc);
        // Comment length, disk, internal and external attributes stay zero.
        writeU32(header + 42, offset);
        central.insert(central.end(), header, header + centralHeaderSize);
        append(central, member.name);
    }
    uint8_t end[endRecordSize] = {};
    writeU32(end, endSignature);
    writeU16(end + 8, static_cast<uint16_t>(members.size()));
    writeU16(end + 10, static_cast<uint16_t>(members.size()));
    writeU32(end + 12, static_cast<uint32_t>(central.size()));
    writeU32(end + 16, static_cast<uint32_t>(zip.size()));
    zip.insert(zip.end(), central.begin(), central.end());
    zip.insert(zip.end(), end, end + endRecordSize);
    return zip;
}
