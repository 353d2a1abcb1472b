// Lays out resources as the bytes of a resource section, in the order the
// format describes: the directory tables (types, then names, then
// languages), the name strings, the data entries, then the data, each block
// of data on an 8-byte boundary.
#pragma once

#include "tools/builder/program/pe_resources.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A resource section larger than this is refused: the image would approach
// what a 32-bit process can map, and every RVA must stay far below 4 GB.
constexpr uint64_t MaxResourceSectionSize = 1ull << 30;

struct ResourceItem {
    ResourceName type;
    ResourceName name;
    uint16_t language;
    uint32_t codePage;
    std::span<const uint8_t> bytes;
};

struct ResourceSection {
    std::vector<uint8_t> bytes;
    std::string problem;  // empty when laid out
};

// `items` may come in any order; two items with the same type, name and
// language keep the later one. Data entries point at `sectionRva` plus the
// data's place in the section.
ResourceSection layOutResourceSection(const std::vector<ResourceItem>& items, uint32_t sectionRva);
