// Any bytes as a program file: its headers and resource tree are read, and
// when they are sound the resources are rewritten (type "IMG" dropped, two
// resources added) and the new image read again. Failures: crashes and
// sanitizer reports, a refused image with resources, resource data outside
// the file, a rewritten image that does not read back, lost or changed
// resources, a wrong checksum.
#include "tools/builder/program/pe_checksum.h"
#include "tools/builder/program/pe_image.h"
#include "tools/builder/program/pe_resource_update.h"
#include "tools/builder/program/pe_resources.h"

#include <cstdlib>
#include <map>
#include <string>

namespace {

// Program files larger than this take the fuzzer's time without reaching
// anything new.
constexpr std::size_t largestInput = 1 << 20;

// The key the writer tells resources apart by: type, name, language.
std::string keyOf(const PeResource& resource)
{
    auto part = [](const ResourceName& name) {
        return name.named ? "s" + std::string(reinterpret_cast<const char*>(name.text.data()), name.text.size() * 2)
                          : "n" + std::to_string(name.id);
    };
    return part(resource.type) + "|" + part(resource.name) + "|" + std::to_string(resource.language);
}

struct Kept {
    uint32_t codePage;
    std::string bytes;
};

std::map<std::string, Kept> keyed(std::span<const uint8_t> file, const std::vector<PeResource>& resources)
{
    std::map<std::string, Kept> found;
    for (const PeResource& resource : resources) {
        if (uint64_t(resource.dataOffset) + resource.size > file.size())
            std::abort();
        auto bytes = resourceBytes(file, resource);
        found[keyOf(resource)] = {resource.codePage, std::string(bytes.begin(), bytes.end())};
    }
    return found;
}

void rewrite(std::span<const uint8_t> file, const std::vector<PeResource>& resources)
{
    static const uint8_t picture[] = {'f', 'u', 'z', 'z'};
    ImageUpdate update = replaceResources(file, {"IMG"}, {{"IMG", 401, picture}, {"patch", 104, {}}});
    if (!update.problem.empty())
        return;
    PeParse again = parsePeImage(update.bytes);
    if (!again.problem.empty())
        std::abort();
    ResourceRead back = readPeResources(update.bytes, again.image);
    if (!back.problem.empty())
        std::abort();
    if (again.image.checkSum != 0
        && peCheckSum(update.bytes, again.image.optionalHeaderOffset + CheckSumField) != again.image.checkSum)
        std::abort();

    std::vector<PeResource> kept;
    for (const PeResource& resource : resources)
        if (!isNamed(resource.type, "img"))
            kept.push_back(resource);
    std::map<std::string, Kept> expected = keyed(file, kept);
    std::vector<PeResource> added = {{asciiName("IMG"), numberedName(401), 0, 0, 0, 0, 0},
                                     {asciiName("PATCH"), numberedName(104), 0, 0, 0, 0, 0}};
    expected[keyOf(added[0])] = {0, "fuzz"};
    expected[keyOf(added[1])] = {0, ""};
    std::map<std::string, Kept> actual = keyed(update.bytes, back.resources);
    if (actual.size() != expected.size())
        std::abort();
    for (const auto& [key, want] : expected) {
        auto found = actual.find(key);
        if (found == actual.end() || found->second.bytes != want.bytes || found->second.codePage != want.codePage)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t length)
{
    if (length > largestInput)
        return 0;
    std::span<const uint8_t> file(bytes, length);
    PeParse parse = parsePeImage(file);
    if (!parse.problem.empty())
        return 0;
    ResourceRead read = readPeResources(file, parse.image);
    if (!read.problem.empty()) {
        if (!read.resources.empty())
            std::abort();
        return 0;
    }
    keyed(file, read.resources);
    rewrite(file, read.resources);
    return 0;
}
