// The resources of a Windows program file, read from its bytes: the tree
// under the resource data directory, type, then name or number, then
// language, and each resource's data. The walk is bounded: every directory,
// entry, name and data entry must lie in the resource section, every data
// block in the file, no directory may be reached twice or lie deeper than
// three levels, and the count of resources is limited.
#pragma once

#include "tools/builder/program/pe_image.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Levels of the resource tree: type, name, language.
constexpr int ResourceTreeLevels = 3;
// More resources than any player carries (it needs a few dozen, a quiz at
// most 184); bounds the walk's work and memory on hostile files.
constexpr std::size_t MaxResources = 65536;

// A type or a name: a number, or a UTF-16 string.
struct ResourceName {
    bool named = false;
    uint16_t id = 0;
    std::u16string text;  // only when named, as stored
};

struct PeResource {
    ResourceName type;
    ResourceName name;
    uint16_t language = 0;
    uint32_t codePage = 0;
    uint32_t dataRva = 0;
    uint32_t size = 0;
    uint32_t dataOffset = 0;  // file offset of the data
};

struct ResourceRead {
    std::vector<PeResource> resources;  // in the tree's order
    std::string problem;                // empty when the whole tree was read
};

// A program without a resource directory has no resources, which is no
// problem.
ResourceRead readPeResources(std::span<const uint8_t> file, const PeImage& image);

ResourceName numberedName(uint16_t id);
// An ASCII name, with a to z folded to capitals as the resource calls
// store and look up names.
ResourceName asciiName(std::string_view text);

// Whether `name` is the string `text`, ignoring the case of a to z as the
// resource calls do ("img" names "IMG").
bool isNamed(const ResourceName& name, std::string_view text);

// The order the loader's binary search needs: names before numbers, names
// by their UTF-16 code units, numbers ascending.
bool precedes(const ResourceName& left, const ResourceName& right);
bool sameName(const ResourceName& left, const ResourceName& right);

// How messages name a resource: "IMG 401", "type 3 1004", "type 14 \"A\"",
// with " (language 1036)" unless it is language-neutral.
std::string resourceLabel(const PeResource& resource);

// The resource of a named type and a number: the language-neutral one if
// there is one, else the first in the tree; null when there is none.
const PeResource* findResource(const std::vector<PeResource>& resources, std::string_view type, uint16_t id);

std::span<const uint8_t> resourceBytes(std::span<const uint8_t> file, const PeResource& resource);
