#include "tools/builder/output/web_page.h"

#include "quiz/answers_text.h"
#include "quiz/base64.h"
#include "quiz/payload.h"
#include "quiz/quiz_link.h"
#include "quiz/resource_ids.h"
#include "quiz/windows_1252.h"
#include "tools/builder/input/media_format.h"
#include "tools/builder/input/owned_quiz.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/output/page_escaping.h"
#include "tools/builder/output/page_runtime.h"
#include "tools/builder/program/codec.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace {

// Two quizzes opened from one folder share the browser's storage; the key
// keeps each one's answers to itself, and a changed quiz starts afresh.
std::string storageKey(const std::string& answersFileName, const std::vector<uint8_t>& quiz,
                       const std::vector<uint8_t>& codes)
{
    uint64_t hash = 0xCBF29CE484222325;  // FNV-1a
    for (const std::vector<uint8_t>* bytes : {&quiz, &codes})
        for (uint8_t byte : *bytes)
            hash = (hash ^ byte) * 0x100000001B3;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "quizz:" + answersFileName + ":" + hex;
}

struct MediaRole {
    const char* role;
    MediaUse use;
};

// The page's media: what each item is, in the data block with the quiz's
// texts, and its bytes, each in a block of its own after the page's script.
struct PageMedia {
    nlohmann::json items = nlohmann::json::array();
    std::vector<const std::vector<uint8_t>*> bytes;
};

void addMedia(PageMedia& media, int entry, const MediaRole& role, const std::vector<uint8_t>& bytes,
              const Place& where, Diagnostics& diagnostics)
{
    MediaFormat format = mediaFormatOf(bytes);
    if (Message problem = mediaFormatFault(format, role.use, bytes); !problem.none()) {
        reportError(diagnostics, where, problem);
        return;
    }
    media.items.push_back({{"entry", entry}, {"role", role.role}, {"type", mediaMimeType(format)}});
    media.bytes.push_back(&bytes);
}

// An empty item is as good as none: the page could not show it.
const std::vector<uint8_t>* pageItem(const StoredQuiz& stored, int id, const Place& where,
                                     Diagnostics& diagnostics)
{
    const std::vector<uint8_t>* bytes = storedMedia(stored, id);
    if (!bytes || bytes->empty()) {
        reportError(diagnostics, where, MessageId::MediaMissingResource, {std::to_string(id)});
        return nullptr;
    }
    return bytes;
}

PageMedia pageMedia(const Quiz& quiz, const StoredQuiz& stored, const std::map<int, WebClip>& webClips,
                    Diagnostics& diagnostics)
{
    PageMedia media;
    for (int entry = 1; entry <= quiz.entryCount; ++entry) {
        std::size_t index = entry - 1;
        switch (quiz.kind) {
        case QuizKind::Text: break;
        case QuizKind::Picture:
        case QuizKind::Sound:
            if (auto* bytes = pageItem(stored, MediaResourceIdBase + entry, entryField(index, "media"), diagnostics))
                addMedia(media, entry,
                         quiz.kind == QuizKind::Sound ? MediaRole{"clip", MediaUse::Sound}
                                                      : MediaRole{"question", MediaUse::Picture},
                         *bytes, entryField(index, "media"), diagnostics);
            break;
        case QuizKind::Video:
            if (auto clip = webClips.find(entry); clip != webClips.end())
                addMedia(media, entry, {"clip", MediaUse::WebClip}, clip->second.bytes, clip->second.where,
                         diagnostics);
            else
                reportError(diagnostics, entryField(index, "webClip"), MessageId::ClipMissing);
            break;
        }
        // Only a picture quiz has a picture for the answer to take the place of.
        if (quiz.kind == QuizKind::Picture && quiz.revealKind == RevealKind::Picture)
            if (auto* bytes = pageItem(stored, AnswerPictureResourceIdBase + entry, entryField(index, "revealPicture"),
                                          diagnostics))
                addMedia(media, entry, {"answer", MediaUse::Picture}, *bytes, entryField(index, "revealPicture"),
                         diagnostics);
    }
    return media;
}

