#include "quiz/loader.h"

#include "quiz/board_brush.h"
#include "quiz/lzw.h"
#include "quiz/notice.h"
#include "quiz/own_resources.h"
#include "quiz/payload.h"
#include "quiz/quiz_link.h"

namespace {

void tellUser(const char* text)
{
    showNotice(text, "Quizz");
}

struct PackedResource {
    bool found;
    const uint8_t* bytes;
    uint32_t size;
};

// A payload whose bytes are not all there keeps its size but no bytes: it is
// damaged, not missing.
PackedResource findPayload(int id)
{
    OwnResource resource = findOwnResource(PayloadResourceType, id);
    return {resource.found, resource.bytes, resource.size};
}

// Packed payloads never exceed the codec's input limit; a larger resource is
// damaged, and the codec reports it so.
int32_t unpack(const PackedResource& payload, uint8_t** unpacked, int32_t* length)
{
    int32_t packedLength = payload.size > uint32_t(INT32_MAX) ? INT32_MAX : int32_t(payload.size);
    int32_t reported = 0;
    int32_t status = lzwDecode(payload.bytes, packedLength, unpacked, &reported);
    *length = reported >= 2 ? reported - 2 : 0;
    return status;
}

void loadCodes(Quiz& quiz)
{
    PackedResource payload = findPayload(CodesPayloadResourceId);
    if (!payload.found) {
        tellUser("Codes non trouv\xE9" "s.");
        return;
    }
    if (payload.size == 0) {
        tellUser("Codes non renseign\xE9" "s.");
        return;
    }
    uint8_t* unpacked = nullptr;
    int32_t length = 0;
    bool read = payload.bytes && unpack(payload, &unpacked, &length) == lzwOk
                && parseCodesPayload(quiz, unpacked, static_cast<std::size_t>(length));
    lzwFreeBuffer(unpacked);
    if (!read)
        tellUser("Erreur dans le d\xE9" "cryptage des codes");
}

// The quiz's own link, stored as its bytes. One that breaks the link rule
// (a program's file or a script, which a click would hand to the shell) is
// taken for none, whoever wrote it.
void loadLink(Quiz& quiz)
{
    OwnResource resource = findOwnResource(PayloadResourceType, QuizLinkResourceId);
    const char* bytes = reinterpret_cast<const char*>(resource.bytes);
    if (!resource.whole || quizLinkFault(bytes, resource.size) != QuizLinkFault::None)
        return;
    for (uint32_t at = 0; at < resource.size; ++at)  // at most 259 bytes: the rule holds it to that
        quiz.link[at] = bytes[at];
    quiz.link[resource.size] = '\0';
}

}  // namespace

QuizSource loadQuiz(Quiz& quiz)
{
    PackedResource payload = findPayload(QuizPayloadResourceId);
    if (!payload.found)
        tellUser("Erreur dans le fichier");
    if (payload.size == 0) {
        tellUser("Reponses non trouv\xE9" "es");
        loadSampleQuiz(quiz);
        return QuizSource::Sample;
    }
    uint8_t* unpacked = nullptr;
    int32_t length = 0;
    bool read = payload.bytes && unpack(payload, &unpacked, &length) == lzwOk
                && parseQuizPayload(quiz, unpacked, static_cast<std::size_t>(length));
    lzwFreeBuffer(unpacked);
    if (!read) {
        tellUser("Erreur dans le d\xE9" "cryptage des reponses");
        return QuizSource::Unreadable;
    }
    quiz.boardBrush = makeBoardBrush(quiz.boardColour);
    loadCodes(quiz);
    loadLink(quiz);
    return QuizSource::Payload;
}
