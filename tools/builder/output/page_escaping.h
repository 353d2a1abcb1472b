// Texts put into the web page's HTML as text, never as markup or script:
// each escaped for the place where it lands.
#pragma once

#include <string>
#include <string_view>

// Element content or a quoted attribute value: & < > " ' as references.
std::string htmlEscaped(std::string_view text);

// JSON for a <script type="application/json"> element: every non-ASCII
// character (U+2028 and U+2029 too) and < > & as \u escapes, so nothing in
// it can end the element or open a comment; bytes that are no UTF-8 become
// U+FFFD.
std::string scriptJson(const std::string& json);
