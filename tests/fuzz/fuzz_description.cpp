// Any bytes as a quiz description, through everything `quizbuild check`
// does but the file system: reading and checking the JSON, then sizing,
// reading and checking the media on a made-up disk and packing the
// payloads. A description found fit to build is extracted again and must
// build into the very same resources. Besides crashes and sanitizer
// reports, the failures are broken promises: a problem line that does not
// start with the file's name or holds a control character, a file read
// that was never fit to be read, resources beside errors.
#include "tests/builder/builder_fixtures.h"
#include "tests/fuzz/problem_lines.h"
#include "tools/builder/input/media_limits.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/output/extraction.h"
#include "tools/builder/program/quiz_resources.h"

#include <cstdlib>
#include <string>

namespace {

// Inputs longer than this are not tried: a description is at most this
// long when read from a file.
constexpr std::size_t largestInput = MaxDescriptionBytes;

// The made-up disk: a media path names a missing file when it starts with
// "missing", a folder with "dir/", a device with "nul", a file too large to
// read with "big", and otherwise a file whose bytes are the path itself, so
// the fuzzer picks the media formats too.
bool startsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

FileFacts factsOf(const std::string& path)
{
    FileFacts facts;
    if (startsWith(path, "missing"))
        return facts;
    facts.kind = startsWith(path, "dir/")  ? FileKind::Folder
                 : startsWith(path, "nul") ? FileKind::Device
                                           : FileKind::File;
    facts.size = startsWith(path, "big") ? MaxMediaFileBytes + path.size() : path.size();
    return facts;
}

FileRead readMedia(const std::string& path)
{
    if (factsOf(path).kind != FileKind::File || factsOf(path).size > MaxMediaFileBytes)
        std::abort();  // read though never fit to be read
    return {{path.begin(), path.end()}, ""};
}

std::vector<QuizResource> plan(std::string_view json, Diagnostics& diagnostics)
{
    QuizDescription description = readQuizDescription(json, diagnostics);
    std::vector<QuizResource> resources = planQuizResources(description, {factsOf, readMedia}, diagnostics);
    checkProblemLines(errorLines(diagnostics), diagnostics.file);
    checkProblemLines(warningLines(diagnostics), diagnostics.file);
    if (diagnostics.errors.empty() == resources.empty())
        std::abort();
    return resources;
}

// Extracts what was planned, builds the description that comes out, and
// insists on the same resources; extracted media get new names, so the
// made-up disk serves them by content from the extraction.
void roundTrip(const std::vector<QuizResource>& resources)
{
    StoredQuiz stored = storedQuizOf(resources);
    Diagnostics extracted{"quiz.exe", {}, {}};
    std::vector<ExtractedFile> files = extractQuiz(stored, extracted);
    if (!extracted.errors.empty() || files.empty())
        std::abort();
    auto mediaFile = [&files](const std::string& path) -> const ExtractedFile* {
        for (const ExtractedFile& file : files)
            if (file.name == path)
                return &file;
        return nullptr;
    };
    MediaAccess disk{[&](const std::string& path) {
                         FileFacts facts;
                         if (const ExtractedFile* file = mediaFile(path)) {
                             facts.kind = FileKind::File;
                             facts.size = file->bytes.size();
                         }
                         return facts;
                     },
                     [&](const std::string& path) {
                         const ExtractedFile* file = mediaFile(path);
                         return file ? FileRead{file->bytes, ""} : FileRead{{}, "not found"};
                     }};
    Diagnostics again{"quiz.json", {}, {}};
    const std::vector<uint8_t>& json = files[0].bytes;
    QuizDescription description =
        readQuizDescription(std::string_view(reinterpret_cast<const char*>(json.data()), json.size()), again);
    std::vector<QuizResource> rebuilt = planQuizResources(description, disk, again);
    if (!again.errors.empty() || rebuilt.size() != resources.size())
        std::abort();
    for (std::size_t at = 0; at < rebuilt.size(); ++at)
        if (rebuilt[at].type != resources[at].type || rebuilt[at].id != resources[at].id
            || rebuilt[at].bytes != resources[at].bytes)
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t length)
{
    if (length > largestInput)
        return 0;
    Diagnostics diagnostics{"quiz.json", {}, {}};
    std::vector<QuizResource> resources =
        plan(std::string_view(reinterpret_cast<const char*>(bytes), length), diagnostics);
    if (!resources.empty())
        roundTrip(resources);
    return 0;
}
