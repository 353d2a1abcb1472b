// The headers of a Windows program file (a PE image: PE32 for i686, PE32+
// for x86_64) read straight from its bytes, without the Windows loader:
// the DOS header, the PE signature, the file header, the optional header
// with its data directories, and the section table. Every structure is
// checked against the file before it is read; what does not fit is refused
// with the structure, its offset and the limit.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Data directories that matter to the builder, by index.
constexpr uint32_t CertificateDirectoryIndex = 4;  // its "RVA" is a file offset
constexpr uint32_t ResourceDirectoryIndex = 2;
constexpr uint32_t DebugDirectoryIndex = 6;

// Sizes of fixed structures, in bytes.
constexpr uint32_t DosHeaderSize = 64;
constexpr uint32_t FileHeaderSize = 20;
constexpr uint32_t SectionHeaderSize = 40;
constexpr uint32_t DataDirectorySize = 8;

// Field offsets inside the file header.
constexpr uint32_t NumberOfSectionsField = 2;
constexpr uint32_t PointerToSymbolTableField = 8;

// Field offsets inside the optional header, the same for PE32 and PE32+.
constexpr uint32_t SizeOfInitializedDataField = 8;
constexpr uint32_t SizeOfImageField = 56;
constexpr uint32_t CheckSumField = 64;

// Field offsets inside a section header.
constexpr uint32_t SectionVirtualSizeField = 8;
constexpr uint32_t SectionVirtualAddressField = 12;
constexpr uint32_t SectionRawSizeField = 16;
constexpr uint32_t SectionRawOffsetField = 20;
constexpr uint32_t SectionCharacteristicsField = 36;

// Windows loads no image with more sections than this.
constexpr uint32_t MaxSections = 96;
// The optional header has room for this many data directories.
constexpr uint32_t MaxDataDirectories = 16;

struct PeSection {
    std::string name;        // printable: other bytes become '?'
    uint32_t headerOffset;   // file offset of its entry in the section table
    uint32_t virtualSize;
    uint32_t virtualAddress;
    uint32_t rawSize;        // SizeOfRawData: bytes in the file
    uint32_t rawOffset;      // PointerToRawData
    uint32_t characteristics;
};

struct PeDataDirectory {
    uint32_t rva;
    uint32_t size;
};

struct PeImage {
    bool wide = false;                 // PE32+ (64-bit); PE32 otherwise
    uint32_t fileHeaderOffset = 0;     // just after "PE\0\0"
    uint32_t optionalHeaderOffset = 0;
    uint32_t dataDirectoryOffset = 0;  // file offset of data directory 0
    uint32_t sectionTableOffset = 0;
    uint32_t symbolTableOffset = 0;    // PointerToSymbolTable; 0 when stripped
    uint32_t sizeOfInitializedData = 0;
    uint32_t sectionAlignment = 0;
    uint32_t fileAlignment = 0;
    uint32_t sizeOfImage = 0;
    uint32_t sizeOfHeaders = 0;
    uint32_t checkSum = 0;
    std::vector<PeDataDirectory> directories;  // as many as the header gives, at most 16
    std::vector<PeSection> sections;
};

struct PeParse {
    PeImage image;
    std::string problem;  // empty when the headers were read
};

// Reads the headers. A problem names the structure, its file offset and
// the limit: "section table at offset 0x178: 10 sections of 40 bytes run
// past the end of the file (400 bytes)".
PeParse parsePeImage(std::span<const uint8_t> file);

// The data directory at `index`, or an empty one when the header has none.
PeDataDirectory dataDirectory(const PeImage& image, uint32_t index);

// What the loader maps of a section: its virtual size, or its raw size
// when the virtual size is 0. Sections' mapped ranges never overlap (the
// parser refuses images where they do).
uint32_t mappedSize(const PeSection& section);

// The section whose mapped range holds `rva`, or null.
const PeSection* sectionAt(const PeImage& image, uint32_t rva);

// The end of the file bytes every section occupies; what follows is the
// overlay, which the loader never maps.
uint32_t endOfSectionData(const PeImage& image);
