#include "tools/builder/input/quiz_files.h"

#include "tools/builder/files/files.h"
#include "tools/builder/files/letter_case.h"
#include "tools/builder/input/input_size.h"
#include "tools/builder/input/media_limits.h"

#include <utility>

namespace {

// A file the description names that is not found as written but in other
// letter cases (Linux tells them apart, Windows does not), as Windows would
// open it, with a warning; `path` unchanged when there is none.
void respellMissing(std::string& path, const std::string& folder, const Place& where, Diagnostics& diagnostics)
{
    std::string opened = mediaFilePath(folder, path);
    if (path.empty() || opened.empty() || fileFactsOf(opened).kind != FileKind::Missing)
        return;
    std::string found = pathInOtherCase(opened);
    if (found.size() != opened.size() || opened.size() < path.size())
        return;
    std::string respelled = found.substr(opened.size() - path.size());
    reportWarning(diagnostics, where, MessageId::FileRespelled, {path, respelled});
    path = respelled;
}

}  // namespace

// The description's bytes, once the file system says it is a file of a
// description's size.
FileRead readDescription(const std::string& path)
{
    std::string problem = inputSizeProblem(fileFactsOf(path), MaxDescriptionBytes, "for a quiz description");
    return problem.empty() ? readFileBytes(path) : FileRead{{}, problem};
}

// Media files named as the description names them, beside it.
MediaAccess mediaBeside(const std::string& folder)
{
    MediaFileFacts factsOf = [folder](const std::string& path) {
        std::string opened = mediaFilePath(folder, path);
        if (!opened.empty())
            return fileFactsOf(opened);
        FileFacts unwritable;
        unwritable.kind = FileKind::Unknown;
        unwritable.problem = unwritableMediaName;
        return unwritable;
    };
    MediaFileReader read = [folder](const std::string& path) { return readMediaFile(folder, path); };
    return {factsOf, read};
}

void respellMissingMedia(QuizDescription& description, const std::string& folder, Diagnostics& diagnostics)
{
    for (EntryDescription& entry : description.entries) {
        respellMissing(entry.media, folder, entry.mediaPlace, diagnostics);
        respellMissing(entry.revealPicture, folder, entry.revealPicturePlace, diagnostics);
        respellMissing(entry.webClip, folder, entry.webClipPlace, diagnostics);
    }
}

// The CSV file of entries, named as the description names it, beside it.
EntriesFileReader entriesBeside(const std::string& folder, Diagnostics& diagnostics)
{
    return [folder, &diagnostics](std::string path) {
        respellMissing(path, folder, "entries", diagnostics);
        std::string opened = mediaFilePath(folder, path);
        if (opened.empty())
            return FileRead{{}, unwritableMediaName};
        std::string problem = inputSizeProblem(fileFactsOf(opened), MaxEntriesFileBytes, "for a CSV file of entries");
        return problem.empty() ? readFileBytes(opened) : FileRead{{}, problem};
    };
}

// The web clips a description names, sized before they are read and
// checked like any media file.
std::map<int, WebClip> webClipsOf(const std::string& descriptionPath, const QuizDescription& description,
                                  Diagnostics& diagnostics)
{
    std::map<int, WebClip> clips;
    MediaAccess media = mediaBeside(folderOf(descriptionPath));
    for (std::size_t index = 0; index < description.entries.size(); ++index) {
        const EntryDescription& entry = description.entries[index];
        if (entry.webClip.empty())
            continue;
        Place where = entry.webClipPlace;
        where.field += " (" + inQuotes(entry.webClip) + ")";
        Message fault = inputSizeFault(media.factsOf(entry.webClip), MaxMediaFileBytes, "for one media file");
        FileRead read = fault.none() ? media.read(entry.webClip) : FileRead{};
        if (fault.none() && !read.problem.empty())
            fault = fileReadFault(read.problem);
        if (!fault.none())
            reportError(diagnostics, where, fault);
        else
            clips[int(index) + 1] = {std::move(read.bytes), where};
    }
    return clips;
}
