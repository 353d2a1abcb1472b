#include "tools/builder/program/pe_resources.h"

#include "tools/builder/program/little_endian.h"

#include <set>

namespace {

constexpr uint32_t DirectoryHeaderSize = 16;
constexpr uint32_t DirectoryEntrySize = 8;
constexpr uint32_t DataEntrySize = 16;
// The high bit of an entry's name field marks a string; of its offset
// field, a subdirectory.
constexpr uint32_t HighBit = 0x80000000;

const char* levelName(int level)
{
    return level == 1 ? "types" : level == 2 ? "names" : "languages";
}

struct TreeWalk {
    std::span<const uint8_t> file;
    const PeImage& image;
    uint32_t root;     // file offset of the root directory; tree offsets count from it
    uint32_t end;      // file offset where the resource section's raw data ends
    std::string sectionName;
    std::set<uint32_t> visited;  // directories' file offsets
    std::vector<PeResource> found;
    std::string problem;
};

std::string outsideSection(const TreeWalk& walk, const std::string& what, uint64_t offset, uint64_t length)
{
    return what + " at offset " + hexText(offset) + ": " + std::to_string(length)
           + " bytes run past the end of the resource section " + walk.sectionName + " (its file bytes end at offset "
           + hexText(walk.end) + ")";
}

// The tree offset `relative` as a file offset, if the structure of
// `length` bytes there lies in the section; `what` names it, and is only
// asked when it does not.
template <typename Describe>
bool locate(TreeWalk& walk, Describe what, uint32_t relative, uint64_t length, uint32_t& offset)
{
    uint64_t absolute = uint64_t(walk.root) + relative;
    if (!fitsWithin(absolute, length, walk.end)) {
        walk.problem = outsideSection(walk, what(), absolute, length);
        return false;
    }
    offset = static_cast<uint32_t>(absolute);
    return true;
}

bool readName(TreeWalk& walk, uint32_t field, ResourceName& name)
{
    if (!(field & HighBit)) {
        if (field > 0xFFFF) {
            walk.problem = "resource directory entry: number " + hexText(field) + " does not fit 16 bits";
            return false;
        }
        name = numberedName(static_cast<uint16_t>(field));
        return true;
    }
    uint32_t at;
    if (!locate(walk, [] { return std::string("resource name string"); }, field & ~HighBit, 2, at))
        return false;
    uint32_t length = readU16(&walk.file[at]);
    auto what = [length] { return "resource name string of " + std::to_string(length) + " characters"; };
    if (!locate(walk, what, field & ~HighBit, 2 + uint64_t(length) * 2, at))
        return false;
    name.named = true;
    name.text.resize(length);
    // Bounded by the 16-bit length, checked against the section above.
    for (uint32_t n = 0; n < length; ++n)
        name.text[n] = static_cast<char16_t>(readU16(&walk.file[at + 2 + 2 * n]));
    return true;
}

bool readData(TreeWalk& walk, uint32_t relative, PeResource& resource)
{
    uint32_t at;
    if (!locate(walk, [&] { return "resource data entry of " + resourceLabel(resource); }, relative, DataEntrySize, at))
        return false;
    resource.dataRva = readU32(&walk.file[at]);
    resource.size = readU32(&walk.file[at + 4]);
    resource.codePage = readU32(&walk.file[at + 8]);
    auto where = [&] {
        return resourceLabel(resource) + ": data at RVA " + hexText(resource.dataRva) + " size "
               + std::to_string(resource.size);
    };
    const PeSection* section = sectionAt(walk.image, resource.dataRva);
    // No bytes at all may sit right at the end of a section. Bounded by MaxSections.
    for (const PeSection& candidate : walk.image.sections)
        if (!section && resource.size == 0 && resource.dataRva >= candidate.virtualAddress
            && resource.dataRva - candidate.virtualAddress == mappedSize(candidate))
            section = &candidate;
    if (!section) {
        walk.problem = where() + " lies in no section";
        return false;
    }
    uint32_t into = resource.dataRva - section->virtualAddress;
    if (into > section->rawSize) {
        walk.problem = where() + " lies past the file bytes of section " + section->name;
        return false;
    }
    uint64_t offset = uint64_t(section->rawOffset) + into;
    if (!fitsWithin(offset, resource.size, walk.file.size())) {
        walk.problem = where() + " runs past the end of the file (" + std::to_string(walk.file.size()) + " bytes)";
        return false;
    }
    if (!fitsWithin(into, resource.size, section->rawSize)) {
        walk.problem = where() + " runs past the end of section " + section->name + " (its file bytes end at RVA "
                       + hexText(uint64_t(section->virtualAddress) + section->rawSize) + ")";
        return false;
    }
    resource.dataOffset = static_cast<uint32_t>(offset);
    if (walk.found.size() == MaxResources) {
        walk.problem = "resource directory: more than " + std::to_string(MaxResources) + " resources";
        return false;
    }
    walk.found.push_back(resource);
    return true;
}

// Reads the directory at tree offset `relative` on `level` (1 types, 2
// names, 3 languages); `resource` holds the type and name of the path so far.
bool walkDirectory(TreeWalk& walk, int level, uint32_t relative, PeResource resource)
{
    auto what = [level] { return std::string("resource directory (") + levelName(level) + ")"; };
    uint32_t at;
    if (!locate(walk, what, relative, DirectoryHeaderSize, at))
        return false;
    if (!walk.visited.insert(at).second) {
        walk.problem = what() + " at offset " + hexText(at) + ": reached a second time; the tree loops or shares it";
        return false;
    }
    uint32_t count = uint32_t(readU16(&walk.file[at + 12])) + readU16(&walk.file[at + 14]);
    auto withCount = [&] { return what() + " of " + std::to_string(count) + " entries"; };
    if (!locate(walk, withCount, relative, DirectoryHeaderSize + uint64_t(count) * DirectoryEntrySize, at))
        return false;
    // At most 131070 entries, all inside the section (checked above).
    for (uint32_t index = 0; index < count; ++index) {
        uint32_t entry = at + DirectoryHeaderSize + index * DirectoryEntrySize;
        uint32_t nameField = readU32(&walk.file[entry]);
        uint32_t target = readU32(&walk.file[entry + 4]);
        ResourceName name;
        if (!readName(walk, nameField, name))
            return false;
        if (level == 1)
            resource.type = name;
        else if (level == 2)
            resource.name = name;
        else
            resource.language = name.named ? 0 : name.id;
        bool subdirectory = (target & HighBit) != 0;
        if (level < ResourceTreeLevels && !subdirectory) {
            walk.problem = what() + " entry at offset " + hexText(entry) + ": points at data, expected a directory of "
                           + levelName(level + 1);
            return false;
        }
        if (level == ResourceTreeLevels && subdirectory) {
            walk.problem = what() + " entry at offset " + hexText(entry) + ": points at a directory nested deeper than "
                           + std::to_string(ResourceTreeLevels) + " levels (type, name, language)";
            return false;
        }
        if (level == ResourceTreeLevels && name.named) {
            walk.problem = what() + " entry at offset " + hexText(entry) + ": a language must be a number";
            return false;
        }
        bool read = subdirectory ? walkDirectory(walk, level + 1, target & ~HighBit, resource)
                                 : readData(walk, target, resource);
        if (!read)
            return false;
    }
    return true;
}

char16_t foldedToCapital(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

std::string nameText(const ResourceName& name)
{
    if (!name.named)
        return std::to_string(name.id);
    std::string text;
    for (char16_t unit : name.text)
        text += unit >= 0x20 && unit < 0x7F ? static_cast<char>(unit) : '?';
    return text;
}

}  // namespace

ResourceRead readPeResources(std::span<const uint8_t> file, const PeImage& image)
{
    ResourceRead read;
    PeDataDirectory directory = dataDirectory(image, ResourceDirectoryIndex);
    if (directory.rva == 0)
        return read;
    const PeSection* section = sectionAt(image, directory.rva);
    uint32_t into = section ? directory.rva - section->virtualAddress : 0;
    if (!section || into >= section->rawSize) {
        read.problem = "resource directory at RVA " + hexText(directory.rva) + ": in no section's file bytes";
        return read;
    }
    TreeWalk walk{file, image, section->rawOffset + into, section->rawOffset + section->rawSize, section->name, {}, {}, {}};
    walkDirectory(walk, 1, 0, PeResource{});
    read.problem = walk.problem;
    if (read.problem.empty())
        read.resources = std::move(walk.found);
    return read;
}

ResourceName numberedName(uint16_t id)
{
    return {false, id, {}};
}

ResourceName asciiName(std::string_view text)
{
    ResourceName name{true, 0, {}};
    for (char character : text)
        name.text += foldedToCapital(static_cast<unsigned char>(character));
    return name;
}

bool isNamed(const ResourceName& name, std::string_view text)
{
    if (!name.named || name.text.size() != text.size())
        return false;
    for (std::size_t n = 0; n < text.size(); ++n)
        if (foldedToCapital(name.text[n]) != foldedToCapital(static_cast<unsigned char>(text[n])))
            return false;
    return true;
}

bool precedes(const ResourceName& left, const ResourceName& right)
{
    if (left.named != right.named)
        return left.named;
    return left.named ? left.text < right.text : left.id < right.id;
}

bool sameName(const ResourceName& left, const ResourceName& right)
{
    return left.named == right.named && (left.named ? left.text == right.text : left.id == right.id);
}

std::string resourceLabel(const PeResource& resource)
{
    std::string type = resource.type.named ? nameText(resource.type) : "type " + nameText(resource.type);
    std::string name = resource.name.named ? "\"" + nameText(resource.name) + "\"" : nameText(resource.name);
    std::string language = resource.language ? " (language " + std::to_string(resource.language) + ")" : "";
    return type + " " + name + language;
}

const PeResource* findResource(const std::vector<PeResource>& resources, std::string_view type, uint16_t id)
{
    const PeResource* first = nullptr;
    // Bounded by MaxResources, checked when the tree was read.
    for (const PeResource& resource : resources) {
        if (!isNamed(resource.type, type) || resource.name.named || resource.name.id != id)
            continue;
        if (resource.language == 0)
            return &resource;
        if (!first)
            first = &resource;
    }
    return first;
}

std::span<const uint8_t> resourceBytes(std::span<const uint8_t> file, const PeResource& resource)
{
    return file.subspan(resource.dataOffset, resource.size);
}
