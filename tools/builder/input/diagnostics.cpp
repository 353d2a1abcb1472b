#include "tools/builder/input/diagnostics.h"

#include <cstdio>

namespace {

const std::string warningLabel = "warning: ";

std::string lineOf(const Diagnostics& diagnostics, const std::string& where, const std::string& problem)
{
    return diagnostics.file + ": " + (where.empty() ? "" : where + ": ") + problem;
}

}  // namespace

void reportError(Diagnostics& diagnostics, const std::string& where, const std::string& problem)
{
    diagnostics.errors.push_back(lineOf(diagnostics, where, problem));
}

void reportWarning(Diagnostics& diagnostics, const std::string& where, const std::string& problem)
{
    diagnostics.warnings.push_back(lineOf(diagnostics, where, warningLabel + problem));
}

std::vector<std::string> problemLines(const Diagnostics& diagnostics, bool strict)
{
    std::vector<std::string> lines = diagnostics.errors;
    for (std::string line : diagnostics.warnings) {
        std::size_t label = line.find(warningLabel, diagnostics.file.size());
        if (strict && label != std::string::npos)
            line = line.erase(label, warningLabel.size()) + " (an error with --strict)";
        lines.push_back(line);
    }
    return lines;
}

bool failed(const Diagnostics& diagnostics, bool strict)
{
    return !diagnostics.errors.empty() || (strict && !diagnostics.warnings.empty());
}

std::string entryField(std::size_t entryIndex, const std::string& field)
{
    std::string entry = "entry " + std::to_string(entryIndex + 1);
    return field.empty() ? entry : entry + ", " + field;
}

std::string countOf(std::size_t count, const char* singular, const char* plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

std::string byteSize(uint64_t bytes)
{
    constexpr uint64_t mebibyte = uint64_t(1) << 20;
    char mebibytes[32];
    if (bytes % mebibyte == 0)
        std::snprintf(mebibytes, sizeof mebibytes, "%llu", static_cast<unsigned long long>(bytes / mebibyte));
    else
        std::snprintf(mebibytes, sizeof mebibytes, "%.1f", double(bytes) / double(mebibyte));
    return std::to_string(bytes) + " bytes (" + mebibytes + " MiB)";
}

std::string inQuotes(const std::string& text)
{
    return "\"" + escaped(text) + "\"";
}

std::string escaped(const std::string& text)
{
    std::string quoted;
    // Bounded by the text's length: every step moves on by one or two bytes.
    for (std::size_t at = 0; at < text.size(); ++at) {
        auto byte = static_cast<unsigned char>(text[at]);
        // C1 controls (U+0080 to U+009F) are two bytes in UTF-8: 0xC2 0x80 to 0xC2 0x9F.
        bool c1 = byte == 0xC2 && at + 1 < text.size() && (static_cast<unsigned char>(text[at + 1]) & 0xE0) == 0x80;
        char escape[8] = {text[at], '\0'};
        if (byte == '\t' || byte == '\n' || byte == '\r')
            std::snprintf(escape, sizeof escape, "\\%c", byte == '\t' ? 't' : byte == '\n' ? 'n' : 'r');
        else if (byte < 0x20 || byte == 0x7F)
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
        else if (c1)
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(text[++at]));
        quoted += escape;
    }
    return quoted;
}
