// What the player's header labels show of a text: each label's size and
// font are the player's, measured once as Windows draws them and kept in
// header_label_fonts.inc, so the builder can say when a text will be cut.
#pragma once

#include "tools/builder/input/diagnostics.h"

#include <cstddef>
#include <string_view>

struct QuizDescription;

enum class HeaderLabel { Code, Title, Description, Author, Link };

// How many characters of `text` (Windows-1252, as stored) the label shows
// whole, as a static control draws it: words wrap at spaces, lines below
// the label's height are hidden, a first word wider than the label is
// clipped. The text's length when it shows whole.
std::size_t shownInHeader(HeaderLabel label, std::string_view text);

// Warns, at its field, of each header text the player will cut: the title,
// description, author, link and every reward code.
void warnAboutHeaderTexts(const QuizDescription& quiz, Diagnostics& diagnostics);