// The media's blocks, in board order, after the page's script: the browser
// draws the board and takes answers while it still reads them, and the
// script turns each into a picture, sound or clip when it is wanted.
std::string mediaBlocks(const PageMedia& media)
{
    std::size_t size = 0;
    for (const std::vector<uint8_t>* bytes : media.bytes)
        size += (bytes->size() + 2) / 3 * 4 + 64;
    std::string blocks;
    blocks.reserve(size);
    for (std::size_t at = 0; at < media.bytes.size(); ++at) {
        blocks += "<script type=\"application/octet-stream\" id=\"quizz-media-" + std::to_string(at) + "\">";
        blocks += base64Of(*media.bytes[at]);
        blocks += "</script>\n";
    }
    return blocks;
}

// The build's address for quizzes that give none, as the player has it.
#ifndef QUIZ_PUBLISHER_URL
#define QUIZ_PUBLISHER_URL ""
#endif

// What the page's header link shows and opens, in UTF-8: the quiz's own link
// (one that breaks the link rule counts as none, as in the player), else
// the build's address; empty for no link.
std::string pageLink(const StoredQuiz& stored)
{
    std::string link = QUIZ_PUBLISHER_URL;
    if (stored.link) {
        std::string own(stored.link->begin(), stored.link->end());
        if (quizLinkFault(own.data(), own.size()) == QuizLinkFault::None)
            link = own;
    }
    TextConversion text = windows1252ToUtf8(link);
    return text.converted ? text.text : "";
}

}  // namespace

std::string pageAnswersFileName(const std::string& programName)
{
    std::size_t slash = programName.find_last_of("/\\");
    std::string base = slash == std::string::npos ? programName : programName.substr(slash + 1);
    char name[QuizTextSize];
    answersFileNameFrom(base.c_str(), name);
    return name;
}

std::string pagePolicy()
{
    return "default-src 'none'; script-src " + std::string(pageScriptHash) + " 'wasm-unsafe-eval'; style-src "
           + std::string(pageStyleHash) + "; img-src data: blob:; media-src data: blob:; base-uri 'none'; form-action 'none'";
}

std::string webPageOf(const StoredQuiz& stored, const std::map<int, WebClip>& webClips,
                      const std::string& answersFileName, Diagnostics& diagnostics, bool platform)
{
    std::vector<uint8_t> quizBytes =
        unpackedPayload(stored.quizPayload, "quiz payload", "\"PATCH\" 104", true, diagnostics);
    std::vector<uint8_t> codesBytes =
        unpackedPayload(stored.codesPayload, "codes payload", "\"PATCH\" 105", false, diagnostics);
    if (!diagnostics.errors.empty())
        return "";
    OwnedQuiz owned;
    Quiz& quiz = owned.quiz;
    if (!parseQuizPayload(quiz, quizBytes.data(), quizBytes.size())) {
        reportError(diagnostics, "quiz payload", MessageId::PayloadDamaged);
        return "";
    }
    PageMedia media = pageMedia(quiz, stored, webClips, diagnostics);
    if (!diagnostics.errors.empty())
        return "";

    nlohmann::json data = {{"key", storageKey(answersFileName, quizBytes, codesBytes)},
                           {"answersFile", answersFileName},
                           {"quiz", base64Of(quizBytes)},
                           {"codes", base64Of(codesBytes)},
                           {"link", pageLink(stored)},
                           {"media", media.items}};
    // Only a package's page asks for the platform, so a plain page stays as it was.
    if (platform)
        data["platform"] = true;
    // The five bytes Windows-1252 leaves unassigned are dropped from the tab's title alone.
    TextConversion title = windows1252ToUtf8(quiz.title);
    std::string page;
    page += "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<meta http-equiv=\"Content-Security-Policy\" content=\"" + htmlEscaped(pagePolicy()) + "\">\n";
    page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    // An icon of its own, so that no browser asks a server for /favicon.ico.
    page += "<link rel=\"icon\" href=\"data:,\">\n";
    page += "<title>" + htmlEscaped(title.converted ? title.text : "") + "</title>\n";
    page += "<style>";
    page += pageStyle;
    page += "</style>\n</head>\n<body>\n<script type=\"application/json\" id=\"quizz-data\">";
    page += scriptJson(data.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace));
    page += "</script>\n<script>";
    page += pageScript;
    page += "</script>\n";
    page += mediaBlocks(media);
    page += "</body>\n</html>\n";
    return page;
}
