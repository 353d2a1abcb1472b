// Base64 (RFC 4648, with padding) for the pages: the builder writes media
// and payloads into a page with it, the page's core packs a platform's
// suspend data with it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string base64Of(const std::vector<uint8_t>& bytes);

// Nothing when `text` is not base64 of whole groups.
std::optional<std::vector<uint8_t>> bytesOfBase64(std::string_view text);
