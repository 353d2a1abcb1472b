// Small media files and a disk of them, for tests of the builder's
// portable parts: only the leading bytes and the sizes matter to the builder.
#pragma once

#include "tools/builder/files/file_read.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/output/extraction.h"
#include "tools/builder/program/quiz_resources.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

inline Bytes bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

// All the bytes of a literal, zeros included, without its terminator.
template <std::size_t N> Bytes literalBytes(const char (&text)[N])
{
    return Bytes(text, text + N - 1);
}

inline const Bytes jpegBytes = literalBytes("\xFF\xD8\xFF\xE0 jpeg");
inline const Bytes bmpBytes = literalBytes("BM bitmap");
inline const Bytes gifBytes = literalBytes("GIF89a gif");
inline const Bytes mp3Bytes = literalBytes("ID3 tagged sound");
inline const Bytes aviBytes = literalBytes("RIFF\x10\x00\x00\x00" "AVI LIST");

using MediaFiles = std::map<std::string, Bytes>;

// A disk as the builder sees it: files with their bytes, files known by
// their size alone (too large to make, and never to be read), folders and
// devices; every read is written down.
struct FakeDisk {
    MediaFiles files;
    std::map<std::string, uint64_t> sizes;  // a size of its own, or another than the bytes of `files`
    std::set<std::string> folders;
    std::set<std::string> devices;
    mutable Lines reads;
};

inline MediaAccess accessOf(const FakeDisk& disk)
{
    MediaFileFacts factsOf = [&disk](const std::string& path) {
        FileFacts facts;
        auto sized = disk.sizes.find(path);
        auto found = disk.files.find(path);
        if (disk.folders.count(path))
            facts.kind = FileKind::Folder;
        else if (disk.devices.count(path))
            facts.kind = FileKind::Device;
        else if (sized != disk.sizes.end() || found != disk.files.end())
            facts.kind = FileKind::File;
        if (facts.kind == FileKind::File)
            facts.size = sized != disk.sizes.end() ? sized->second : found->second.size();
        return facts;
    };
    MediaFileReader read = [&disk](const std::string& path) {
        disk.reads.push_back(path);
        auto found = disk.files.find(path);
        return found == disk.files.end() ? FileRead{{}, "not found"} : FileRead{found->second, ""};
    };
    return {factsOf, read};
}

struct Planned {
    Diagnostics diagnostics{"quiz.json", {}, {}};
    std::vector<QuizResource> resources;
};

inline Planned planOnDisk(const std::string& json, const FakeDisk& disk)
{
    Planned planned;
    QuizDescription description = readQuizDescription(json, planned.diagnostics);
    planned.resources = planQuizResources(description, accessOf(disk), planned.diagnostics);
    return planned;
}

inline Planned plan(const std::string& json, const MediaFiles& files)
{
    FakeDisk disk{files, {}, {}, {}, {}};
    return planOnDisk(json, disk);
}

