#include "quiz/answers_text.h"

#include "quiz/windows_1252.h"

#include <algorithm>
#include <cstring>

void answersFileNameFrom(const char* executablePath, char (&name)[QuizTextSize])
{
    const char* base = std::strrchr(executablePath, '\\');
    base = base ? base + 1 : executablePath;
    copyText(name, base);
    std::size_t length = std::strlen(name);
    std::size_t stem = length >= 3 ? length - 3 : 0;
    // A name of fewer than three characters still gets its "txt".
    if (stem + 3 >= QuizTextSize)
        stem = QuizTextSize - 4;
    std::memcpy(name + stem, "txt", 4);
}

void appendAnswerLine(std::string& file, const char* boxText)
{
    std::size_t length = strnlen(boxText, QuizTextSize - 1);
    if (length == 0)
        file += "*";
    else
        file.append(boxText, length);
    file += "\r\n";
}

namespace {

// The byte-order marks a text editor may put first.
constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16LittleMark = "\xFF\xFE";
constexpr std::string_view utf16BigMark = "\xFE\xFF";
// What an ANSI box shows for a character its code page lacks.
constexpr char unshown = '?';

void appendCharacter(std::string& text, char32_t codePoint)
{
    int byte = windows1252ByteOf(codePoint);
    text += byte < 0 ? unshown : static_cast<char>(byte);
}

std::string fromUtf16(std::string_view bytes, bool bigEndian)
{
    std::string text;
    text.reserve(bytes.size() / 2);
    auto unitAt = [&](std::size_t at) {
        auto first = static_cast<uint8_t>(bytes[at]), second = static_cast<uint8_t>(bytes[at + 1]);
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    // Whole code units only: an odd last byte is dropped.
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        char16_t unit = unitAt(at);
        if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < bytes.size()) {
            char16_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                // Every character past U+FFFF lacks a Windows-1252 form.
                text += unshown;
                at += 2;
                continue;
            }
        }
        appendCharacter(text, unit);
    }
    return text;
}

// Bytes that are no UTF-8 stay as they are, as the box would show them.
std::string fromUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t codePoint;
        if (decodeUtf8(bytes, at, codePoint))
            appendCharacter(text, codePoint);
        else
            text += bytes[at++];
    }
    return text;
}

}  // namespace

std::string answersFileText(std::string_view bytes)
{
    std::string text;
    if (bytes.starts_with(utf16LittleMark))
        text = fromUtf16(bytes.substr(2), false);
    else if (bytes.starts_with(utf16BigMark))
        text = fromUtf16(bytes.substr(2), true);
    else if (bytes.starts_with(utf8Mark))
        text = fromUtf8(bytes.substr(3));
    else
        text = bytes;
    if (text.find('\n') == std::string::npos)
        std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

bool nextAnswerLine(AnswersReader& reader, std::string& line)
{
    line.clear();
    if (!reader.bytes || reader.position >= reader.length)
        return false;
    std::size_t start = reader.position;
    const void* lineFeed = std::memchr(reader.bytes + start, '\n', reader.length - start);
    std::size_t end = lineFeed ? static_cast<const char*>(lineFeed) - reader.bytes : reader.length;
    reader.position = lineFeed ? end + 1 : reader.length;
    // Text mode reads the CR of a CR LF pair as part of the line end.
    if (lineFeed && end > start && reader.bytes[end - 1] == '\r')
        --end;
    line.assign(reader.bytes + start, end - start);
    return true;
}

void boxTextOfLine(const std::string& line, char (&text)[QuizTextSize])
{
    // The rest of a longer line is skipped, so it cannot spill into the next box.
    std::size_t length = std::min(line.size(), std::size_t(QuizTextSize - 1));
    std::memcpy(text, line.data(), length);
    text[length] = '\0';
    if (std::strcmp(text, "*") == 0)
        text[0] = '\0';
}

bool nextAnswer(AnswersReader& reader, char (&text)[QuizTextSize])
{
    std::string line;
    bool read = nextAnswerLine(reader, line);
    boxTextOfLine(line, text);
    return read;
}

std::vector<std::string> answerLinesOf(std::string_view text)
{
    std::vector<std::string> lines;
    AnswersReader reader{text.data(), text.size(), 0};
    // Each line moves the reader on by at least one byte.
    for (std::string line; nextAnswerLine(reader, line);)
        lines.push_back(line);
    return lines;
}
