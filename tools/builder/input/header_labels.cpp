#include "tools/builder/input/header_labels.h"

#include "quiz/windows_1252.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

struct LabelFont {
    const char* name;
    int width, height;  // the label's, in pixels
    int lineHeight;     // its font's
    uint8_t widths[224];  // characters 0x20 to 0xFF
};

// Written by the Windows test program label_widths ("table"); a Wine test
// checks that it still says what the player's fonts draw.
const LabelFont labelFonts[] = {
#include "tools/builder/input/header_label_fonts.inc"
};

const LabelFont& fontOf(HeaderLabel label)
{
    return labelFonts[static_cast<int>(label)];
}

int widthOf(const LabelFont& font, std::string_view text)
{
    int width = 0;
    for (char c : text)
        if (auto byte = static_cast<unsigned char>(c); byte >= 0x20)
            width += font.widths[byte - 0x20];
    return width;
}

bool endsWord(std::string_view text, std::size_t end)
{
    return end > 0 && text[end - 1] != ' ' && (end == text.size() || text[end] == ' ');
}

// Lays the text out as DrawText's word break does: each line takes the
// most words that fit; a word wider than the line stands alone, clipped.
bool fitsWhole(const LabelFont& font, std::string_view text)
{
    int lines = 0;
    int widest = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start;
        for (std::size_t at = start + 1; at <= text.size(); ++at)
            if (endsWord(text, at) && (end == start || widthOf(font, text.substr(start, at - start)) <= font.width))
                end = at;
            else if (endsWord(text, at))
                break;
        widest = std::max(widest, widthOf(font, text.substr(start, end - start)));
        ++lines;
        start = end;
        while (start < text.size() && text[start] == ' ')
            ++start;
    }
    return widest <= font.width && lines * font.lineHeight <= font.height;
}

void warnIfCut(HeaderLabel label, const std::string& text, const Place& where, Diagnostics& diagnostics)
{
    std::size_t shown = shownInHeader(label, text);
    if (shown != text.size())
        reportWarning(diagnostics, where, MessageId::HeaderTextCut,
                      {windows1252ToUtf8(text).text, std::to_string(shown), std::to_string(text.size())});
}

}  // namespace

std::size_t shownInHeader(HeaderLabel label, std::string_view text)
{
    const LabelFont& font = fontOf(label);
    if (fitsWhole(font, text))
        return text.size();
    std::size_t shown = 0;
    for (std::size_t end = 1; end < text.size(); ++end)
        if (text[end] == ' ' && text[end - 1] != ' ' && fitsWhole(font, text.substr(0, end)))
            shown = end;
    if (shown > 0)
        return shown;
    std::size_t end = 0;
    while (end < text.size() && fitsWhole(font, text.substr(0, end + 1)))
        ++end;
    return end;
}

void warnAboutHeaderTexts(const HeaderTexts& texts, Diagnostics& diagnostics)
{
    warnIfCut(HeaderLabel::Title, texts.title, "title", diagnostics);
    warnIfCut(HeaderLabel::Description, texts.description, "description", diagnostics);
    warnIfCut(HeaderLabel::Author, texts.author, "author", diagnostics);
    warnIfCut(HeaderLabel::Link, texts.link, "link", diagnostics);
    for (std::size_t at = 0; at < texts.codes.size(); ++at)
        warnIfCut(HeaderLabel::Code, texts.codes[at], Place("codes[" + std::to_string(at) + "]"), diagnostics);
}
