#include "board/media.h"

#include "board/identifiers.h"
#include "shell/app.h"
#include "shell/late_bound.h"

#include <vfw.h>

namespace {

HWND soundWindow = nullptr;

}  // namespace

void stopSound()
{
    if (!soundWindow)
        return;
    SendMessageA(soundWindow, MCI_STOP, 0, 0);
    SendMessageA(soundWindow, WM_CLOSE, 0, 0);
    soundWindow = nullptr;
    removeMediaFile(MediaKind::Sound, 0);
}

// A new sound replaces the one playing: its window goes, the file is rewritten.
void playSound(HWND board, int entry)
{
    stopSound();
    if (!extractMedia(MediaResourceIdBase + entry, MediaKind::Sound))
        return;
    // The player says itself when a file cannot be played, in French,
    // instead of the system's own dialog.
    soundWindow = mciWndCreate(board, appInstance, WS_CHILD | MCIWNDF_NOMENU | MCIWNDF_NOERRORDLG, SoundFileName);
    if (!soundWindow) {
        removeMediaFile(MediaKind::Sound, 0);
        reportLoadFailure(MediaKind::Sound);
        return;
    }
    // The MCI window makes itself visible with its own play bar; the sound
    // is played without showing anything.
    ShowWindow(soundWindow, SW_HIDE);
    // A file the MCI could not open leaves the window without a device; one
    // it opened but cannot decode fails to play.
    if (!SendMessageA(soundWindow, MCIWNDM_GETDEVICEID, 0, 0) || SendMessageA(soundWindow, MCI_PLAY, 0, 0) != 0) {
        stopSound();
        reportLoadFailure(MediaKind::Sound);
    }
}
