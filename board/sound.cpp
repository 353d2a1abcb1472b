#include "board/media.h"

#include "board/app_state.h"
#include "board/board_timers.h"
#include "quiz/board_identifiers.h"
#include "win32/late_bound.h"

#include <vfw.h>

namespace {

HWND soundWindow = nullptr;
// When the watched sound was started; 0 once it is seen to play.
DWORD watchedSince = 0;
// How far the watched sound must get to count as playing: a file of noise
// may seem to move a little before the MCI stops, the more so on a busy
// machine. A shorter sound is judged by when it stops.
constexpr LRESULT soundPlayingProof = 250;
// A sound plays in real time, so its position never runs ahead of the time
// since it was started; the MCI gives some files of noise their end as
// position at once, while it says they play, just before it stops them.
// The margin covers the calls between starting the sound and the watch.
constexpr DWORD soundClockMargin = 200;

// How often a sound just started is looked at, and how long it may go
// without its position moving before it counts as playing nothing.
constexpr UINT soundWatchInterval = 20;
constexpr DWORD soundWatchLimit = 3000;

LRESULT sendToSoundWindow(UINT message) { return SendMessageA(soundWindow, message, 0, 0); }

void stopWatching(HWND board)
{
    KillTimer(board, SoundWatchTimerId);
    watchedSince = 0;
}

void failSound()
{
    stopSound();
    reportLoadFailure(MediaKind::Sound);
}

}  // namespace

void stopSound()
{
    if (!soundWindow)
        return;
    stopWatching(GetParent(soundWindow));
    SendMessageA(soundWindow, MCI_STOP, 0, 0);
    SendMessageA(soundWindow, WM_CLOSE, 0, 0);
    soundWindow = nullptr;
    removeMediaFile(MediaKind::Sound, 0);
}

// The MCI opens some files it cannot decode: it says they play, then stops
// at once, long before the length it gives them, or it never gets going. A
// sound counts as playing once its position has passed a quarter of a
// second, no further than the time since it started; one that stops before
// it could have reached its end, or has not got that far in three seconds,
// played nothing. A sound's end puts the position back to 0, so a very
// short one that ended before the first look is taken as played.
void watchSound(HWND board)
{
    if (!soundWindow || !watchedSince) {
        stopWatching(board);
        return;
    }
    DWORD elapsed = GetTickCount() - watchedSince;
    LRESULT mode = sendToSoundWindow(MCIWNDM_GETMODEA);
    LRESULT position = mode == MCI_MODE_PLAY ? sendToSoundWindow(MCIWNDM_GETPOSITIONA) : 0;
    if (position >= soundPlayingProof && DWORD(position) <= elapsed + soundClockMargin) {
        stopWatching(board);
    } else if (mode != MCI_MODE_PLAY && mode != MCI_MODE_NOT_READY && mode != MCI_MODE_OPEN) {
        stopWatching(board);
        if (LRESULT length = sendToSoundWindow(MCIWNDM_GETLENGTH); length <= 0 || DWORD(length) > elapsed)
            failSound();
    } else if (elapsed >= soundWatchLimit) {
        stopWatching(board);
        failSound();
    }
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
    if (!sendToSoundWindow(MCIWNDM_GETDEVICEID) || sendToSoundWindow(MCI_PLAY) != 0 || sendToSoundWindow(MCIWNDM_GETLENGTH) <= 0) {
        failSound();
        return;
    }
    // Whether it really plays shows only once the MCI's own thread has
    // tried to decode it; the board stays live meanwhile.
    watchedSince = GetTickCount() | 1;
    SetTimer(board, SoundWatchTimerId, soundWatchInterval, nullptr);
}
