#include "tools/builder/program/pe_resource_tree.h"

#include "tools/builder/program/little_endian.h"

#include <algorithm>
#include <map>

namespace {

constexpr uint32_t DirectoryHeaderSize = 16;
constexpr uint32_t DirectoryEntrySize = 8;
constexpr uint32_t DataEntrySize = 16;
constexpr uint32_t DataAlignment = 8;
constexpr uint32_t StringFlag = 0x80000000;
constexpr uint32_t DirectoryFlag = 0x80000000;
// A directory counts its named and its numbered entries in 16 bits each.
constexpr std::size_t MaxEntriesOfAKind = 0xFFFF;

uint64_t alignedUp(uint64_t value, uint64_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

bool itemPrecedes(const ResourceItem& left, const ResourceItem& right)
{
    if (!sameName(left.type, right.type))
        return precedes(left.type, right.type);
    if (!sameName(left.name, right.name))
        return precedes(left.name, right.name);
    return left.language < right.language;
}

bool sameKey(const ResourceItem& left, const ResourceItem& right)
{
    return sameName(left.type, right.type) && sameName(left.name, right.name) && left.language == right.language;
}

// The items sorted by key; of equal keys the one given last.
std::vector<ResourceItem> sortedUnique(const std::vector<ResourceItem>& items)
{
    std::vector<ResourceItem> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(), itemPrecedes);
    std::vector<ResourceItem> unique;
    for (const ResourceItem& item : sorted) {
        if (!unique.empty() && sameKey(unique.back(), item))
            unique.back() = item;
        else
            unique.push_back(item);
    }
    return unique;
}

// One directory table: its entries' names, and for each either a
// subdirectory or a data entry (by index).
struct Directory {
    std::vector<ResourceName> names;
    std::vector<std::size_t> targets;  // directory index, or item index at the language level
    uint32_t offset = 0;
};

struct Layout {
    std::vector<Directory> directories;  // root, then types' tables, then names' tables
    std::map<std::u16string, uint32_t> strings;  // each name once, with its offset
    std::size_t typeTables = 0;
};

void noteString(Layout& layout, const ResourceName& name)
{
    if (name.named)
        layout.strings.emplace(name.text, 0);
}

// Builds the three levels of tables for sorted, unique items.
Layout tablesOf(const std::vector<ResourceItem>& items)
{
    Layout layout;
    layout.directories.emplace_back();
    // Bounded by the items, each visited once per level.
    for (std::size_t first = 0; first < items.size();) {
        std::size_t typeEnd = first;
        while (typeEnd < items.size() && sameName(items[typeEnd].type, items[first].type))
            ++typeEnd;
        layout.directories[0].names.push_back(items[first].type);
        layout.directories[0].targets.push_back(layout.directories.size());
        noteString(layout, items[first].type);
        layout.directories.emplace_back();
        first = typeEnd;
    }
    layout.typeTables = layout.directories.size() - 1;
    std::size_t typeTable = 1;
    for (std::size_t first = 0; first < items.size(); ++typeTable) {
        std::size_t typeEnd = first;
        while (typeEnd < items.size() && sameName(items[typeEnd].type, items[first].type))
            ++typeEnd;
        for (std::size_t nameFirst = first; nameFirst < typeEnd;) {
            std::size_t nameEnd = nameFirst;
            while (nameEnd < typeEnd && sameName(items[nameEnd].name, items[nameFirst].name))
                ++nameEnd;
            layout.directories[typeTable].names.push_back(items[nameFirst].name);
            layout.directories[typeTable].targets.push_back(layout.directories.size());
            noteString(layout, items[nameFirst].name);
            Directory languages;
            for (std::size_t item = nameFirst; item < nameEnd; ++item) {
                languages.names.push_back(numberedName(items[item].language));
                languages.targets.push_back(item);
            }
            layout.directories.push_back(languages);
            nameFirst = nameEnd;
        }
        first = typeEnd;
    }
    return layout;
}

void writeTable(std::vector<uint8_t>& out, Layout& layout, const Directory& directory, bool languageLevel,
                uint32_t dataEntriesOffset)
{
    uint8_t* header = &out[directory.offset];
    uint16_t named = 0;
    for (const ResourceName& name : directory.names)
        named += name.named;
    writeU16(header + 12, named);
    writeU16(header + 14, static_cast<uint16_t>(directory.names.size() - named));
    for (std::size_t n = 0; n < directory.names.size(); ++n) {
        uint8_t* entry = header + DirectoryHeaderSize + n * DirectoryEntrySize;
        const ResourceName& name = directory.names[n];
        writeU32(entry, name.named ? StringFlag | layout.strings.at(name.text) : name.id);
        uint32_t target = languageLevel
                              ? dataEntriesOffset + static_cast<uint32_t>(directory.targets[n]) * DataEntrySize
                              : DirectoryFlag | layout.directories[directory.targets[n]].offset;
        writeU32(entry + 4, target);
    }
}

}  // namespace

