// Small media files and a reader over them, for tests of the builder's
// portable parts: only the leading bytes matter to the builder.
#pragma once

#include "tools/builder/file_read.h"
#include "tools/builder/quiz_description.h"
#include "tools/builder/quiz_resources.h"

#include <cstdint>
#include <map>
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

inline MediaFileReader readerOf(const MediaFiles& files)
{
    return [&files](const std::string& path) {
        auto found = files.find(path);
        return found == files.end() ? FileRead{{}, "not found"} : FileRead{found->second, ""};
    };
}

struct Planned {
    Diagnostics diagnostics{"quiz.json", {}, {}};
    std::vector<QuizResource> resources;
};

inline Planned plan(const std::string& json, const MediaFiles& files)
{
    Planned planned;
    QuizDescription description = readQuizDescription(json, planned.diagnostics);
    planned.resources = planQuizResources(description, readerOf(files), planned.diagnostics);
    return planned;
}
