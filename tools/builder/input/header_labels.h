// What the player's header labels show of a text: each label's size and
// font are the player's, measured once as Windows draws them and kept in
// header_label_fonts.inc, so the builder can say when a text will be cut.
#pragma once

#include "tools/builder/input/diagnostics.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class HeaderLabel { Code, Title, Description, Author, Link };

// How many characters of `text` (Windows-1252, as stored) the label shows
// whole, as a static control draws it: words wrap at spaces, lines below
// the label's height are hidden, a first word wider than the label is
// clipped. The text's length when it shows whole.
std::size_t shownInHeader(HeaderLabel label, std::string_view text);

// The texts a quiz shows in the player's header, Windows-1252.
struct HeaderTexts {
    const std::string& title;
    const std::string& description;
    const std::string& author;
    const std::string& link;
    const std::vector<std::string>& codes;
};

// Warns, at its field, of each header text the player will cut.
void warnAboutHeaderTexts(const HeaderTexts& texts, Diagnostics& diagnostics);
