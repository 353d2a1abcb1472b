#include "tools/builder/output/page_escaping.h"

std::string htmlEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string scriptJson(const std::string& json)
{
    std::string out;
    out.reserve(json.size());
    // In JSON these three occur only inside strings, where \u escapes mean the
    // same. The stretches between them are copied whole (base64 media are long).
    std::size_t from = 0;
    for (std::size_t at = json.find_first_of("<>&"); at != std::string::npos; at = json.find_first_of("<>&", from)) {
        out.append(json, from, at - from);
        out += json[at] == '<' ? "\\u003c" : json[at] == '>' ? "\\u003e" : "\\u0026";
        from = at + 1;
    }
    out.append(json, from, std::string::npos);
    return out;
}
