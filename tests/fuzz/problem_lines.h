// What every problem line the builder prints must be, whatever the input:
// it starts with the file it names, and holds no control character (C1
// ones, 0xC2 0x80 to 0x9F, too), since those are escaped. Aborts otherwise.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

inline void checkProblemLines(const std::vector<std::string>& lines, const std::string& file)
{
    for (const std::string& line : lines) {
        if (line.rfind(file + ": ", 0) != 0)
            std::abort();
        // Bounded by the line's length.
        for (std::size_t at = 0; at < line.size(); ++at) {
            auto byte = static_cast<unsigned char>(line[at]);
            auto next = at + 1 < line.size() ? static_cast<unsigned char>(line[at + 1]) : 0;
            if (byte < 0x20 || byte == 0x7F || (byte == 0xC2 && next >= 0x80 && next < 0xA0))
                std::abort();
        }
    }
}
