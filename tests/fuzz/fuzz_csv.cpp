// Any bytes as a spreadsheet's CSV file of entries, read through a
// description as quizbuild reads it. The description asks for what the
// header row names (two answers with answer2, a picture quiz with media,
// reveal picture or text with their columns), so most inputs reach the
// rows. Entries found fit are written back as extract --csv writes them
// and must read back the same. Besides crashes and sanitizer reports, the
// failures are broken promises: a problem line that does not start with
// the description's name or holds a control character, or entries that
// change on their way through the writer.
#include "quiz/windows_1252.h"
#include "tests/fuzz/problem_lines.h"
#include "tools/builder/input/csv_entries.h"
#include "tools/builder/input/quiz_description.h"
#include "tools/builder/output/csv_writer.h"

#include <cstdlib>
#include <string>

namespace {

std::string descriptionFor(std::string_view csv)
{
    std::string_view header = csv.substr(0, csv.find_first_of("\r\n"));
    auto names = [&header](const char* column) { return header.find(column) != std::string_view::npos; };
    std::string json = std::string(R"({"kind": ")") + (names("media") ? "picture" : "text") + R"(", "title": "T", )";
    if (names("answer2"))
        json += R"("answersPerEntry": 2, )";
    if (names("revealPicture"))
        json += R"("reveal": "picture", )";
    else if (names("revealText"))
        json += R"("reveal": "text", )";
    return json + R"("entries": "e.csv"})";
}

QuizDescription read(const std::string& json, std::string_view csv, Diagnostics& diagnostics)
{
    QuizDescription description = readQuizDescription(json, diagnostics, [csv](const std::string&) {
        return FileRead{{csv.begin(), csv.end()}, ""};
    });
    checkProblemLines(errorLines(diagnostics), "quiz.json");
    checkProblemLines(warningLines(diagnostics), "quiz.json");
    return description;
}

std::string utf8(const std::string& stored)
{
    TextConversion conversion = windows1252ToUtf8(stored);
    if (!conversion.converted)
        std::abort();  // a text that was checked into Windows-1252 comes back
    return conversion.text;
}

// The entries as extract --csv writes them: every key spelled out that the
// quiz's kind and reveal store.
nlohmann::ordered_json describedEntries(const QuizDescription& quiz)
{
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    for (const EntryDescription& entry : quiz.entries) {
        nlohmann::ordered_json out;
        out["clue"] = utf8(entry.clue);
        out["answers"] = {utf8(entry.answers[0])};
        if (quiz.answersPerEntry == 2)
            out["answers"].push_back(utf8(entry.answers[1]));
        if (quiz.kind != QuizKind::Text)
            out["media"] = entry.media;
        if (quiz.reveal == RevealKind::Picture)
            out["revealPicture"] = entry.revealPicture;
        if (quiz.reveal == RevealKind::Text)
            out["revealText"] = utf8(entry.revealText);
        entries.push_back(out);
    }
    return entries;
}

bool sameEntry(const EntryDescription& first, const EntryDescription& second)
{
    return first.clue == second.clue && first.answers[0] == second.answers[0]
           && first.answers[1] == second.answers[1] && first.media == second.media
           && first.revealPicture == second.revealPicture && first.revealText == second.revealText;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t length)
{
    if (length > MaxEntriesFileBytes)
        return 0;
    std::string_view csv(reinterpret_cast<const char*>(bytes), length);
    std::string json = descriptionFor(csv);
    Diagnostics diagnostics{"quiz.json", {}, {}};
    QuizDescription quiz = read(json, csv, diagnostics);
    if (!diagnostics.errors.empty())
        return 0;
    if (quiz.entries.empty())
        std::abort();  // fit without entries

    std::string written = entriesCsv(describedEntries(quiz));
    Diagnostics again{"quiz.json", {}, {}};
    QuizDescription back = read(json, written, again);
    if (!again.errors.empty() || back.entries.size() != quiz.entries.size())
        std::abort();
    for (std::size_t at = 0; at < quiz.entries.size(); ++at)
        if (!sameEntry(quiz.entries[at], back.entries[at]))
            std::abort();
    return 0;
}
