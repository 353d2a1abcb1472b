#include "tools/builder/program/quiz_resources.h"

#include "quiz/lzw.h"
#include "quiz/payload_writer.h"
#include "quiz/resource_ids.h"
#include "tools/builder/input/input_size.h"
#include "tools/builder/input/media_format.h"
#include "tools/builder/input/media_limits.h"
#include "tools/builder/input/media_size_problem.h"
#include "tools/builder/input/owned_quiz.h"
#include "tools/builder/program/codec.h"

#include <cstdint>
#include <memory>

namespace {

MediaUse mediaUseOf(QuizKind kind)
{
    return kind == QuizKind::Sound ? MediaUse::Sound : kind == QuizKind::Video ? MediaUse::Video : MediaUse::Picture;
}

// One media file to store, with what the file system and reading said.
struct MediaItem {
    MediaFileUse file;
    uint64_t size = 0;    // what the file system says, before reading
    Message problem = noProblem;  // what is wrong with the file
};

const std::string playerLimit = "what the 32-bit player can load";

uint64_t addedSizes(uint64_t total, uint64_t size)
{
    return size > UINT64_MAX - total ? UINT64_MAX : total + size;
}

// Sizes every file from the file system, none read yet. Returns the total
// of every file, as the quiz would carry them.
uint64_t sizeMedia(std::vector<MediaItem>& items, const MediaFileFacts& factsOf)
{
    uint64_t total = 0;
    for (MediaItem& item : items) {
        FileFacts facts = factsOf(item.file.path);
        item.size = facts.size;
        item.problem = mediaFileFault(facts);
        if (item.problem.none() && facts.size == 0)
            item.problem = {MessageId::MediaEmpty, {}};
        total = addedSizes(total, facts.size);
    }
    return total;
}

// The files fit to be read, when together they stay within the total.
bool readable(const std::vector<MediaItem>& items)
{
    uint64_t total = 0;
    for (const MediaItem& item : items)
        if (item.problem.none())
            total += item.size;  // each at most MaxMediaFileBytes: no overflow
    return total <= MaxMediaTotalBytes;
}

// Pictures are fitted, with `fitting`, once their size is known to be the
// one counted and before their format is checked.
void readMedia(MediaItem& item, const MediaFileReader& readFile, std::vector<QuizResource>& resources,
               FittingSummary* fitting, Diagnostics& diagnostics)
{
    FileRead read = readFile(item.file.path);
    bool changed = read.problem.empty() && read.bytes.size() != item.size;
    if (read.problem.empty() && !changed && fitting && item.file.use == MediaUse::Picture)
        fitMediaPicture(item.file.path, item.file.where, read.bytes, *fitting, diagnostics);
    item.problem = !read.problem.empty() ? fileReadFault(read.problem)
                   : changed             ? Message{MessageId::MediaChanged, {}}
                                         : mediaFormatFault(mediaFormatOf(read.bytes), item.file.use, read.bytes);
    if (item.problem.none())
        resources.push_back({MediaResourceType, item.file.id, std::move(read.bytes)});
}

std::vector<uint8_t> packedPayload(const std::vector<uint8_t>& payload, const char* where, Diagnostics& diagnostics)
{
    if (payload.size() > std::size_t(lzwMaxInput)) {
        reportError(diagnostics, where, MessageId::ResourceTooLarge,
                    {std::to_string(payload.size()), std::to_string(lzwMaxInput)});
        return {};
    }
    CodecResult packed = packBytes(payload);
    if (packed.status != lzwOk)
        reportError(diagnostics, where, MessageId::ResourceNotPacked, {packProblem(packed.status, payload.size())});
    else if (packed.bytes.size() > std::size_t(lzwMaxInput))
        reportError(diagnostics, where, MessageId::ResourcePacksTooLarge,
                    {std::to_string(packed.bytes.size()), std::to_string(lzwMaxInput)});
    return packed.bytes;
}

}  // namespace

