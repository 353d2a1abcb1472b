#include "tests/win32/driver.h"

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <sstream>

std::string freshFolder(const std::string& name)
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "quizz-" + std::to_string(GetCurrentProcessId()) + "-" + name;
    std::string pattern = folder + "\\*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string path = folder + "\\" + found.cFileName;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string folderOfThisProgram()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

bool writeResources(const std::string& program, const std::vector<ResourceItem>& items)
{
    HANDLE update = BeginUpdateResourceA(program.c_str(), FALSE);
    if (!update)
        return false;
    bool written = true;
    for (const ResourceItem& item : items) {
        static const uint8_t none = 0;
        const void* data = item.bytes.empty() ? &none : item.bytes.data();
        written = written
                  && UpdateResourceA(update, item.type.c_str(), MAKEINTRESOURCEA(item.id),
                                     MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), const_cast<void*>(data),
                                     static_cast<DWORD>(item.bytes.size()));
    }
    return EndUpdateResourceA(update, written ? FALSE : TRUE) && written;
}

namespace {

// Reads and writes a little-endian field of the program image in place.
template <typename T> T& fieldAt(std::string& image, std::size_t offset)
{
    return *reinterpret_cast<T*>(image.data() + offset);
}

}  // namespace

namespace {

// The offset in the program file of the resource's data entry (its address
// and size), or 0 when it is not there.
std::size_t resourceDataEntryAt(std::string& image, const std::string& type, int id)
{
    if (image.size() < 0x100)
        return 0;
    // PE32 and PE32+ differ in the optional header only; the section table follows it in both.
    std::size_t headers = fieldAt<LONG>(image, offsetof(IMAGE_DOS_HEADER, e_lfanew));
    auto& fileHeader = fieldAt<IMAGE_FILE_HEADER>(image, headers + sizeof(DWORD));
    std::size_t optional = headers + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    bool wide = fieldAt<WORD>(image, optional) == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    const IMAGE_DATA_DIRECTORY& resources
        = wide ? fieldAt<IMAGE_OPTIONAL_HEADER64>(image, optional).DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE]
               : fieldAt<IMAGE_OPTIONAL_HEADER32>(image, optional).DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
    DWORD resourceRva = resources.VirtualAddress;
    auto* sections = reinterpret_cast<IMAGE_SECTION_HEADER*>(image.data() + optional + fileHeader.SizeOfOptionalHeader);
    std::size_t base = 0;
    for (int n = 0; n < fileHeader.NumberOfSections; ++n)
        if (resourceRva >= sections[n].VirtualAddress
            && resourceRva < sections[n].VirtualAddress + sections[n].Misc.VirtualSize)
            base = resourceRva - sections[n].VirtualAddress + sections[n].PointerToRawData;
    if (!base)
        return 0;

    // Type directory (by name), then name directory (by id), then the first language.
    auto findEntry = [&](std::size_t directory, const std::string* name, int number) -> long long {
        auto& header = fieldAt<IMAGE_RESOURCE_DIRECTORY>(image, directory);
        int count = header.NumberOfNamedEntries + header.NumberOfIdEntries;
        auto* entries = reinterpret_cast<IMAGE_RESOURCE_DIRECTORY_ENTRY*>(image.data() + directory + sizeof header);
        for (int n = 0; n < count; ++n) {
            bool match = false;
            if (name && entries[n].NameIsString) {
                std::size_t at = base + entries[n].NameOffset;
                WORD length = fieldAt<WORD>(image, at);
                std::string text;
                for (WORD c = 0; c < length; ++c)
                    text += static_cast<char>(fieldAt<WORD>(image, at + 2 + 2 * c));
                match = lstrcmpiA(text.c_str(), name->c_str()) == 0;
            } else if (!name) {
                match = number < 0 || (!entries[n].NameIsString && entries[n].Id == number);
            }
            if (match)
                return static_cast<long long>(entries[n].OffsetToData);
        }
        return -1;
    };
    long long typeEntry = findEntry(base, &type, 0);
    if (typeEntry < 0 || !(typeEntry & IMAGE_RESOURCE_DATA_IS_DIRECTORY))
        return 0;
    long long nameEntry = findEntry(base + (typeEntry & 0x7FFFFFFF), nullptr, id);
    if (nameEntry < 0 || !(nameEntry & IMAGE_RESOURCE_DATA_IS_DIRECTORY))
        return 0;
    long long languageEntry = findEntry(base + (nameEntry & 0x7FFFFFFF), nullptr, -1);
    if (languageEntry < 0 || (languageEntry & IMAGE_RESOURCE_DATA_IS_DIRECTORY))
        return 0;
    return base + std::size_t(languageEntry);
}

