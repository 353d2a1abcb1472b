#include "board/media.h"

#include "board/identifiers.h"
#include "quiz/own_resources.h"
#include "shell/file_write.h"

#include <cstdio>

namespace {

void tellUser(const char* text)
{
    MessageBoxA(nullptr, text, "Information", MB_OK);
}

const char* missingMessage(MediaKind kind)
{
    return kind == MediaKind::Sound ? "Impossible de localiser le fichier audio."
                                    : "Impossible de localiser le fichier vid\xE9o.";
}

const char* loadFailureMessage(MediaKind kind)
{
    return kind == MediaKind::Sound ? "Impossible de charger le fichier audio."
                                    : "Impossible de charger le fichier vid\xE9o.";
}

}  // namespace

void reportLoadFailure(MediaKind kind)
{
    tellUser(loadFailureMessage(kind));
}

int extractMedia(int resource, MediaKind kind)
{
    OwnResource found = findOwnResource("img", resource);
    if (!found.found) {
        tellUser(missingMessage(kind));
        return 0;
    }
    if (!found.whole) {
        tellUser(loadFailureMessage(kind));
        return 0;
    }
    char name[32];
    if (kind == MediaKind::Sound)
        std::snprintf(name, sizeof name, "%s", SoundFileName);
    else
        std::snprintf(name, sizeof name, "quizz%d.avi", resource - MediaResourceIdBase);
    bool written = writeWholeFile(name, found.bytes, found.size);
    // A player handed a missing or partial file would fail later, silently.
    if (!written) {
        DeleteFileA(name);
        tellUser(loadFailureMessage(kind));
        return 0;
    }
    return 1;
}
