// Paths with "/" between folders, as the Linux builder and the studio's
// files held in memory both name them.
#include "tools/builder/files/files.h"

std::string mediaFilePath(const std::string& folder, const std::string& utf8Path)
{
    if (utf8Path.empty())
        return "";
    // Descriptions written on Windows may separate folders with "\".
    std::string path = utf8Path;
    for (char& character : path)
        if (character == '\\')
            character = '/';
    return path[0] == '/' ? path : joinPath(folder, path);
}

FileRead readMediaFile(const std::string& folder, const std::string& utf8Path)
{
    std::string path = mediaFilePath(folder, utf8Path);
    if (path.empty())
        return {{}, "not found"};
    return readFileBytes(path);
}

std::string folderOf(const std::string& path)
{
    std::size_t last = path.find_last_of('/');
    return last == std::string::npos ? "" : path.substr(0, last + 1);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

