// The question pictures of a picture quiz, decoded and fitted on worker
// threads from the moment the quiz is loaded, while the windows are made:
// one worker per core, taking entries in order
// so that the board's first rows come first. Workers never touch a window:
// each finished picture is kept for the board, which is told by a posted
// message and places it on its own thread.
#pragma once

#include "quiz/picture_size.h"
#include "quiz/quiz.h"
#include "win32/platform.h"

// Posted to the board when entry wParam's picture is done.
constexpr UINT PictureDoneMessageId = WM_APP + 1;

enum class PictureLoad {
    None,     // nothing to decode: no resource, not all there, or a size the player never decodes
    Pending,  // being decoded
    Done,     // decoded (or found undecodable) and not taken yet
    Taken,
};

// Starts decoding every entry's picture of a picture quiz; nothing for
// other kinds.
void startPictureLoading(const Quiz& quiz);
// Once the board shows, the pictures still to decode get a worker on
// every core.
void usePictureWorkersOnEveryCore();
// From now on each picture done is also posted to `board`.
void postPicturesTo(HWND board);
PictureLoad pictureLoadOf(int entry);
// The size entry's picture states in its header (known only for pictures
// that are decoded), for laying it out before it is decoded.
PictureSize statedSizeOf(int entry);
// Waits until entry's picture is done, decoding the pictures next in the
// queue meanwhile; false if it is not done within `timeoutMs`. For the
// window thread, before the board shows.
bool waitForPicture(int entry, DWORD timeoutMs);
// Hands over entry's fitted bitmap once it is done: null when it could not
// be decoded. Later calls find it Taken and get null.
HBITMAP takePicture(int entry);
// Asks the workers to stop after the picture in hand, waits for them and
// frees the bitmaps nobody took.
void stopPictureLoading();
