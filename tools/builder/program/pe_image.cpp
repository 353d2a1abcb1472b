#include "tools/builder/program/pe_image.h"

#include "tools/builder/program/little_endian.h"

namespace {

// Where the DOS header keeps the file offset of the PE signature.
constexpr uint32_t PeOffsetField = 0x3C;
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe32PlusMagic = 0x20B;
// Offsets of NumberOfRvaAndSizes, the last fixed field, in either form; the
// data directories follow it.
constexpr uint32_t Pe32DirectoryCountField = 92;
constexpr uint32_t Pe32PlusDirectoryCountField = 108;
constexpr uint32_t SectionAlignmentField = 32;
constexpr uint32_t FileAlignmentField = 36;
constexpr uint32_t SizeOfHeadersField = 60;
constexpr uint32_t SizeOfOptionalHeaderField = 16;  // in the file header

std::string pastTheFile(const std::string& what, uint64_t offset, uint64_t length, std::size_t fileSize)
{
    return what + " at offset " + hexText(offset) + ": " + std::to_string(length) + " bytes run past the end of the file ("
           + std::to_string(fileSize) + " bytes)";
}

std::string printableName(const uint8_t* name)
{
    std::string text;
    for (int n = 0; n < 8 && name[n]; ++n)
        text += name[n] >= 0x20 && name[n] < 0x7F ? static_cast<char>(name[n]) : '?';
    return text;
}

// Reads the optional header's fixed part and data directories.
std::string readOptionalHeader(std::span<const uint8_t> file, uint32_t optionalSize, PeImage& image)
{
    uint32_t at = image.optionalHeaderOffset;
    std::string where = "optional header at offset " + hexText(at);
    if (optionalSize < 2 || !fitsWithin(at, 2, file.size()))
        return where + ": no room for its magic number (SizeOfOptionalHeader " + std::to_string(optionalSize) + ")";
    uint16_t magic = readU16(&file[at]);
    if (magic != Pe32Magic && magic != Pe32PlusMagic)
        return where + ": magic number " + hexText(magic) + ", expected 0x10B (PE32) or 0x20B (PE32+)";
    image.wide = magic == Pe32PlusMagic;
    uint32_t countField = image.wide ? Pe32PlusDirectoryCountField : Pe32DirectoryCountField;
    uint32_t fixedSize = countField + 4;
    if (optionalSize < fixedSize)
        return where + ": SizeOfOptionalHeader " + std::to_string(optionalSize) + ", at least "
               + std::to_string(fixedSize) + " for " + (image.wide ? "PE32+" : "PE32");
    if (!fitsWithin(at, fixedSize, file.size()))
        return pastTheFile("optional header", at, fixedSize, file.size());
    const uint8_t* header = &file[at];
    image.sizeOfInitializedData = readU32(header + SizeOfInitializedDataField);
    image.sectionAlignment = readU32(header + SectionAlignmentField);
    image.fileAlignment = readU32(header + FileAlignmentField);
    image.sizeOfImage = readU32(header + SizeOfImageField);
    image.sizeOfHeaders = readU32(header + SizeOfHeadersField);
    image.checkSum = readU32(header + CheckSumField);
    uint32_t count = readU32(header + countField);
    if (count > MaxDataDirectories)
        return where + ": " + std::to_string(count) + " data directories, at most "
               + std::to_string(MaxDataDirectories);
    uint32_t needed = fixedSize + count * DataDirectorySize;
    if (optionalSize < needed)
        return where + ": " + std::to_string(count) + " data directories need " + std::to_string(needed)
               + " bytes, SizeOfOptionalHeader is " + std::to_string(optionalSize);
    if (!fitsWithin(at, needed, file.size()))
        return pastTheFile("optional header", at, needed, file.size());
    image.dataDirectoryOffset = at + fixedSize;
    // Bounded by MaxDataDirectories, checked above.
    for (uint32_t index = 0; index < count; ++index) {
        const uint8_t* entry = &file[image.dataDirectoryOffset + index * DataDirectorySize];
        image.directories.push_back({readU32(entry), readU32(entry + 4)});
    }
    return "";
}

std::string readSectionTable(std::span<const uint8_t> file, uint32_t count, PeImage& image)
{
    uint64_t tableSize = uint64_t(count) * SectionHeaderSize;
    if (!fitsWithin(image.sectionTableOffset, tableSize, file.size()))
        return "section table at offset " + hexText(image.sectionTableOffset) + ": " + std::to_string(count)
               + " sections of 40 bytes run past the end of the file (" + std::to_string(file.size()) + " bytes)";
    // Bounded by MaxSections, checked by the caller.
    for (uint32_t number = 0; number < count; ++number) {
        uint32_t at = image.sectionTableOffset + number * SectionHeaderSize;
        const uint8_t* header = &file[at];
        PeSection section{printableName(header),
                          at,
                          readU32(header + SectionVirtualSizeField),
                          readU32(header + SectionVirtualAddressField),
                          readU32(header + SectionRawSizeField),
                          readU32(header + SectionRawOffsetField),
                          readU32(header + SectionCharacteristicsField)};
        if (section.rawSize != 0 && !fitsWithin(section.rawOffset, section.rawSize, file.size()))
            return "section " + section.name + " (number " + std::to_string(number + 1) + ", header at offset "
                   + hexText(at) + "): raw data at offset " + hexText(section.rawOffset) + " size "
                   + std::to_string(section.rawSize) + " runs past the end of the file (" + std::to_string(file.size())
                   + " bytes)";
        image.sections.push_back(section);
    }
    // Bounded by MaxSections squared: each pair once.
    for (std::size_t first = 0; first < image.sections.size(); ++first) {
        const PeSection& a = image.sections[first];
        for (std::size_t second = first + 1; second < image.sections.size(); ++second) {
            const PeSection& b = image.sections[second];
            uint64_t aEnd = uint64_t(a.virtualAddress) + mappedSize(a), bEnd = uint64_t(b.virtualAddress) + mappedSize(b);
            if (mappedSize(a) && mappedSize(b) && a.virtualAddress < bEnd && b.virtualAddress < aEnd)
                return "section " + b.name + " (number " + std::to_string(second + 1) + ", header at offset "
                       + hexText(b.headerOffset) + "): RVA " + hexText(b.virtualAddress) + " to " + hexText(bEnd)
                       + " overlaps section " + a.name + " (number " + std::to_string(first + 1) + ")";
        }
    }
    return "";
}

}  // namespace

