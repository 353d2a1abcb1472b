#include "tools/builder/program/pe_resource_update.h"

#include "tools/builder/program/little_endian.h"
#include "tools/builder/program/pe_checksum.h"
#include "tools/builder/program/pe_image.h"
#include "tools/builder/program/pe_resource_tree.h"
#include "tools/builder/program/pe_resources.h"

#include <algorithm>

namespace {

// Windows maps no image of 2 GB or more.
constexpr uint64_t MaxImageSize = 0x80000000;
// The largest file and section alignments the format allows.
constexpr uint32_t MaxFileAlignment = 0x10000;
// Initialized data, readable: what a resource section is.
constexpr uint32_t ResourceSectionCharacteristics = 0x40000040;
constexpr uint32_t DebugEntrySize = 28;
constexpr uint32_t DebugRawPointerField = 24;
// More debug directory entries than any linker writes; bounds the walk.
constexpr uint32_t MaxDebugEntries = 64;

uint64_t alignedUp(uint64_t value, uint64_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

bool isPowerOfTwo(uint32_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

// Where a resource section's file data starts: on a page, as well as on
// the file alignment, so that a loader can map its pages straight from the
// file and a quiz's pictures and sounds take memory only once read, rather
// than being copied in whole when the program starts.
uint64_t resourceDataAlignment(const PeImage& image)
{
    constexpr uint64_t page = 0x1000;
    return std::max<uint64_t>(image.fileAlignment, std::min<uint64_t>(image.sectionAlignment, page));
}

uint32_t extentOf(const PeSection& section)
{
    return std::max(section.virtualSize, section.rawSize);
}

// Where the new resource section goes, and what of the old file survives.
struct Placement {
    bool inPlace = false;
    std::size_t sectionIndex = 0;  // the rebuilt section, or the count of sections for a new one
    uint32_t rva = 0;
    uint32_t rawOffset = 0;
    uint32_t keptEnd = 0;      // old bytes [0, keptEnd) are kept at their offsets
    uint32_t overlayStart = 0; // old bytes [overlayStart, end) follow the new section
    uint32_t oldRawSize = 0;   // of the rebuilt section
};

std::string checkAlignment(const PeImage& image)
{
    if (!isPowerOfTwo(image.fileAlignment) || image.fileAlignment > MaxFileAlignment)
        return "optional header: FileAlignment " + hexText(image.fileAlignment) + " is not a power of two up to "
               + hexText(MaxFileAlignment);
    if (!isPowerOfTwo(image.sectionAlignment) || image.sectionAlignment < image.fileAlignment)
        return "optional header: SectionAlignment " + hexText(image.sectionAlignment)
               + " is not a power of two at least FileAlignment " + hexText(image.fileAlignment);
    return "";
}

// Whether a data directory other than the resources' points into `section`:
// then the section holds more than resources and is not rebuilt.
bool holdsOtherData(const PeImage& image, const PeSection& section)
{
    // Bounded by MaxDataDirectories, checked when the header was read.
    for (uint32_t index = 0; index < image.directories.size(); ++index) {
        const PeDataDirectory& directory = image.directories[index];
        if (index == ResourceDirectoryIndex || index == CertificateDirectoryIndex || directory.rva == 0)
            continue;
        if (directory.rva >= section.virtualAddress && directory.rva - section.virtualAddress < extentOf(section))
            return true;
    }
    return false;
}

std::string place(std::span<const uint8_t> file, const PeImage& image, Placement& placement)
{
    uint32_t dataEnd = std::max(endOfSectionData(image), image.sizeOfHeaders);
    placement.overlayStart = dataEnd;
    PeDataDirectory resources = dataDirectory(image, ResourceDirectoryIndex);
    const PeSection* last = &image.sections[0];
    // These loops over sections are bounded by MaxSections, checked when the table was read.
    for (const PeSection& section : image.sections)
        if (section.virtualAddress > last->virtualAddress)
            last = &section;
    const PeSection* old = resources.rva ? sectionAt(image, resources.rva) : nullptr;
    uint32_t tableEnd = image.sectionTableOffset + static_cast<uint32_t>(image.sections.size()) * SectionHeaderSize;
    // Rebuilt in place, the section must not hold the headers the writer changes.
    bool lastInFile = old && old->rawSize != 0 && old->rawOffset + old->rawSize == dataEnd
                      && old->rawOffset >= std::max(image.sizeOfHeaders, tableEnd);
    for (const PeSection& section : image.sections)
        lastInFile = lastInFile && (&section == old || section.rawSize == 0
                                    || section.rawOffset + section.rawSize <= old->rawOffset);
    if (old && old == last && old->virtualAddress == resources.rva && lastInFile && !holdsOtherData(image, *old)) {
        placement.inPlace = true;
        placement.sectionIndex = static_cast<std::size_t>(old - image.sections.data());
        placement.rva = old->virtualAddress;
        placement.rawOffset = static_cast<uint32_t>(alignedUp(old->rawOffset, resourceDataAlignment(image)));
        placement.keptEnd = old->rawOffset;
        placement.oldRawSize = old->rawSize;
        return "";
    }

    bool room = uint64_t(tableEnd) + SectionHeaderSize <= image.sizeOfHeaders;
    for (const PeSection& section : image.sections)
        room = room && (section.rawSize == 0 || uint64_t(tableEnd) + SectionHeaderSize <= section.rawOffset);
    if (room && image.sections.size() < MaxSections)
        room = std::all_of(file.begin() + tableEnd, file.begin() + tableEnd + SectionHeaderSize,
                           [](uint8_t byte) { return byte == 0; });
    if (!room || image.sections.size() >= MaxSections)
        return "section table at offset " + hexText(image.sectionTableOffset) + ": no room for one more section ("
               + std::to_string(image.sections.size()) + " sections, SizeOfHeaders " + hexText(image.sizeOfHeaders)
               + "), and the resource section is not the last one to be rebuilt in place";
    // The headers take the image's first addresses, whatever the sections say.
    uint64_t end = alignedUp(std::max<uint32_t>(image.sizeOfHeaders, 1), image.sectionAlignment);
    for (const PeSection& section : image.sections)
        end = std::max(end, alignedUp(uint64_t(section.virtualAddress) + extentOf(section), image.sectionAlignment));
    if (end >= MaxImageSize)
        return "sections reach RVA " + hexText(end) + ", no room for another below " + hexText(MaxImageSize);
    placement.sectionIndex = image.sections.size();
    placement.rva = static_cast<uint32_t>(end);
    placement.rawOffset = static_cast<uint32_t>(alignedUp(dataEnd, resourceDataAlignment(image)));
    placement.keptEnd = dataEnd;
    return "";
}

// A file offset into the old file that may need to follow the overlay.
std::string movedOffset(uint32_t& offset, const Placement& placement, int64_t shift, const std::string& what)
{
    if (offset == 0 || offset < placement.keptEnd)
        return "";
    if (offset < placement.overlayStart)
        return what + " at offset " + hexText(offset) + " lies in the resource section that is rebuilt";
    offset = static_cast<uint32_t>(int64_t(offset) + shift);
    return "";
}

// Debug directory entries name their data by file offset too.
std::string moveDebugData(std::span<const uint8_t> file, const PeImage& image, const Placement& placement,
                          int64_t shift, std::vector<uint8_t>& out)
{
    PeDataDirectory debug = dataDirectory(image, DebugDirectoryIndex);
    if (debug.rva == 0 || debug.size == 0)
        return "";
    const PeSection* section = sectionAt(image, debug.rva);
    uint32_t count = debug.size / DebugEntrySize;
    uint64_t into = section ? debug.rva - section->virtualAddress : 0;
    if (!section || count > MaxDebugEntries || !fitsWithin(into, uint64_t(count) * DebugEntrySize, section->rawSize))
        return "debug directory at RVA " + hexText(debug.rva) + " size " + std::to_string(debug.size)
               + ": not within one section's file bytes, or more than " + std::to_string(MaxDebugEntries) + " entries";
    uint64_t at = section->rawOffset + into;
    if (at + uint64_t(count) * DebugEntrySize > placement.keptEnd)
        return "debug directory at offset " + hexText(at) + " lies in the resource section that is rebuilt";
    // Bounded by MaxDebugEntries.
    for (uint32_t n = 0; n < count; ++n) {
        std::size_t field = static_cast<std::size_t>(at + n * DebugEntrySize + DebugRawPointerField);
        uint32_t pointer = readU32(&file[field]);
        std::string problem = movedOffset(pointer, placement, shift, "debug data");
        if (!problem.empty())
            return problem;
        writeU32(&out[field], pointer);
    }
    return "";
}

void writeSectionHeader(std::vector<uint8_t>& out, uint32_t at, uint32_t virtualSize, const Placement& placement,
                        uint32_t rawSize, bool fresh)
{
    if (fresh) {
        const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
        std::fill(out.begin() + at, out.begin() + at + SectionHeaderSize, 0);
        std::copy(name, name + 8, out.begin() + at);
        writeU32(&out[at + SectionCharacteristicsField], ResourceSectionCharacteristics);
    }
    writeU32(&out[at + SectionVirtualSizeField], virtualSize);
    writeU32(&out[at + SectionVirtualAddressField], placement.rva);
    writeU32(&out[at + SectionRawSizeField], rawSize);
    writeU32(&out[at + SectionRawOffsetField], placement.rawOffset);
}

std::vector<ResourceItem> itemsToWrite(std::span<const uint8_t> file, const std::vector<PeResource>& resources,
                                       const std::vector<std::string>& droppedTypes,
                                       const std::vector<NewResource>& added)
{
    std::vector<ResourceItem> items;
    for (const PeResource& resource : resources) {
        bool dropped = std::any_of(droppedTypes.begin(), droppedTypes.end(),
                                   [&](const std::string& type) { return isNamed(resource.type, type); });
        if (!dropped)
            items.push_back({resource.type, resource.name, resource.language, resource.codePage,
                             resourceBytes(file, resource)});
    }
    for (const NewResource& resource : added)
        items.push_back({asciiName(resource.type), numberedName(resource.id), 0, 0, resource.bytes});
    return items;
}

}  // namespace

ImageUpdate replaceResources(std::span<const uint8_t> program, const std::vector<std::string>& droppedTypes,
                             const std::vector<NewResource>& added)
{
    ImageUpdate update;
    PeParse parse = parsePeImage(program);
    if (!parse.problem.empty()) {
        update.problem = parse.problem;
        return update;
    }
    const PeImage& image = parse.image;
    ResourceRead read = readPeResources(program, image);
    if (!read.problem.empty()) {
        update.problem = read.problem;
        return update;
    }
    PeDataDirectory certificates = dataDirectory(image, CertificateDirectoryIndex);
    if (certificates.rva != 0 || certificates.size != 0) {
        update.problem = "a signed program (certificate table at offset " + hexText(certificates.rva)
                         + "): its signature would not match the new resources; use an unsigned player";
        return update;
    }
    if (image.directories.size() <= ResourceDirectoryIndex) {
        update.problem = "optional header: " + std::to_string(image.directories.size())
                         + " data directories, none for resources";
        return update;
    }
    if (image.sections.empty()) {
        update.problem = "section table: no sections";
        return update;
    }
    if (image.sizeOfHeaders > program.size()) {
        update.problem = "optional header: SizeOfHeaders " + hexText(image.sizeOfHeaders)
                         + " runs past the end of the file (" + std::to_string(program.size()) + " bytes)";
        return update;
    }
    update.problem = checkAlignment(image);
    Placement placement;
    if (update.problem.empty())
        update.problem = place(program, image, placement);
    if (!update.problem.empty())
        return update;

    ResourceSection section =
        layOutResourceSection(itemsToWrite(program, read.resources, droppedTypes, added), placement.rva);
    if (!section.problem.empty()) {
        update.problem = section.problem;
        return update;
    }
    uint32_t virtualSize = static_cast<uint32_t>(section.bytes.size());
    uint64_t imageEnd = alignedUp(uint64_t(placement.rva) + std::max<uint64_t>(virtualSize, 1), image.sectionAlignment);
    for (std::size_t n = 0; n < image.sections.size(); ++n)
        if (n != placement.sectionIndex)
            imageEnd = std::max(imageEnd, alignedUp(uint64_t(image.sections[n].virtualAddress) + extentOf(image.sections[n]),
                                                    image.sectionAlignment));
    if (imageEnd >= MaxImageSize) {
        update.problem = "the new image would take " + hexText(imageEnd) + " bytes of memory, less than "
                         + hexText(MaxImageSize) + " is needed";
        return update;
    }
    uint32_t rawSize = static_cast<uint32_t>(alignedUp(virtualSize, image.fileAlignment));
    int64_t shift = int64_t(placement.rawOffset) + rawSize - placement.overlayStart;

    std::vector<uint8_t>& out = update.bytes;
    out.reserve(placement.rawOffset + rawSize + (program.size() - placement.overlayStart));
    out.assign(program.begin(), program.begin() + placement.keptEnd);
    out.resize(placement.rawOffset, 0);
    out.insert(out.end(), section.bytes.begin(), section.bytes.end());
    out.resize(placement.rawOffset + rawSize, 0);
    out.insert(out.end(), program.begin() + placement.overlayStart, program.end());

    uint32_t symbols = image.symbolTableOffset;
    update.problem = movedOffset(symbols, placement, shift, "symbol table");
    if (update.problem.empty())
        update.problem = moveDebugData(program, image, placement, shift, out);
    if (!update.problem.empty()) {
        out.clear();
        return update;
    }
    writeU32(&out[image.fileHeaderOffset + PointerToSymbolTableField], symbols);

    uint32_t optional = image.optionalHeaderOffset;
    int64_t initialized = int64_t(image.sizeOfInitializedData) + rawSize - placement.oldRawSize;
    if (placement.inPlace) {
        writeSectionHeader(out, image.sections[placement.sectionIndex].headerOffset, virtualSize, placement, rawSize, false);
    } else {
        uint32_t at = image.sectionTableOffset + static_cast<uint32_t>(image.sections.size()) * SectionHeaderSize;
        writeSectionHeader(out, at, virtualSize, placement, rawSize, true);
        writeU16(&out[image.fileHeaderOffset + NumberOfSectionsField],
                 static_cast<uint16_t>(image.sections.size() + 1));
        if (const PeSection* old = sectionAt(image, dataDirectory(image, ResourceDirectoryIndex).rva);
            old && old->name == ".rsrc") {
            const char name[8] = {'.', 'o', 'l', 'd', 'r', 's', 'r', 'c'};
            std::copy(name, name + 8, out.begin() + old->headerOffset);
        }
    }
    writeU32(&out[optional + SizeOfInitializedDataField],
             static_cast<uint32_t>(std::clamp<int64_t>(initialized, 0, UINT32_MAX)));
    writeU32(&out[optional + SizeOfImageField], static_cast<uint32_t>(imageEnd));
    uint32_t directoryAt = image.dataDirectoryOffset + ResourceDirectoryIndex * DataDirectorySize;
    writeU32(&out[directoryAt], placement.rva);
    writeU32(&out[directoryAt + 4], virtualSize);
    if (image.checkSum != 0)
        writeU32(&out[optional + CheckSumField], peCheckSum(out, optional + CheckSumField));
    return update;
}
