#include "tools/builder/files/file_primitives.h"
#include "tools/builder/files/files.h"
#include "tools/builder/files/win32_files.h"
#include "win32/platform.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <io.h>

namespace {

constexpr const char* defaultPlayerName = "quizz.exe";

// The system's code page may lack characters that UTF-8 names hold.
bool ansiFromUtf8(const std::string& utf8, std::string& ansi)
{
    if (utf8.empty())
        return true;
    int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), nullptr, 0);
    if (wide <= 0)
        return false;
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), wide);
    BOOL lossy = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wide, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return false;
    ansi.assign(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wide, ansi.data(), size, nullptr, nullptr);
    return true;
}

std::string programFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return folderOf(std::string(path, length));
}

bool isAbsolutePath(const std::string& path)
{
    return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() >= 2 && path[1] == ':');
}

HANDLE handleOf(NativeFile file)
{
    return reinterpret_cast<HANDLE>(file);
}

std::string lastErrorText()
{
    return windowsErrorText(GetLastError());
}

// One call moves at most this much: ReadFile and WriteFile count in DWORDs.
constexpr std::size_t LargestTransfer = 1u << 30;

}  // namespace

std::string fullPathOf(const std::string& path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

std::string windowsErrorText(unsigned long code)
{
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '
                                || message.back() == '.'))
        message.pop_back();
    if (!message.empty())
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    return (message.empty() ? std::string() : message + " ") + "(Windows error " + std::to_string(code) + ")";
}

bool fileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string makeFolder(const std::string& path)
{
    if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return "";
        return "exists but is not a folder";
    }
    return "cannot be created, " + windowsErrorText(GetLastError());
}

std::string mediaFilePath(const std::string& folder, const std::string& utf8Path)
{
    std::string path;
    if (utf8Path.empty() || !ansiFromUtf8(utf8Path, path))
        return "";
    return isAbsolutePath(path) ? path : joinPath(folder, path);
}

FileRead readMediaFile(const std::string& folder, const std::string& utf8Path)
{
    std::string path = mediaFilePath(folder, utf8Path);
    if (path.empty())
        return {{}, unwritableMediaName};
    return readFileBytes(path);
}

std::string folderOf(const std::string& path)
{
    std::size_t last = path.find_last_of("\\/");
    if (last == std::string::npos)
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : "";
    return path.substr(0, last + 1);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    char last = folder.back();
    if (last == '\\' || last == '/' || last == ':')
        return folder + name;
    // A folder written with "/" (as Linux paths reach us through Wine) keeps it.
    bool slashes = folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
    return folder + (slashes ? "/" : "\\") + name;
}

bool sameFile(const std::string& existing, const std::string& other)
{
    return lstrcmpiA(fullPathOf(existing).c_str(), fullPathOf(other).c_str()) == 0;
}

std::vector<std::string> defaultPlayerPaths()
{
    return {joinPath(programFolder(), defaultPlayerName)};
}

void useBinaryStandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::string openToRead(const std::string& path, NativeFile& file, bool& missing)
{
    HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    file = reinterpret_cast<NativeFile>(opened);
    if (opened != INVALID_HANDLE_VALUE)
        return "";
    DWORD code = GetLastError();
    missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    return windowsErrorText(code);
}

std::string createToWrite(const std::string& path, NativeFile& file)
{
    HANDLE created = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    file = reinterpret_cast<NativeFile>(created);
    return created == INVALID_HANDLE_VALUE ? lastErrorText() : "";
}

std::string createBeside(const std::string& path, std::string& made, NativeFile& file)
{
    char temporary[MAX_PATH];
    // Makes the file, empty, under a name no other file has.
    if (!GetTempFileNameA(folderOf(fullPathOf(path)).c_str(), "qzb", 0, temporary))
        return lastErrorText();
    if (std::string problem = createToWrite(temporary, file); !problem.empty()) {
        DeleteFileA(temporary);
        return problem;
    }
    made = temporary;
    return "";
}

std::string sizeOfOpenFile(NativeFile file, uint64_t& size)
{
    if (GetFileType(handleOf(file)) != FILE_TYPE_DISK)
        return "not a regular file";
    LARGE_INTEGER length;
    if (!GetFileSizeEx(handleOf(file), &length))
        return lastErrorText();
    size = uint64_t(length.QuadPart);
    return "";
}

std::string readSome(NativeFile file, uint8_t* bytes, std::size_t count, std::size_t& got)
{
    DWORD read = 0;
    if (!ReadFile(handleOf(file), bytes, static_cast<DWORD>(std::min(count, LargestTransfer)), &read, nullptr))
        return lastErrorText();
    got = read;
    return "";
}

std::string writeSome(NativeFile file, const uint8_t* bytes, std::size_t count, std::size_t& written)
{
    DWORD done = 0;
    if (!WriteFile(handleOf(file), bytes, static_cast<DWORD>(std::min(count, LargestTransfer)), &done, nullptr))
        return lastErrorText();
    if (done == 0)
        return windowsErrorText(ERROR_WRITE_FAULT);
    written = done;
    return "";
}

std::string flushToDisk(NativeFile file)
{
    return FlushFileBuffers(handleOf(file)) ? "" : lastErrorText();
}

std::string closeFile(NativeFile file)
{
    return CloseHandle(handleOf(file)) ? "" : lastErrorText();
}

std::string moveOver(const std::string& from, const std::string& to)
{
    // Write-through: the call returns once the move is on the disk, so a
    // power cut after a reported success keeps the new program.
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastErrorText();
    return "";
}

void deleteFile(const std::string& path)
{
    DeleteFileA(path.c_str());
}