PeParse parsePeImage(std::span<const uint8_t> file)
{
    PeParse parse;
    PeImage& image = parse.image;
    if (file.size() < DosHeaderSize) {
        parse.problem = "not a Windows program: " + std::to_string(file.size()) + " bytes, less than the "
                        + std::to_string(DosHeaderSize) + "-byte DOS header";
        return parse;
    }
    if (file[0] != 'M' || file[1] != 'Z') {
        parse.problem = "not a Windows program: no \"MZ\" at offset 0";
        return parse;
    }
    uint32_t signatureOffset = readU32(&file[PeOffsetField]);
    if (!fitsWithin(signatureOffset, 4, file.size()) || readU32(&file[signatureOffset]) != 0x00004550) {
        parse.problem = "not a Windows program: no \"PE\\0\\0\" signature at offset " + hexText(signatureOffset)
                        + " (named at offset 0x3C; the file has " + std::to_string(file.size()) + " bytes)";
        return parse;
    }
    image.fileHeaderOffset = signatureOffset + 4;
    if (!fitsWithin(image.fileHeaderOffset, FileHeaderSize, file.size())) {
        parse.problem = pastTheFile("file header", image.fileHeaderOffset, FileHeaderSize, file.size());
        return parse;
    }
    const uint8_t* fileHeader = &file[image.fileHeaderOffset];
    uint32_t sectionCount = readU16(fileHeader + NumberOfSectionsField);
    image.symbolTableOffset = readU32(fileHeader + PointerToSymbolTableField);
    uint32_t optionalSize = readU16(fileHeader + SizeOfOptionalHeaderField);
    if (sectionCount > MaxSections) {
        parse.problem = "file header at offset " + hexText(image.fileHeaderOffset) + ": "
                        + std::to_string(sectionCount) + " sections, at most " + std::to_string(MaxSections);
        return parse;
    }
    image.optionalHeaderOffset = image.fileHeaderOffset + FileHeaderSize;
    image.sectionTableOffset = image.optionalHeaderOffset + optionalSize;
    parse.problem = readOptionalHeader(file, optionalSize, image);
    if (parse.problem.empty())
        parse.problem = readSectionTable(file, sectionCount, image);
    return parse;
}

PeDataDirectory dataDirectory(const PeImage& image, uint32_t index)
{
    return index < image.directories.size() ? image.directories[index] : PeDataDirectory{0, 0};
}

uint32_t mappedSize(const PeSection& section)
{
    return section.virtualSize ? section.virtualSize : section.rawSize;
}

const PeSection* sectionAt(const PeImage& image, uint32_t rva)
{
    // Bounded by MaxSections, checked when the table was read.
    for (const PeSection& section : image.sections)
        if (rva >= section.virtualAddress && rva - section.virtualAddress < mappedSize(section))
            return &section;
    return nullptr;
}

uint32_t endOfSectionData(const PeImage& image)
{
    uint32_t end = 0;
    // Bounded by MaxSections, checked when the table was read.
    for (const PeSection& section : image.sections)
        if (section.rawSize != 0 && section.rawOffset + section.rawSize > end)
            end = section.rawOffset + section.rawSize;
    return end;
}