ResourceSection layOutResourceSection(const std::vector<ResourceItem>& items, uint32_t sectionRva)
{
    ResourceSection section;
    std::vector<ResourceItem> sorted = sortedUnique(items);
    if (sorted.size() > MaxResources) {
        section.problem = std::to_string(sorted.size()) + " resources, at most " + std::to_string(MaxResources);
        return section;
    }
    Layout layout = tablesOf(sorted);
    for (const Directory& directory : layout.directories) {
        std::size_t named = 0;
        for (const ResourceName& name : directory.names)
            named += name.named;
        if (named > MaxEntriesOfAKind || directory.names.size() - named > MaxEntriesOfAKind) {
            section.problem = "more than " + std::to_string(MaxEntriesOfAKind) + " names or numbers in one directory";
            return section;
        }
    }

    uint64_t size = 0;
    for (Directory& directory : layout.directories) {
        directory.offset = static_cast<uint32_t>(size);
        size += DirectoryHeaderSize + directory.names.size() * DirectoryEntrySize;
    }
    for (auto& [text, offset] : layout.strings) {
        offset = static_cast<uint32_t>(size);
        size += 2 + 2 * text.size();
    }
    uint64_t dataEntries = alignedUp(size, 4);
    size = dataEntries + sorted.size() * DataEntrySize;
    std::vector<uint64_t> dataOffsets;
    for (const ResourceItem& item : sorted) {
        size = alignedUp(size, DataAlignment);
        dataOffsets.push_back(size);
        size += item.bytes.size();
        if (size > MaxResourceSectionSize) {
            section.problem = "the resources take more than " + std::to_string(MaxResourceSectionSize) + " bytes";
            return section;
        }
    }

    section.bytes.assign(static_cast<std::size_t>(size), 0);
    std::vector<uint8_t>& out = section.bytes;
    for (std::size_t n = 0; n < layout.directories.size(); ++n)
        writeTable(out, layout, layout.directories[n], n > layout.typeTables, static_cast<uint32_t>(dataEntries));
    for (const auto& [text, offset] : layout.strings) {
        writeU16(&out[offset], static_cast<uint16_t>(text.size()));
        for (std::size_t unit = 0; unit < text.size(); ++unit)
            writeU16(&out[offset + 2 + 2 * unit], text[unit]);
    }
    for (std::size_t n = 0; n < sorted.size(); ++n) {
        uint8_t* entry = &out[dataEntries + n * DataEntrySize];
        writeU32(entry, sectionRva + static_cast<uint32_t>(dataOffsets[n]));
        writeU32(entry + 4, static_cast<uint32_t>(sorted[n].bytes.size()));
        writeU32(entry + 8, sorted[n].codePage);
        std::copy(sorted[n].bytes.begin(), sorted[n].bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(dataOffsets[n]));
    }
    return section;
}
