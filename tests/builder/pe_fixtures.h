// Small program images written byte by byte, so tests of the program-file
// reader and writer know where every structure lies and can damage it.
// The layout (offsets in the file):
//   0x000 DOS header, pointing at 0x40
//   0x040 "PE\0\0", file header at 0x44, optional header at 0x58
//   then the section table: .text, .rsrc and, if asked, .reloc
//   0x200 .text  (RVA 0x1000, 0x200 bytes)
//   0x400 .rsrc  (RVA 0x2000, 0x200 bytes), the resource tree below
//   0x600 .reloc (RVA 0x3000, 0x200 bytes), if asked
//   then the overlay, if asked
// The resource tree (offsets from 0x400):
//   0   root: "IMG", then type 3             32  "IMG": 401
//   56  type 3: "A"                         80  IMG 401: language 0
//   104 type 3 "A": language 1036           128 "IMG"   136 "A"
//   144 data entry of IMG 401               160 data entry of type 3 "A"
//   176 IMG 401's bytes (12)                192 type 3 "A"'s bytes (8)
#pragma once

#include "tools/builder/program/little_endian.h"

#include <cstdint>
#include <string>
#include <vector>

struct CraftOptions {
    bool wide = false;          // PE32+ instead of PE32
    bool reloc = false;         // a .reloc section after .rsrc, as mingw links it
    bool resources = true;      // without: no .rsrc section and no resource directory
    std::string overlay;        // bytes after the last section; the symbol table pointer names them
    bool checkSum = false;      // a non-zero checksum field
};

struct CraftedImage {
    std::vector<uint8_t> bytes;
    uint32_t fileHeader = 0x44;
    uint32_t optionalHeader = 0x58;
    uint32_t dataDirectories = 0;  // file offset of data directory 0
    uint32_t sectionTable = 0;
    uint32_t rsrc = 0x400;         // file offset of the resource tree's root
    uint32_t rsrcRva = 0x2000;
    uint32_t rsrcEnd = 0x600;
    uint32_t overlay = 0;          // file offset of the overlay
};

// Offsets inside the resource tree, from its root.
constexpr uint32_t ImgTypeDirectory = 32;
constexpr uint32_t IconTypeDirectory = 56;
constexpr uint32_t ImgNameDirectory = 80;
constexpr uint32_t IconNameDirectory = 104;
constexpr uint32_t ImgString = 128;
constexpr uint32_t IconNameString = 136;
constexpr uint32_t ImgDataEntry = 144;
constexpr uint32_t IconDataEntry = 160;
constexpr uint32_t ImgData = 176;
constexpr uint32_t IconData = 192;
constexpr uint32_t TreeSize = 200;

inline const std::string craftedImgBytes = "picture data";
inline const std::string craftedIconBytes = "icon 8b!";

inline void putSection(std::vector<uint8_t>& out, uint32_t at, const char* name, uint32_t rva, uint32_t raw,
                       uint32_t characteristics)
{
    for (int n = 0; n < 8 && name[n]; ++n)
        out[at + n] = static_cast<uint8_t>(name[n]);
    writeU32(&out[at + 8], 0x200);
    writeU32(&out[at + 12], rva);
    writeU32(&out[at + 16], 0x200);
    writeU32(&out[at + 20], raw);
    writeU32(&out[at + 36], characteristics);
}

inline void putDirectory(std::vector<uint8_t>& out, uint32_t at, uint16_t named, uint16_t numbered)
{
    writeU16(&out[at + 12], named);
    writeU16(&out[at + 14], numbered);
}

inline void putEntry(std::vector<uint8_t>& out, uint32_t at, uint32_t name, uint32_t target)
{
    writeU32(&out[at], name);
    writeU32(&out[at + 4], target);
}

