// Measures the player's header labels as Windows draws them: the labels are
// made as the player makes them (class, style, size, font), and
//   label_widths table      prints each label's size, its font's line height
//                           and character widths (spaces to 0xFF), as the
//                           builder's table holds them;
//   label_widths samples F  reads lines "LABEL<TAB>TEXT" (Windows-1252) and
//                           prints "LABEL<TAB>TEXT<TAB>N": the longest start
//                           of the text that the label shows whole, drawn
//                           as a static control draws its text.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

enum class Face { Dialog, System, Link };

struct HeaderLabel {
    const char* name;
    int width, height;
    Face face;
};

// The header's text labels, as the player creates them.
const HeaderLabel labels[] = {
    {"code", 55, 16, Face::Dialog},  {"title", 220, 18, Face::System}, {"description", 580, 27, Face::Dialog},
    {"author", 85, 18, Face::Dialog}, {"link", 115, 18, Face::Link},
};

HFONT linkFont(int labelHeight)
{
    LOGFONTA look = {};
    look.lfHeight = -(labelHeight * 3 / 4);
    look.lfWeight = FW_NORMAL;
    look.lfUnderline = TRUE;
    return CreateFontIndirectA(&look);
}

// A label made as the player makes it, with the DC its text is drawn in.
struct MadeLabel {
    HWND window = nullptr;
    HDC dc = nullptr;
};

MadeLabel makeLabel(HWND parent, const HeaderLabel& label)
{
    MadeLabel made;
    made.window = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, 0, 0, label.width, label.height, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (label.face == Face::Dialog)
        SendMessageA(made.window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (label.face == Face::Link)
        SendMessageA(made.window, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont(label.height)), FALSE);
    made.dc = GetDC(made.window);
    auto font = reinterpret_cast<HFONT>(SendMessageA(made.window, WM_GETFONT, 0, 0));
    SelectObject(made.dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    return made;
}

void printTable(const HeaderLabel& label, HDC dc)
{
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    std::printf("{\"%s\", %d, %d, %ld, {", label.name, label.width, label.height, static_cast<long>(metrics.tmHeight));
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        char c = static_cast<char>(byte);
        SIZE size = {};
        GetTextExtentPoint32A(dc, &c, 1, &size);
        std::printf(byte == 0x20 ? "%ld" : (byte - 0x20) % 32 == 0 ? ",\n    %ld" : ", %ld", static_cast<long>(size.cx));
    }
    std::printf("}},\n");
}

// Whether the text, drawn as a static control draws it, fits the label.
bool fitsWhole(HDC dc, const HeaderLabel& label, const std::string& text)
{
    RECT box = {0, 0, label.width, 0};
    DrawTextA(dc, text.c_str(), int(text.size()), &box, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT);
    return box.right <= label.width && box.bottom <= label.height;
}

// The most of the text the label shows: the longest start ending at a
// word's end that fits whole; when the first word alone is too wide, the
// part of it the label shows before clipping it.
std::size_t shownWhole(HDC dc, const HeaderLabel& label, const std::string& text)
{
    if (fitsWhole(dc, label, text))
        return text.size();
    std::size_t shown = 0;
    for (std::size_t end = 1; end < text.size(); ++end)
        if (text[end] == ' ' && text[end - 1] != ' ' && fitsWhole(dc, label, text.substr(0, end)))
            shown = end;
    if (shown > 0)
        return shown;
    std::size_t end = 0;
    while (end < text.size() && fitsWhole(dc, label, text.substr(0, end + 1)))
        ++end;
    return end;
}

int printSamples(HWND parent, const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "label_widths: %s: cannot be read\n", path);
        return 2;
    }
    char line[1024];
    while (std::fgets(line, sizeof line, file)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        char* tab = std::strchr(line, '\t');
        if (!tab)
            continue;
        *tab = '\0';
        for (const HeaderLabel& label : labels)
            if (std::strcmp(label.name, line) == 0) {
                MadeLabel made = makeLabel(parent, label);
                std::printf("%s\t%s\t%zu\n", line, tab + 1, shownWhole(made.dc, label, tab + 1));
            }
    }
    std::fclose(file);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    HWND parent = CreateWindowA("Static", "", WS_OVERLAPPEDWINDOW, 0, 0, 900, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (argc == 2 && std::strcmp(argv[1], "table") == 0) {
        for (const HeaderLabel& label : labels)
            printTable(label, makeLabel(parent, label).dc);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "samples") == 0)
        return printSamples(parent, argv[2]);
    std::fprintf(stderr, "usage: label_widths table | samples FILE\n");
    return 2;
}
