#include "tools/builder/input/diagnostics.h"

#include <cstdio>

namespace {

std::string lowerFirst(std::string text)
{
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = char(text[0] - 'A' + 'a');
    return text;
}

std::string upperFirst(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = char(text[0] - 'a' + 'A');
    return text;
}

Problem problemOf(Severity severity, const Place& where, Message message)
{
    return {severity, where, std::move(message)};
}

}  // namespace

void reportError(Diagnostics& diagnostics, const Place& where, MessageId id, std::vector<std::string> values)
{
    diagnostics.errors.push_back(problemOf(Severity::Error, where, {id, std::move(values)}));
}

void reportWarning(Diagnostics& diagnostics, const Place& where, MessageId id, std::vector<std::string> values)
{
    diagnostics.warnings.push_back(problemOf(Severity::Warning, where, {id, std::move(values)}));
}

void reportError(Diagnostics& diagnostics, const Place& where, Message message)
{
    diagnostics.errors.push_back(problemOf(Severity::Error, where, std::move(message)));
}

void reportWarning(Diagnostics& diagnostics, const Place& where, Message message)
{
    diagnostics.warnings.push_back(problemOf(Severity::Warning, where, std::move(message)));
}

std::string placeText(const Place& place, Language language)
{
    bool french = language == Language::French;
    std::vector<std::string> parts;
    if (!place.file.empty())
        parts.push_back(place.file);
    if (place.line)
        parts.push_back((french ? "ligne " : "line ") + std::to_string(place.line));
    if (!place.column.empty())
        parts.push_back((french ? "colonne " : "column ")
                        + (!place.columnNamed ? place.column
                           : french ? "« " + escaped(place.columnAsWritten.empty() ? place.column : place.columnAsWritten) + " »"
                                              : inQuotes(place.column)));
    if (place.entry)
        parts.push_back((french ? "Entrée " : "entry ") + std::to_string(place.entry));
    if (!place.field.empty())
        parts.push_back(french ? frenchFieldName(place.field) : place.field);
    std::string text;
    for (std::size_t at = 0; at < parts.size(); ++at) {
        bool named = at == 0 && !place.file.empty();
        std::string part = !french || named ? parts[at] : at == 0 ? upperFirst(parts[at]) : lowerFirst(parts[at]);
        text += (at ? ", " : "") + part;
    }
    return text;
}

std::string problemLine(const std::string& file, const Problem& problem, bool strict, Language language)
{
    std::string separator = language == Language::French ? " : " : ": ";
    std::string where = placeText(problem.place, language);
    std::string text = renderMessage(problem.message, language);
    if (problem.severity == Severity::Warning)
        text = renderMessage({strict ? MessageId::StrictTail : MessageId::WarningMark, {text}}, language);
    std::string line = where.empty() ? text : where + separator + text;
    return problem.place.lineOnly ? line : file + separator + line;
}

std::vector<std::string> problemLines(const Diagnostics& diagnostics, bool strict, Language language)
{
    std::vector<std::string> lines;
    for (const Problem& problem : diagnostics.errors)
        lines.push_back(problemLine(diagnostics.file, problem, strict, language));
    for (const Problem& problem : diagnostics.warnings)
        lines.push_back(problemLine(diagnostics.file, problem, strict, language));
    return lines;
}

std::vector<std::string> englishLines(const Diagnostics& diagnostics, const std::vector<Problem>& problems)
{
    std::vector<std::string> lines;
    for (const Problem& problem : problems)
        lines.push_back(problemLine(diagnostics.file, problem, false, Language::English));
    return lines;
}

std::vector<std::string> errorLines(const Diagnostics& diagnostics)
{
    return englishLines(diagnostics, diagnostics.errors);
}

std::vector<std::string> warningLines(const Diagnostics& diagnostics)
{
    return englishLines(diagnostics, diagnostics.warnings);
}

bool failed(const Diagnostics& diagnostics, bool strict)
{
    return !diagnostics.errors.empty() || (strict && !diagnostics.warnings.empty());
}

const std::string& fieldKey(const Place& place)
{
    return place.field.empty() ? place.csvKey : place.field;
}

Place wholeLine()
{
    Place place;
    place.lineOnly = true;
    return place;
}

Place entryField(std::size_t entryIndex, const std::string& field)
{
    Place place(field);
    place.entry = entryIndex + 1;
    return place;
}

std::string countOf(std::size_t count, const char* singular, const char* plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

std::string mebibytes(uint64_t bytes)
{
    constexpr uint64_t mebibyte = uint64_t(1) << 20;
    char shown[32];
    if (bytes % mebibyte == 0)
        std::snprintf(shown, sizeof shown, "%llu", static_cast<unsigned long long>(bytes / mebibyte));
    else
        std::snprintf(shown, sizeof shown, "%.1f", double(bytes) / double(mebibyte));
    return shown;
}

std::string byteSize(uint64_t bytes)
{
    return std::to_string(bytes) + " bytes (" + mebibytes(bytes) + " MiB)";
}

std::string inQuotes(const std::string& text)
{
    return "\"" + escaped(text) + "\"";
}

std::string escaped(const std::string& text)
{
    return escapedControls(text);
}
