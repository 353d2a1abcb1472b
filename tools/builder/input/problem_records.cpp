#include "tools/builder/input/problem_records.h"

#include <nlohmann/json.hpp>

#include <cstdlib>

namespace {

// "answers[1]" is the key "answers" and its item 2; paths of several keys
// keep their first.
void splitField(const std::string& field, std::string& key, std::size_t& item)
{
    std::string first = field.substr(0, field.find(", "));
    std::size_t bracket = first.find('[');
    key = first.substr(0, bracket);
    item = bracket == std::string::npos ? 0 : std::strtoul(first.c_str() + bracket + 1, nullptr, 10) + 1;
}

// A problem of a file is told by its inner message: "MediaPictureTooLarge"
// rather than the file that has it.
const Message& causeOf(const Message& message)
{
    return message.inner.empty() ? message : causeOf(message.inner.front());
}

}  // namespace

std::string problemRecord(const std::string& file, const Problem& problem, bool strict, Language language)
{
    const Place& place = problem.place;
    std::string key;
    std::size_t item = 0;
    splitField(fieldKey(place), key, item);
    nlohmann::ordered_json record = {
        {"severity", problem.severity == Severity::Error ? "error" : "warning"},
        {"file", place.file.empty() ? file : place.file},
        {"entry", place.entry},
        {"field", key},
        {"answer", key == "answers" ? item : 0},
        {"item", item},
        {"csvLine", place.file.empty() ? 0 : place.line},
        {"column", place.columnAsWritten.empty() ? place.column : place.columnAsWritten},
        {"id", messageName(causeOf(problem.message).id)},
        {"line", problemLine(file, problem, strict, language)},
    };
    // Texts hold the author's bytes, which may be no UTF-8: replaced, not thrown.
    return record.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string problemRecords(const Diagnostics& diagnostics, bool strict, Language language)
{
    std::string records;
    for (const auto* problems : {&diagnostics.errors, &diagnostics.warnings})
        for (const Problem& problem : *problems)
            records += problemRecord(diagnostics.file, problem, strict, language) + "\n";
    return records;
}