bool changeResourceEntry(const std::string& program, const std::string& type, int id,
                         void (*change)(IMAGE_RESOURCE_DATA_ENTRY&, DWORD), DWORD value)
{
    std::string image = readWholeFile(program);
    std::size_t entry = resourceDataEntryAt(image, type, id);
    if (!entry)
        return false;
    change(fieldAt<IMAGE_RESOURCE_DATA_ENTRY>(image, entry), value);
    std::ofstream file(program, std::ios::binary | std::ios::trunc);
    file.write(image.data(), static_cast<std::streamsize>(image.size()));
    return static_cast<bool>(file);
}

}  // namespace

bool resizeResource(const std::string& program, const std::string& type, int id, DWORD size)
{
    return changeResourceEntry(
        program, type, id, [](IMAGE_RESOURCE_DATA_ENTRY& entry, DWORD value) { entry.Size = value; }, size);
}

bool moveResource(const std::string& program, const std::string& type, int id, DWORD address)
{
    return changeResourceEntry(
        program, type, id, [](IMAGE_RESOURCE_DATA_ENTRY& entry, DWORD value) { entry.OffsetToData = value; }, address);
}

bool emptyResource(const std::string& program, const std::string& type, int id)
{
    return resizeResource(program, type, id, 0);
}

std::size_t resourceDataOffset(const std::string& program, const std::string& type, int id)
{
    std::string image = readWholeFile(program);
    std::size_t entry = resourceDataEntryAt(image, type, id);
    if (!entry)
        return 0;
    DWORD address = fieldAt<IMAGE_RESOURCE_DATA_ENTRY>(image, entry).OffsetToData;
    std::size_t headers = fieldAt<LONG>(image, offsetof(IMAGE_DOS_HEADER, e_lfanew));
    auto& fileHeader = fieldAt<IMAGE_FILE_HEADER>(image, headers + sizeof(DWORD));
    std::size_t sections = headers + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER) + fileHeader.SizeOfOptionalHeader;
    for (int n = 0; n < fileHeader.NumberOfSections; ++n) {
        auto& section = fieldAt<IMAGE_SECTION_HEADER>(image, sections + n * sizeof(IMAGE_SECTION_HEADER));
        if (address >= section.VirtualAddress && address < section.VirtualAddress + section.SizeOfRawData)
            return address - section.VirtualAddress + section.PointerToRawData;
    }
    return 0;
}

std::string windowText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return std::string(text, copied < sizeof text ? copied : 0);
}

namespace {

struct TopWindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<TopWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)
        && (!search->className || classNameOf(window) == search->className))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM parameter)
{
    if (lstrcmpiA(classNameOf(child).c_str(), "Static") == 0)
        *reinterpret_cast<std::string*>(parameter) += windowText(child);
    return TRUE;
}

SeenMessageBox answerMessageBox(HWND box)
{
    SeenMessageBox seen;
    seen.caption = windowText(box);
    seen.text = staticTextsOf(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int wait = 0; wait < 500 && IsWindow(box); ++wait)
        Sleep(10);
    return seen;
}

}  // namespace

double secondsNow()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

