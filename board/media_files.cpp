#include "board/media.h"
#include "quiz/board_identifiers.h"
#include "quiz/own_resources.h"
#include "quiz/quiz.h"
#include "win32/file_write.h"

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

// The media files this run created, by entry number (0 for the sound file).
// Only these are ever written again or deleted: a file of that name that
// was there before belongs to the user.
bool created[MaxEntries + 1];

int slotOf(MediaKind kind, int entry)
{
    return kind == MediaKind::Sound ? 0 : entry >= 1 && entry <= MaxEntries ? entry : -1;
}

void mediaFileName(MediaKind kind, int entry, char (&name)[32])
{
    if (kind == MediaKind::Sound)
        std::snprintf(name, sizeof name, "%s", SoundFileName);
    else
        std::snprintf(name, sizeof name, "quizz%d.avi", entry);
}

}  // namespace

void removeMediaFile(MediaKind kind, int entry)
{
    int slot = slotOf(kind, entry);
    if (slot < 0 || !created[slot])
        return;
    char name[32];
    mediaFileName(kind, entry, name);
    if (DeleteFileA(name) || GetLastError() == ERROR_FILE_NOT_FOUND)
        created[slot] = false;
}

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
    int entry = resource - MediaResourceIdBase;
    int slot = slotOf(kind, entry);
    char name[32];
    mediaFileName(kind, entry, name);
    // The run's own file is written anew; a file it did not create is never
    // written over.
    removeMediaFile(kind, entry);
    // A player handed a missing or partial file would fail later, silently.
    if (slot < 0 || created[slot] || !writeNewFile(name, found.bytes, found.size)) {
        tellUser(loadFailureMessage(kind));
        return 0;
    }
    created[slot] = true;
    return 1;
}
