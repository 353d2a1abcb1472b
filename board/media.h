// Sound and video clips of the entries: copied out of the program's
// resources into temporary files in the current directory, because the
// platform's players open files, and played there.
#pragma once

#include "win32/platform.h"

enum class MediaKind { Sound = 1, Video = 2 };

inline constexpr const char* SoundFileName = "quizz.mp3";

// Writes media resource `resource` to its temporary file ("quizz.mp3", or
// "quizz%d.avi" with the entry number); 1 when the whole file was written,
// 0 otherwise, after telling the user. A file of that name that this run did
// not create is the user's: it is left as it is, and the clip not loaded.
int extractMedia(int resource, MediaKind kind);
// Deletes the temporary file of the sound (entry ignored) or of entry's
// clip, if this run created it.
void removeMediaFile(MediaKind kind, int entry);
// Tells the user the clip could not be loaded.
void reportLoadFailure(MediaKind kind);

// sound.cpp: one hidden MCI window at a time, a child of the board.
void playSound(HWND board, int entry);
void stopSound();
// Tells the user of a sound that was opened but does not play (on
// SoundWatchTimerId).
void watchSound(HWND board);

// video.cpp: one media-player control per entry, hosted in its frame.
// False when the entry's player cannot be created.
bool setUpVideo(int entry, HWND frame);
void playVideo(int entry);
void stopVideos();
