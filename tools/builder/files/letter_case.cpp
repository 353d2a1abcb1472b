#include "tools/builder/files/letter_case.h"

#include <cstdint>

namespace {

// ASCII letters, and the Latin-1 letters À to Þ (but ×) written in UTF-8
// as C3 80 to C3 9E, to their small forms C3 A0 to C3 BE: the same lengths,
// so a respelled path is as long as the path written.
std::string folded(const std::string& name)
{
    std::string out = name;
    for (std::size_t at = 0; at < out.size(); ++at) {  // bounded by the name's length
        auto byte = static_cast<uint8_t>(out[at]);
        if (byte >= 'A' && byte <= 'Z') {
            out[at] = static_cast<char>(byte - 'A' + 'a');
        } else if (byte == 0xC3 && at + 1 < out.size()) {
            auto next = static_cast<uint8_t>(out[at + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[at + 1] = static_cast<char>(next + 0x20);
            ++at;
        }
    }
    return out;
}

}  // namespace

bool sameNameButCase(const std::string& first, const std::string& second)
{
    return first.size() == second.size() && folded(first) == folded(second);
}
