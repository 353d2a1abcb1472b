#include "tools/builder/resource_reader.h"

#include "board/identifiers.h"
#include "quiz/loader.h"
#include "quiz/quiz.h"
#include "shell/platform.h"
#include "tools/builder/quiz_resources.h"
#include "tools/builder/win32_files.h"

namespace {

struct DataModule {
    HMODULE handle;
    ~DataModule()
    {
        if (handle)
            FreeLibrary(handle);
    }
};

std::optional<std::vector<uint8_t>> resourceBytes(HMODULE module, const char* type, int id)
{
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!resource)
        return std::nullopt;
    DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes)
        return std::vector<uint8_t>{};
    return std::vector<uint8_t>(bytes, bytes + size);
}

}  // namespace

StoredQuiz readStoredQuiz(const std::string& program, std::string& problem)
{
    StoredQuiz stored;
    DataModule module{LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
    if (!module.handle) {
        DWORD code = GetLastError();
        problem = !fileExists(program) ? "not found"
                      : "not a Windows program whose resources can be read, " + windowsErrorText(code);
        return stored;
    }
    stored.quizPayload = resourceBytes(module.handle, PayloadResourceType, QuizPayloadResourceId);
    stored.codesPayload = resourceBytes(module.handle, PayloadResourceType, CodesPayloadResourceId);
    for (int number = 1; number <= MaxEntries; ++number)
        for (int id : {MediaResourceIdBase + number, AnswerPictureResourceIdBase + number})
            if (auto bytes = resourceBytes(module.handle, MediaResourceType, id))
                stored.media[id] = std::move(*bytes);
    return stored;
}
