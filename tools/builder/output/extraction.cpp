#include "tools/builder/output/extraction.h"

#include "quiz/payload.h"
#include "quiz/quiz_link.h"
#include "quiz/resource_ids.h"
#include "quiz/windows_1252.h"
#include "tools/builder/input/media_format.h"
#include "tools/builder/input/owned_quiz.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/output/csv_writer.h"
#include "tools/builder/program/codec.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>

using OrderedJson = nlohmann::ordered_json;

namespace {

std::string utf8Text(const char* stored, const Place& where, Diagnostics& diagnostics)
{
    TextConversion conversion = windows1252ToUtf8(stored);
    if (!conversion.converted)
        reportError(diagnostics, where, MessageId::StoredTextUnreadable, {conversion.problem});
    return conversion.text;
}

// Names the item's file and queues it; the description refers to it by name.
std::string mediaFile(const StoredQuiz& stored, int id, const std::string& stem, const Place& where,
                      std::vector<ExtractedFile>& files, Diagnostics& diagnostics)
{
    const std::vector<uint8_t>* bytes = storedMedia(stored, id);
    if (!bytes) {
        reportError(diagnostics, where, MessageId::MediaMissingResource, {std::to_string(id)});
        return "";
    }
    // The builder stores no empty media file, and an empty one could not be built again.
    if (bytes->empty()) {
        reportError(diagnostics, where, MessageId::MediaResourceEmpty, {std::to_string(id)});
        return "";
    }
    std::string name = "media/" + stem + "." + mediaFileExtension(mediaFormatOf(*bytes));
    files.push_back({name, *bytes});
    return name;
}

OrderedJson describeEntry(const Quiz& quiz, int index, const StoredQuiz& stored, std::vector<ExtractedFile>& files,
                          Diagnostics& diagnostics)
{
    const QuizEntry* entry = entryAt(quiz, index);
    OrderedJson out;
    out["clue"] = utf8Text(entry->clue, entryField(index, "clue"), diagnostics);
    OrderedJson answers = OrderedJson::array();
    answers.push_back(utf8Text(entry->answer1, entryField(index, "answers[0]"), diagnostics));
    if (quiz.answersPerEntry == 2)
        answers.push_back(utf8Text(entry->answer2, entryField(index, "answers[1]"), diagnostics));
    out["answers"] = answers;
    char stem[16];
    std::snprintf(stem, sizeof stem, "%02d", index + 1);
    if (quiz.kind != QuizKind::Text)
        out["media"] = mediaFile(stored, MediaResourceIdBase + index + 1, stem, entryField(index, "media"), files,
                                 diagnostics);
    if (quiz.revealKind == RevealKind::Picture)
        out["revealPicture"] = mediaFile(stored, AnswerPictureResourceIdBase + index + 1,
                                         std::string(stem) + "-reveal", entryField(index, "revealPicture"), files,
                                         diagnostics);
    if (quiz.revealKind == RevealKind::Text)
        out["revealText"] = utf8Text(entry->revealText, entryField(index, "revealText"), diagnostics);
    return out;
}

// Rows past the last code are left out; empty rows before it stay, so the
// codes payload comes out the same when built again.
OrderedJson describeCodes(const Quiz& quiz, Diagnostics& diagnostics)
{
    int rows = quiz.entryCount;
    while (rows > 0 && quiz.codes[rows - 1][0] == '\0')
        --rows;
    OrderedJson codes = OrderedJson::array();
    for (int row = 0; row < rows; ++row)
        codes.push_back(utf8Text(quiz.codes[row], "codes[" + std::to_string(row) + "]", diagnostics));
    return codes;
}

OrderedJson describeQuiz(const Quiz& quiz, const StoredQuiz& stored, std::vector<ExtractedFile>& files,
                         Diagnostics& diagnostics)
{
    OrderedJson out;
    out["kind"] = quizKindName(quiz.kind);
    out["title"] = utf8Text(quiz.title, "title", diagnostics);
    out["author"] = utf8Text(quiz.author, "author", diagnostics);
    out["description"] = utf8Text(quiz.description, "description", diagnostics);
    if (quiz.link[0])
        out["link"] = utf8Text(quiz.link, "link", diagnostics);
    out["answersPerEntry"] = quiz.answersPerEntry;
    out["answerLabels"] = {utf8Text(quiz.firstAnswerLabel, "answerLabels[0]", diagnostics),
                           utf8Text(quiz.secondAnswerLabel, "answerLabels[1]", diagnostics)};
    out["reveal"] = revealKindName(quiz.revealKind);
    out["boardColour"] = colourText(quiz.boardColour);
    OrderedJson entries = OrderedJson::array();
    for (int index = 0; index < quiz.entryCount; ++index)
        entries.push_back(describeEntry(quiz, index, stored, files, diagnostics));
    out["entries"] = entries;
    out["codes"] = describeCodes(quiz, diagnostics);
    return out;
}

}  // namespace

std::vector<ExtractedFile> extractQuiz(const StoredQuiz& stored, Diagnostics& diagnostics, bool entriesAsCsv)
{
    std::vector<uint8_t> quizBytes =
        unpackedPayload(stored.quizPayload, "quiz payload", "\"PATCH\" 104", true, diagnostics);
    std::vector<uint8_t> codesBytes =
        unpackedPayload(stored.codesPayload, "codes payload", "\"PATCH\" 105", true, diagnostics);
    if (!diagnostics.errors.empty())
        return {};

    auto owned = std::make_unique<OwnedQuiz>();
    Quiz& quiz = owned->quiz;
    if (!parseQuizPayload(quiz, quizBytes.data(), quizBytes.size())) {
        reportError(diagnostics, "quiz payload", MessageId::PayloadDamagedFields);
        return {};
    }
    if (quiz.revealKind < RevealKind::None || quiz.revealKind > RevealKind::Text)
        reportError(diagnostics, "quiz payload", MessageId::PayloadRevealKind, {std::to_string(int(quiz.revealKind))});
    if (quiz.entryCount != 0 && !parseCodesPayload(quiz, codesBytes.data(), codesBytes.size()))
        reportError(diagnostics, "codes payload", MessageId::CodesPayloadDamaged);
    if (stored.link) {
        const char* bytes = reinterpret_cast<const char*>(stored.link->data());
        if (quizLinkFault(bytes, stored.link->size()) != QuizLinkFault::None)
            reportError(diagnostics, "link", MessageId::StoredLinkBad);
        else
            copyText(quiz.link, std::string(bytes, stored.link->size()).c_str());
    }
    if (!diagnostics.errors.empty())
        return {};

    std::vector<ExtractedFile> files(entriesAsCsv ? 2 : 1);
    OrderedJson description = describeQuiz(quiz, stored, files, diagnostics);
    if (!diagnostics.errors.empty())
        return {};
    if (entriesAsCsv) {
        std::string csv = entriesCsv(description["entries"]);
        files[1] = {ExtractedEntriesName, {csv.begin(), csv.end()}};
        description["entries"] = ExtractedEntriesName;
    }
    std::string json = description.dump(2) + "\n";
    files[0] = {"quiz.json", {json.begin(), json.end()}};
    return files;
}
