#include "tools/builder/resource_writer.h"

#include "quiz/loader.h"
#include "shell/platform.h"
#include "tools/builder/temporary_files.h"
#include "tools/builder/win32_files.h"

namespace {

constexpr WORD neutralLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// Deletes the temporary copy on every way out but the final move; the
// crash handler knows of it too.
struct TemporaryFile {
    std::string path;
    explicit TemporaryFile(const char* made) : path(made) { rememberTemporaryFile(path); }
    ~TemporaryFile()
    {
        forgetTemporaryFile(path);
        if (!path.empty())
            DeleteFileA(path.c_str());
    }
};

// A type or name as the resource calls take it: an integer id or a string.
struct ResourceName {
    bool numbered;
    WORD id;
    std::string text;

    explicit ResourceName(LPCSTR name)
        : numbered(IS_INTRESOURCE(name)),
          id(numbered ? static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)) : WORD(0)),
          text(numbered ? "" : name)
    {
    }
    LPCSTR get() const { return numbered ? MAKEINTRESOURCEA(id) : text.c_str(); }
};

struct KeptResource {
    ResourceName type;
    ResourceName name;
    WORD language;
    std::vector<uint8_t> bytes;
};

struct PlayerScan {
    HMODULE module;
    std::vector<KeptResource> kept;
};

BOOL CALLBACK keepLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR parameter)
{
    auto* scan = reinterpret_cast<PlayerScan*>(parameter);
    HRSRC resource = FindResourceExA(module, type, name, language);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (bytes)
        scan->kept.push_back({ResourceName(type), ResourceName(name), language,
                              std::vector<uint8_t>(bytes, bytes + SizeofResource(module, resource))});
    return TRUE;
}

BOOL CALLBACK keepName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR parameter)
{
    EnumResourceLanguagesA(module, type, name, keepLanguage, parameter);
    return TRUE;
}

bool isQuizType(LPCSTR type)
{
    return !IS_INTRESOURCE(type)
           && (lstrcmpiA(type, PayloadResourceType) == 0 || lstrcmpiA(type, MediaResourceType) == 0);
}

BOOL CALLBACK keepType(HMODULE module, LPSTR type, LONG_PTR parameter)
{
    if (!isQuizType(type))
        EnumResourceNamesA(module, type, keepName, parameter);
    return TRUE;
}

// The player's own resources (dialog, icons, cursor, ...), without any quiz
// an earlier build left in it. Deleting single resources with the update
// calls is not dependable (Wine keeps them), so the copy is emptied and
// gets these back.
bool playerOwnResources(const std::string& player, std::vector<KeptResource>& kept)
{
    PlayerScan scan{LoadLibraryExA(player.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), {}};
    if (!scan.module)
        return false;
    EnumResourceTypesA(scan.module, keepType, reinterpret_cast<LONG_PTR>(&scan));
    FreeLibrary(scan.module);
    kept = std::move(scan.kept);
    return true;
}

bool updateResources(const std::string& program, const std::vector<KeptResource>& kept,
                     const std::vector<QuizResource>& resources)
{
    HANDLE update = BeginUpdateResourceA(program.c_str(), TRUE);
    if (!update)
        return false;
    bool updated = true;
    for (const KeptResource& item : kept)
        updated = updated
                  && UpdateResourceA(update, item.type.get(), item.name.get(), item.language,
                                     const_cast<uint8_t*>(item.bytes.data()), static_cast<DWORD>(item.bytes.size()));
    for (const QuizResource& item : resources)
        updated = updated
                  && UpdateResourceA(update, item.type.c_str(), MAKEINTRESOURCEA(item.id), neutralLanguage,
                                     const_cast<uint8_t*>(item.bytes.data()), static_cast<DWORD>(item.bytes.size()));
    return EndUpdateResourceA(update, updated ? FALSE : TRUE) && updated;
}

}  // namespace

std::string writePlayerCopy(const std::string& player, const std::string& output,
                            const std::vector<QuizResource>& resources)
{
    std::string fullOutput = fullPathOf(output);
    if (lstrcmpiA(fullOutput.c_str(), fullPathOf(player).c_str()) == 0)
        return output + ": is the player itself; the player is never changed, name another output";

    char temporary[MAX_PATH];
    std::string folder = folderOf(fullOutput);
    if (!GetTempFileNameA(folder.c_str(), "qzb", 0, temporary))
        return output + ": no file can be made in its folder, " + windowsErrorText(GetLastError());
    TemporaryFile copy{temporary};
    if (!CopyFileA(player.c_str(), copy.path.c_str(), FALSE))
        return player + ": cannot be copied, " + windowsErrorText(GetLastError());
    SetFileAttributesA(copy.path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::vector<KeptResource> kept;
    if (!playerOwnResources(player, kept) || !updateResources(copy.path, kept, resources))
        return player + ": its copy's resources cannot be updated (is it a Windows program?), "
               + windowsErrorText(GetLastError());
    if (!MoveFileExA(copy.path.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING))
        return output + ": cannot be replaced, " + windowsErrorText(GetLastError());
    forgetTemporaryFile(copy.path);
    copy.path.clear();
    return "";
}
