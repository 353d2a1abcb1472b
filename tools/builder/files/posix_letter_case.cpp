#include "tools/builder/files/letter_case.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace {

bool exists(const std::string& path)
{
    struct stat facts;
    return lstat(path.c_str(), &facts) == 0;
}

// The name in `folder` that is `name` but for letter case, the first in
// byte order; empty when there is none.
std::string nameInFolder(const std::string& folder, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.empty() ? "." : folder.c_str()), closedir);
    if (!listing)
        return "";
    std::string found;
    // Bounded by the folder's entries.
    while (const dirent* entry = readdir(listing.get())) {
        std::string candidate = entry->d_name;
        if (sameNameButCase(candidate, name) && (found.empty() || candidate < found))
            found = candidate;
    }
    return found;
}

}  // namespace

std::string pathInOtherCase(const std::string& path)
{
    if (path.empty() || exists(path))
        return "";
    std::string respelled = path[0] == '/' ? "/" : "";
    // Bounded by the path's length: every part moves on past its slash.
    for (std::size_t start = respelled.size(); start < path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        std::string folder = respelled;
        if (!part.empty() && part != "." && part != ".." && !exists(folder + part)) {
            std::string folderPath = folder.empty() ? "." : folder;
            part = nameInFolder(folderPath, part);
            if (part.empty())
                return "";
        }
        respelled += part;
        if (end < path.size())
            respelled += '/';
        start = end + 1;
    }
    return respelled == path ? "" : respelled;
}
