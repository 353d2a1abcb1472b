// The question pictures on the board: each control is made at the size its
// picture's header gives, and the picture set in it when its worker is done
// (board/picture_loading.h), moved if the decoded picture is not the size
// it stated, or to the whole square when it cannot be decoded.
#pragma once

#include "quiz/board_grid.h"
#include "quiz/quiz.h"
#include "win32/platform.h"

// The entry's picture control and, below it, the label its revealed text shows in.
void createPicture(HWND board, const Quiz& quiz, int entry, const EntryPlan& plan);
// PictureDoneMessageId: entry's picture is done; placed if its control is
// made. Whoever places pictures then asks the board whether it has settled
// (settleBoardWhenDone), as the last picture may have been among them.
void placeDonePicture(HWND board, int entry);
// Waits for the pictures of the entries already made that show with the
// board scrolled to the top, and places them: the board shows with them.
void placePicturesInView(HWND board, const Quiz& quiz);
// The entry's answer picture has taken the question picture's place: a
// question picture still to come is dropped.
void dropQuestionPicture(int entry);
// Whether a made picture control still waits for its picture.
bool picturesStillComing();
