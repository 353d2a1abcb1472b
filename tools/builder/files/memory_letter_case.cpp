#include "tools/builder/files/letter_case.h"
#include "tools/builder/files/memory_files.h"

namespace {

std::vector<std::string> partsOf(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    // Bounded by the path's length: every part moves on past its slash.
    for (std::size_t end; (end = path.find('/', start)) != std::string::npos; start = end + 1)
        parts.push_back(path.substr(start, end - start));
    parts.push_back(path.substr(start));
    return parts;
}

bool sameButCase(const std::vector<std::string>& first, const std::vector<std::string>& second)
{
    if (first.size() != second.size())
        return false;
    for (std::size_t n = 0; n < first.size(); ++n)
        if (!sameNameButCase(first[n], second[n]))
            return false;
    return true;
}

}  // namespace

// The stored files are few: each is compared whole, the first in byte order wins.
std::string pathInOtherCase(const std::string& path)
{
    if (path.empty() || memoryFile(path) || isMemoryFolder(path))
        return "";
    std::string key = memoryPathKey(path);
    std::vector<std::string> wanted = partsOf(key);
    for (const std::string& stored : memoryFilePaths())
        if (sameButCase(partsOf(stored), wanted))
            return stored == key ? "" : stored;
    return "";
}
