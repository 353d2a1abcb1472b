#include "tools/builder/files.h"
#include "tools/builder/temporary_files.h"
#include "tools/builder/win32_files.h"

#include "shell/platform.h"

#include <cctype>
#include <fcntl.h>
#include <io.h>

namespace {

constexpr const char* defaultPlayerName = "quizz.exe";

// Deletes a temporary file on every way out but the final move; the crash
// handler knows of it too.
struct TemporaryFile {
    std::string path;
    explicit TemporaryFile(const char* made) : path(made) { rememberTemporaryFile(path); }
    ~TemporaryFile()
    {
        forgetTemporaryFile(path);
        if (!path.empty())
            DeleteFileA(path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
};

struct FileHandle {
    HANDLE handle;
    ~FileHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

std::string openProblem(DWORD code)
{
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
        return "not found";
    return "cannot be opened, " + windowsErrorText(code);
}

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

FileRead readFileBytes(const std::string& path)
{
    FileRead result;
    FileHandle file{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        result.problem = openProblem(GetLastError());
        return result;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.handle, &size)) {
        result.problem = "cannot be read, " + windowsErrorText(GetLastError());
        return result;
    }
    if (uint64_t(size.QuadPart) > LargestFile) {
        result.problem = std::to_string(size.QuadPart) + " bytes, at most " + std::to_string(LargestFile);
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        DWORD read = 0;
        DWORD wanted = static_cast<DWORD>(result.bytes.size() - done);
        if (!ReadFile(file.handle, result.bytes.data() + done, wanted, &read, nullptr) || read == 0) {
            result.problem = "cannot be read, " + windowsErrorText(GetLastError());
            result.bytes.clear();
            return result;
        }
        done += read;
    }
    return result;
}

std::string writeFileBytes(const std::string& path, std::span<const uint8_t> bytes)
{
    FileHandle file{CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return "cannot be created, " + windowsErrorText(GetLastError());
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD wanted = static_cast<DWORD>(bytes.size() - done);
        if (!WriteFile(file.handle, bytes.data() + done, wanted, &written, nullptr) || written == 0)
            return "cannot be written, " + windowsErrorText(GetLastError());
        done += written;
    }
    return "";
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


std::string replaceFileBytes(const std::string& path, std::span<const uint8_t> bytes)
{
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folderOf(fullPathOf(path)).c_str(), "qzb", 0, temporary))
        return "no file can be made in its folder, " + windowsErrorText(GetLastError());
    TemporaryFile copy{temporary};
    if (std::string problem = writeFileBytes(copy.path, bytes); !problem.empty())
        return "its temporary file " + copy.path + " " + problem;
    if (!MoveFileExA(copy.path.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return "cannot be replaced, " + windowsErrorText(GetLastError());
    copy.path.clear();
    return "";
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
