#include "tools/builder/quiz_resources.h"

#include "board/identifiers.h"
#include "quiz/loader.h"
#include "quiz/lzw.h"
#include "quiz/payload_writer.h"
#include "tools/builder/codec.h"
#include "tools/builder/media_format.h"
#include "tools/builder/owned_quiz.h"

#include <memory>

namespace {

MediaUse mediaUseOf(QuizKind kind)
{
    return kind == QuizKind::Sound ? MediaUse::Sound : kind == QuizKind::Video ? MediaUse::Video : MediaUse::Picture;
}

void addMedia(std::vector<QuizResource>& resources, const std::string& path, int id, MediaUse use,
              const std::string& where, const MediaFileReader& readMedia, Diagnostics& diagnostics)
{
    FileRead file = readMedia(path);
    std::string problem = !file.problem.empty() ? file.problem
                          : file.bytes.empty()  ? "the file is empty"
                                                : mediaFormatProblem(mediaFormatOf(file.bytes), use, file.bytes);
    if (!problem.empty())
        reportError(diagnostics, where, inQuotes(path) + ": " + problem);
    else
        resources.push_back({MediaResourceType, id, std::move(file.bytes)});
}

std::vector<uint8_t> packedPayload(const std::vector<uint8_t>& payload, const char* where, Diagnostics& diagnostics)
{
    if (payload.size() > std::size_t(lzwMaxInput)) {
        reportError(diagnostics, where,
                    std::to_string(payload.size()) + " bytes before packing, at most " + std::to_string(lzwMaxInput)
                        + "; shorten the texts or use fewer entries");
        return {};
    }
    CodecResult packed = packBytes(payload);
    if (packed.status != lzwOk)
        reportError(diagnostics, where, "cannot be packed, " + packProblem(packed.status, payload.size()));
    else if (packed.bytes.size() > std::size_t(lzwMaxInput))
        reportError(diagnostics, where,
                    "packs to " + std::to_string(packed.bytes.size()) + " bytes, at most "
                        + std::to_string(lzwMaxInput) + " (the player unpacks no more); shorten the texts");
    return packed.bytes;
}

}  // namespace

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
    for (const EntryDescription& entry : description.entries) {
        const char* second = description.answersPerEntry == 2 ? entry.answers[1].c_str() : "";
        QuizEntry* added = appendEntry(quiz, entry.answers[0].c_str(), second, entry.clue.c_str());
        copyText(added->revealText, entry.revealText.c_str());
    }
    for (std::size_t row = 0; row < description.codes.size() && row < std::size_t(MaxEntries); ++row)
        copyText(quiz.codes[row], description.codes[row].c_str());
}

std::vector<QuizResource> planQuizResources(const QuizDescription& description, const MediaFileReader& readMedia,
                                            Diagnostics& diagnostics)
{
    bool described = diagnostics.errors.empty();
    std::vector<QuizResource> media;
    for (std::size_t index = 0; index < description.entries.size(); ++index) {
        const EntryDescription& entry = description.entries[index];
        int number = static_cast<int>(index) + 1;
        if (!entry.media.empty() && description.kind != QuizKind::Text)
            addMedia(media, entry.media, MediaResourceIdBase + number, mediaUseOf(description.kind),
                     entryField(index, "media"), readMedia, diagnostics);
        if (!entry.revealPicture.empty())
            addMedia(media, entry.revealPicture, AnswerPictureResourceIdBase + number, MediaUse::Picture,
                     entryField(index, "revealPicture"), readMedia, diagnostics);
    }
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
    for (QuizResource& item : media)
        resources.push_back(std::move(item));
    return resources;
}
