// What a media file is, told by its leading bytes alone: the player hands
// pictures to the Windows picture decoder, sounds to the MCI window and clips
// to the media-player control, none of which reports a wrong format usefully
// to a quiz player, so the builder refuses such files up front.
#pragma once

#include "tools/builder/input/message_catalogue.h"

#include <cstdint>
#include <string>
#include <vector>

enum class MediaFormat { Unknown, Bmp, Jpeg, Gif, Png, Mp3, Avi, Mp4, WebM };

// What an item is used for; it decides the formats that are accepted.
// WebClip: the clip a video entry's web page plays in place of its AVI.
enum class MediaUse { Picture, Sound, Video, WebClip };

MediaFormat mediaFormatOf(const std::vector<uint8_t>& bytes);

// The MIME type a web page gives the format: "image/jpeg", "audio/mpeg",
// "video/mp4", ...; "application/octet-stream" for an unknown format.
const char* mediaMimeType(MediaFormat format);

// "jpg", "mp3", ... and "bin" for an unknown format.
const char* mediaFileExtension(MediaFormat format);

// Empty when the format serves the use; otherwise the reason and the
// accepted formats, e.g. "a GIF picture; a sound quiz needs an MP3 file".
std::string mediaFormatProblem(MediaFormat format, MediaUse use, const std::vector<uint8_t>& bytes);

// The same as a message record; noProblem when the format serves the use.
Message mediaFormatFault(MediaFormat format, MediaUse use, const std::vector<uint8_t>& bytes);
