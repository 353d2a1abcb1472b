#include "tools/builder/program/resource_reader.h"

#include "quiz/quiz.h"
#include "quiz/resource_ids.h"
#include "tools/builder/files/files.h"
#include "tools/builder/program/pe_image.h"
#include "tools/builder/program/pe_resources.h"
#include "tools/builder/program/quiz_resources.h"

namespace {

std::optional<std::vector<uint8_t>> bytesOf(std::span<const uint8_t> file, const std::vector<PeResource>& resources,
                                            const char* type, int id)
{
    const PeResource* resource = findResource(resources, type, static_cast<uint16_t>(id));
    if (!resource)
        return std::nullopt;
    std::span<const uint8_t> bytes = resourceBytes(file, *resource);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

StoredQuiz readStoredQuiz(const std::string& program, std::string& problem)
{
    StoredQuiz stored;
    FileRead file = readFileBytes(program);
    if (!file.problem.empty()) {
        problem = file.problem;
        return stored;
    }
    PeParse parse = parsePeImage(file.bytes);
    if (!parse.problem.empty()) {
        problem = parse.problem;
        return stored;
    }
    ResourceRead read = readPeResources(file.bytes, parse.image);
    if (!read.problem.empty()) {
        problem = read.problem;
        return stored;
    }
    stored.quizPayload = bytesOf(file.bytes, read.resources, PayloadResourceType, QuizPayloadResourceId);
    stored.codesPayload = bytesOf(file.bytes, read.resources, PayloadResourceType, CodesPayloadResourceId);
    stored.link = bytesOf(file.bytes, read.resources, PayloadResourceType, QuizLinkResourceId);
    for (int number = 1; number <= MaxEntries; ++number)
        for (int id : {MediaResourceIdBase + number, AnswerPictureResourceIdBase + number})
            if (auto bytes = bytesOf(file.bytes, read.resources, MediaResourceType, id))
                stored.media[id] = std::move(*bytes);
    return stored;
}
