// The web page's runtime, compiled into the builder: the inline script (the
// judging core as WebAssembly and the page's own script), the style sheet,
// and the Content-Security-Policy sources that allow exactly these two.
#pragma once

#include <string_view>

extern const std::string_view pageScript;
extern const std::string_view pageStyle;
extern const std::string_view pageScriptHash;  // 'sha256-...'
extern const std::string_view pageStyleHash;
