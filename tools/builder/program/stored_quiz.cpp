#include "tools/builder/program/stored_quiz.h"

#include "quiz/resource_ids.h"
#include "tools/builder/program/codec.h"

#include <string>

StoredQuiz storedQuizOf(const std::vector<QuizResource>& resources)
{
    StoredQuiz stored;
    for (const QuizResource& resource : resources) {
        if (resource.type == MediaResourceType)
            stored.media[resource.id] = resource.bytes;
        else if (resource.id == QuizPayloadResourceId)
            stored.quizPayload = resource.bytes;
        else if (resource.id == CodesPayloadResourceId)
            stored.codesPayload = resource.bytes;
        else if (resource.id == QuizLinkResourceId)
            stored.link = resource.bytes;
    }
    return stored;
}

std::vector<uint8_t> unpackedPayload(const std::optional<std::vector<uint8_t>>& packed, const char* where,
                                     const char* resource, bool required, Diagnostics& diagnostics)
{
    if (!packed) {
        if (required)
            reportError(diagnostics, where, MessageId::ResourceMissing, {resource});
        return {};
    }
    CodecResult unpacked = unpackBytes(*packed);
    if (unpacked.status != 0)
        reportError(diagnostics, where, MessageId::ResourceUnpackable, {unpackProblem(unpacked.status, packed->size())});
    return unpacked.bytes;
}

const std::vector<uint8_t>* storedMedia(const StoredQuiz& stored, int id)
{
    auto found = stored.media.find(id);
    return found == stored.media.end() ? nullptr : &found->second;
}
