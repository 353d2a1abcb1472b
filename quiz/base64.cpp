#include "quiz/base64.h"

namespace {

constexpr char base64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string base64Of(const std::vector<uint8_t>& bytes)
{
    // Written through a pointer into a string of its final size: appending
    // a character at a time was most of a picture quiz's page in the studio.
    std::string out((bytes.size() + 2) / 3 * 4, '=');
    char* put = out.data();
    std::size_t at = 0;
    for (; at + 2 < bytes.size(); at += 3) {
        uint32_t group = bytes[at] << 16 | bytes[at + 1] << 8 | bytes[at + 2];
        *put++ = base64Digits[group >> 18 & 0x3F];
        *put++ = base64Digits[group >> 12 & 0x3F];
        *put++ = base64Digits[group >> 6 & 0x3F];
        *put++ = base64Digits[group & 0x3F];
    }
    if (std::size_t left = bytes.size() - at; left > 0) {
        uint32_t group = bytes[at] << 16 | (left == 2 ? bytes[at + 1] << 8 : 0);
        put[0] = base64Digits[group >> 18 & 0x3F];
        put[1] = base64Digits[group >> 12 & 0x3F];
        if (left == 2)
            put[2] = base64Digits[group >> 6 & 0x3F];
    }
    return out;
}

std::optional<std::vector<uint8_t>> bytesOfBase64(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    for (std::size_t at = 0; at < text.size(); at += 4) {
        uint32_t group = 0;
        int padding = 0;
        for (std::size_t digit = 0; digit < 4; ++digit) {
            char c = text[at + digit];
            const char* found = c ? std::char_traits<char>::find(base64Digits, 64, c) : nullptr;
            bool padded = c == '=' && at + 4 == text.size() && digit >= 2;
            if (!found && !padded)
                return std::nullopt;
            padding += padded;
            group = group << 6 | (found ? uint32_t(found - base64Digits) : 0);
        }
        for (int byte = 0; byte < 3 - padding; ++byte)
            bytes.push_back(static_cast<uint8_t>(group >> (16 - 8 * byte)));
    }
    return bytes;
}