inline void putTree(std::vector<uint8_t>& out, uint32_t root, uint32_t rva)
{
    const uint32_t string = 0x80000000, directory = 0x80000000;
    putDirectory(out, root, 1, 1);
    putEntry(out, root + 16, string | ImgString, directory | ImgTypeDirectory);
    putEntry(out, root + 24, 3, directory | IconTypeDirectory);
    putDirectory(out, root + ImgTypeDirectory, 0, 1);
    putEntry(out, root + ImgTypeDirectory + 16, 401, directory | ImgNameDirectory);
    putDirectory(out, root + IconTypeDirectory, 1, 0);
    putEntry(out, root + IconTypeDirectory + 16, string | IconNameString, directory | IconNameDirectory);
    putDirectory(out, root + ImgNameDirectory, 0, 1);
    putEntry(out, root + ImgNameDirectory + 16, 0, ImgDataEntry);
    putDirectory(out, root + IconNameDirectory, 0, 1);
    putEntry(out, root + IconNameDirectory + 16, 1036, IconDataEntry);
    const char16_t img[] = u"IMG";
    writeU16(&out[root + ImgString], 3);
    for (int n = 0; n < 3; ++n)
        writeU16(&out[root + ImgString + 2 + 2 * n], img[n]);
    writeU16(&out[root + IconNameString], 1);
    writeU16(&out[root + IconNameString + 2], u'A');
    writeU32(&out[root + ImgDataEntry], rva + ImgData);
    writeU32(&out[root + ImgDataEntry + 4], static_cast<uint32_t>(craftedImgBytes.size()));
    writeU32(&out[root + IconDataEntry], rva + IconData);
    writeU32(&out[root + IconDataEntry + 4], static_cast<uint32_t>(craftedIconBytes.size()));
    writeU32(&out[root + IconDataEntry + 8], 1252);
    std::copy(craftedImgBytes.begin(), craftedImgBytes.end(), out.begin() + root + ImgData);
    std::copy(craftedIconBytes.begin(), craftedIconBytes.end(), out.begin() + root + IconData);
}

inline CraftedImage craftImage(const CraftOptions& options = {})
{
    CraftedImage image;
    uint32_t sections = 1 + options.resources + options.reloc;
    uint32_t end = 0x200 + 0x200 * sections;
    std::vector<uint8_t>& out = image.bytes;
    out.assign(end, 0);
    out[0] = 'M';
    out[1] = 'Z';
    writeU32(&out[0x3C], 0x40);
    out[0x40] = 'P';
    out[0x41] = 'E';
    writeU16(&out[0x44], options.wide ? 0x8664 : 0x14C);
    writeU16(&out[0x44 + 2], static_cast<uint16_t>(sections));
    uint16_t optionalSize = options.wide ? 240 : 224;
    writeU16(&out[0x44 + 16], optionalSize);
    writeU16(&out[0x44 + 18], 0x0102);
    uint32_t optional = image.optionalHeader;
    writeU16(&out[optional], options.wide ? 0x20B : 0x10B);
    writeU32(&out[optional + 8], 0x200 * (sections - 1));  // SizeOfInitializedData
    writeU32(&out[optional + 16], 0x1000);                 // AddressOfEntryPoint
    writeU32(&out[optional + 32], 0x1000);                 // SectionAlignment
    writeU32(&out[optional + 36], 0x200);                  // FileAlignment
    writeU32(&out[optional + 56], 0x1000 * (1 + sections)); // SizeOfImage
    writeU32(&out[optional + 60], 0x200);                  // SizeOfHeaders
    writeU16(&out[optional + 68], 2);                      // Subsystem: GUI
    uint32_t countField = options.wide ? 108 : 92;
    writeU32(&out[optional + countField], 16);
    image.dataDirectories = optional + countField + 4;
    image.sectionTable = optional + optionalSize;
    out[0x200] = 0xC3;  // ret
    putSection(out, image.sectionTable, ".text", 0x1000, 0x200, 0x60000020);
    uint32_t next = image.sectionTable + 40;
    if (options.resources) {
        putSection(out, next, ".rsrc", 0x2000, 0x400, 0xC0000040);
        writeU32(&out[image.dataDirectories + 2 * 8], 0x2000);
        writeU32(&out[image.dataDirectories + 2 * 8 + 4], TreeSize);
        putTree(out, image.rsrc, image.rsrcRva);
        next += 40;
    }
    if (options.reloc) {
        uint32_t rva = options.resources ? 0x3000 : 0x2000;
        putSection(out, next, ".reloc", rva, end - 0x200, 0x42000040);
        writeU32(&out[image.dataDirectories + 5 * 8], rva);
        writeU32(&out[image.dataDirectories + 5 * 8 + 4], 12);
        writeU32(&out[end - 0x200], 0x1000);  // one block for page 0x1000, no entries
        writeU32(&out[end - 0x200 + 4], 8);
    }
    if (!options.overlay.empty()) {
        image.overlay = end;
        out.insert(out.end(), options.overlay.begin(), options.overlay.end());
        writeU32(&out[0x44 + 8], end);  // PointerToSymbolTable
    }
    if (options.checkSum)
        writeU32(&out[optional + 64], 0x1234);
    return image;
}
