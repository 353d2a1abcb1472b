// What the studio asks the builder about files an author brings: the rows
// of a CSV file of entries, read by the builder's own CSV reader, the
// format of a media file, told by the builder's own detection, and a
// picture fitted to the board by the builder's own fitting (as
// --fit-pictures fits it); and a file taken out of the builder's memory. Answers go back as JSON text that
// file-questions.js parses.
#include "tools/builder/files/memory_files.h"
#include "tools/builder/input/csv_entries.h"
#include "tools/builder/input/diagnostics.h"
#include "tools/builder/input/media_format.h"
#include "tools/builder/input/picture_fitting.h"

#include <emscripten/emscripten.h>

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Kept until the next call, for the page to copy out.
std::string lastAnswer;
PictureFitting lastFitting;

const char* answered(const nlohmann::json& answer)
{
    lastAnswer = answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return lastAnswer.c_str();
}

const char* formatName(MediaFormat format)
{
    switch (format) {
    case MediaFormat::Bmp: return "BMP";
    case MediaFormat::Jpeg: return "JPEG";
    case MediaFormat::Gif: return "GIF";
    case MediaFormat::Png: return "PNG";
    case MediaFormat::Mp3: return "MP3";
    case MediaFormat::Avi: return "AVI";
    case MediaFormat::Mp4: return "MP4";
    case MediaFormat::WebM: return "WebM";
    case MediaFormat::Unknown: break;
    }
    return "";
}

MediaUse useNamed(std::string_view use)
{
    if (use == "sound")
        return MediaUse::Sound;
    if (use == "video")
        return MediaUse::Video;
    return use == "webClip" ? MediaUse::WebClip : MediaUse::Picture;
}

}  // namespace

namespace {

std::vector<std::string> frenchLines(const Diagnostics& diagnostics, const std::vector<Problem>& problems)
{
    std::vector<std::string> lines;
    for (const Problem& problem : problems)
        lines.push_back(problemLine(diagnostics.file, problem, false, Language::French));
    return lines;
}

std::string frenchText(const Message& message)
{
    return message.none() ? "" : renderMessage(message, Language::French);
}

}  // namespace

extern "C" {

// The entries of a CSV file as a description would list them, with the
// problems the builder finds in it, in French: {"entries": [...],
// "problems": [errors], "warnings": [...],
// "encoding": "UTF-8"}. `needs` names the columns the quiz calls for, as
// its shape lists them (studioQuizShape), each followed by a comma:
// "clue,answer1,".
EMSCRIPTEN_KEEPALIVE const char* studioCsvEntries(const uint8_t* bytes, std::size_t size, const char* name,
                                                  const char* needs)
{
    std::string_view names(needs);
    auto named = [names](CsvColumn column) {
        return names.find(std::string(csvColumnName(column)) + ",") != std::string_view::npos;
    };
    CsvColumnsNeeded needed;
    needed.clue = named(CsvColumn::Clue);
    needed.secondAnswer = named(CsvColumn::Answer2);
    needed.media = named(CsvColumn::Media);
    needed.revealPicture = named(CsvColumn::RevealPicture);
    Diagnostics diagnostics{name, {}, {}};
    const char* encoding = "";
    std::vector<CsvEntry> rows = readCsvEntries(std::string_view(reinterpret_cast<const char*>(bytes), size),
                                                name, needed, diagnostics, &encoding);
    nlohmann::json entries = nlohmann::json::array();
    for (const CsvEntry& row : rows)
        entries.push_back(row.fields);
    return answered({{"entries", entries},
                     {"problems", frenchLines(diagnostics, diagnostics.errors)},
                     {"warnings", frenchLines(diagnostics, diagnostics.warnings)},
                     {"encoding", encoding}});
}

// What a media file is for the builder: {"format": "JPEG", "mime":
// "image/jpeg", "extension": "jpg", "problem": ""}, the problem being the
// builder's words when the file does not serve `use` ("picture", "sound",
// "video", "webClip").
EMSCRIPTEN_KEEPALIVE const char* studioMediaFormat(const uint8_t* bytes, std::size_t size, const char* use)
{
    std::vector<uint8_t> file(bytes, bytes + size);
    MediaFormat format = mediaFormatOf(file);
    return answered({{"format", formatName(format)},
                     {"mime", mediaMimeType(format)},
                     {"extension", mediaFileExtension(format)},
                     {"problem", frenchText(mediaFormatFault(format, useNamed(use), file))}});
}

// The picture fitted as --fit-pictures fits it: returns the JPEG made and
// its size in `*fittedSize`, or null when the picture is kept as it is; the
// problem, when it cannot be fitted, is then studioFittingProblem's, and
// whether it was made smaller (not only turned from PNG into JPEG)
// studioFittingShrunk's. All are kept until the next call.
EMSCRIPTEN_KEEPALIVE const uint8_t* studioFitPicture(const uint8_t* bytes, std::size_t size, std::size_t* fittedSize)
{
    lastFitting = fitPicture(bytes, size);
    *fittedSize = lastFitting.bytes.size();
    return lastFitting.bytes.empty() ? nullptr : lastFitting.bytes.data();
}

EMSCRIPTEN_KEEPALIVE const char* studioFittingProblem()
{
    return lastFitting.problem.c_str();
}

EMSCRIPTEN_KEEPALIVE int studioFittingShrunk()
{
    return lastFitting.shrunk ? 1 : 0;
}

// A media file the quiz no longer holds, so the checks find it missing.
EMSCRIPTEN_KEEPALIVE void studioRemoveFile(const char* path)
{
    removeMemoryFile(path);
}

}  // extern "C"