std::string classNameOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> visibleTopWindowsOf(DWORD processId, const char* className)
{
    TopWindowSearch search{processId, className, {}};
    EnumWindows(collectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND visibleTopWindowOf(DWORD processId, const char* className)
{
    std::vector<HWND> windows = visibleTopWindowsOf(processId, className);
    return windows.empty() ? nullptr : windows.front();
}

std::string staticTextsOf(HWND dialog)
{
    std::string text;
    EnumChildWindows(dialog, collectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

namespace {

std::string utf8Of(const std::string& text)
{
    if (text.empty())
        return text;
    int wide = MultiByteToWideChar(1252, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring characters(std::size_t(wide), L'\0');
    MultiByteToWideChar(1252, 0, text.data(), int(text.size()), characters.data(), wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, characters.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, characters.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace

std::string jsonStringOf(const std::string& text)
{
    std::string json = "\"";
    for (char c : utf8Of(text)) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

void reportFailedCall(const char* call, const std::string& what)
{
    DWORD error = GetLastError();
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                   nullptr);
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    std::fprintf(stderr, "%s failed for %s: error %lu (%s)\n", call, what.c_str(), static_cast<unsigned long>(error),
                 reason.c_str());
    std::fflush(stderr);
}

bool startProcess(const std::string& commandLine, const char* folder, STARTUPINFOA& startup,
                  PROCESS_INFORMATION& process, DWORD flags)
{
    BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) ? TRUE : FALSE;
    // Debian's 64-bit Wine, with the address space laid out at random, now
    // and then loses a new process before any of the program's code runs
    // (the page of its shared user data is taken) and says
    // ERROR_INTERNAL_ERROR. tests/with-display fixes the layout where the
    // kernel allows it; where it does not, such a start is tried again. Any
    // other failure is the test's.
    constexpr int tries = 3;
    for (int attempt = 1; attempt <= tries; ++attempt) {
        std::string command = commandLine;
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, inherit, flags, nullptr, folder, &startup,
                           &process))
            return true;
        DWORD error = GetLastError();
        reportFailedCall("CreateProcessA", commandLine);
        if (error != ERROR_INTERNAL_ERROR || attempt == tries)
            return false;
        std::fprintf(stderr, "the new process died before it started (try %d of %d); starting it again\n", attempt,
                     tries);
        Sleep(50);
    }
    return false;
}

DWORD runLogged(const std::string& commandLine, const std::string& logPath, DWORD timeoutMs)
{
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE log = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        reportFailedCall("CreateFileA", logPath);
        return notRun;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = log;
    startup.hStdError = log;
    PROCESS_INFORMATION process = {};
    bool started = startProcess(commandLine, nullptr, startup, process);
    CloseHandle(log);
    if (!started)
        return notRun;
    DWORD exitCode = notRun;
    DWORD waited = WaitForSingleObject(process.hProcess, timeoutMs);
    if (waited == WAIT_OBJECT_0) {
        if (!GetExitCodeProcess(process.hProcess, &exitCode))
            reportFailedCall("GetExitCodeProcess", commandLine);
    } else {
        if (waited == WAIT_TIMEOUT)
            std::fprintf(stderr, "%s did not end within %lu ms; ended\n", commandLine.c_str(),
                         static_cast<unsigned long>(timeoutMs));
        else
            reportFailedCall("WaitForSingleObject", commandLine);
        TerminateProcess(process.hProcess, notRun);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

ProgramRun runAnsweringMessageBoxes(const std::string& commandLine, const std::string& folder, DWORD timeoutMs)
{
    ProgramRun run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!startProcess(commandLine, folder.c_str(), startup, process))
        return run;
    run.started = true;
    DWORD started = GetTickCount();
    while (GetTickCount() - started < timeoutMs) {
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
            run.exited = true;
            break;
        }
        if (HWND box = visibleTopWindowOf(process.dwProcessId, "#32770"))
            run.messageBoxes.push_back(answerMessageBox(box));
    }
    if (!run.exited)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