std::vector<MediaFileUse> mediaFilesOf(const QuizDescription& description)
{
    std::vector<MediaFileUse> files;
    for (std::size_t index = 0; index < description.entries.size(); ++index) {
        const EntryDescription& entry = description.entries[index];
        int number = static_cast<int>(index) + 1;
        if (!entry.media.empty() && description.kind != QuizKind::Text)
            files.push_back({entry.media, MediaResourceIdBase + number, mediaUseOf(description.kind),
                             entry.mediaPlace.empty() ? entryField(index, "media") : entry.mediaPlace});
        if (!entry.revealPicture.empty())
            files.push_back({entry.revealPicture, AnswerPictureResourceIdBase + number, MediaUse::Picture,
                             entry.revealPicturePlace.empty() ? entryField(index, "revealPicture")
                                                              : entry.revealPicturePlace});
    }
    return files;
}

void fillQuiz(const QuizDescription& description, Quiz& quiz)
{
    quiz.kind = description.kind;
    copyText(quiz.title, description.title.c_str());
    copyText(quiz.author, description.author.c_str());
    copyText(quiz.description, description.description.c_str());
    copyText(quiz.firstAnswerLabel, description.answerLabels[0].c_str());
    copyText(quiz.secondAnswerLabel, description.answerLabels[1].c_str());
    quiz.entryCount = static_cast<int32_t>(description.entries.size());
    quiz.answersPerEntry = description.answersPerEntry;
    quiz.revealKind = description.reveal;
    quiz.boardColour = description.boardColour;
    copyText(quiz.link, description.link.c_str());
    for (const EntryDescription& entry : description.entries) {
        const char* second = description.answersPerEntry == 2 ? entry.answers[1].c_str() : "";
        QuizEntry* added = appendEntry(quiz, entry.answers[0].c_str(), second, entry.clue.c_str());
        copyText(added->revealText, entry.revealText.c_str());
    }
    for (std::size_t row = 0; row < description.codes.size() && row < std::size_t(MaxEntries); ++row)
        copyText(quiz.codes[row], description.codes[row].c_str());
}

std::vector<QuizResource> planQuizResources(const QuizDescription& description, const MediaAccess& media,
                                            Diagnostics& diagnostics, FittingSummary* fitting)
{
    bool described = diagnostics.errors.empty();
    std::vector<MediaItem> items;
    for (MediaFileUse& file : mediaFilesOf(description))
        items.push_back({std::move(file), 0, noProblem});
    uint64_t total = sizeMedia(items, media.factsOf);
    std::vector<QuizResource> read;
    if (readable(items))
        for (MediaItem& item : items)
            if (item.problem.none())
                readMedia(item, media.read, read, fitting, diagnostics);
    for (const MediaItem& item : items)
        if (!item.problem.none())
            reportError(diagnostics, item.file.where, {MessageId::MediaFileProblem, {item.file.path}, {item.problem}});
    if (total > MaxMediaTotalBytes)
        reportError(diagnostics, "media", MessageId::MediaTotalTooLarge,
                    {std::to_string(total), mebibytes(total), std::to_string(MaxMediaTotalBytes),
                     mebibytes(MaxMediaTotalBytes), playerLimit});
    if (!described)
        return {};

    auto owned = std::make_unique<OwnedQuiz>();
    fillQuiz(description, owned->quiz);
    std::vector<QuizResource> resources;
    resources.push_back({PayloadResourceType, QuizPayloadResourceId,
                         packedPayload(writeQuizPayload(owned->quiz), "quiz payload", diagnostics)});
    resources.push_back({PayloadResourceType, CodesPayloadResourceId,
                         packedPayload(writeCodesPayload(owned->quiz), "codes payload", diagnostics)});
    if (!diagnostics.errors.empty())
        return {};
    // No link, no resource: a player copy keeps none of an earlier quiz's.
    if (!description.link.empty())
        resources.push_back({PayloadResourceType, QuizLinkResourceId,
                             std::vector<uint8_t>(description.link.begin(), description.link.end())});
    for (QuizResource& item : read)
        resources.push_back(std::move(item));
    return resources;
}
