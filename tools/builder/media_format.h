// What a media file is, told by its leading bytes alone: the player hands
// pictures to the Windows picture decoder, sounds to the MCI window and clips
// to the media-player control, none of which reports a wrong format usefully
// to a quiz player, so the builder refuses such files up front.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class MediaFormat { Unknown, Bmp, Jpeg, Gif, Png, Mp3, Avi };

// What an item is used for; it decides the formats that are accepted.
enum class MediaUse { Picture, Sound, Video };

MediaFormat mediaFormatOf(const std::vector<uint8_t>& bytes);

// "jpg", "mp3", ... and "bin" for an unknown format.
const char* mediaFileExtension(MediaFormat format);

// Empty when the format serves the use; otherwise the reason and the
// accepted formats, e.g. "a GIF picture; a sound quiz needs an MP3 file".
std::string mediaFormatProblem(MediaFormat format, MediaUse use, const std::vector<uint8_t>& bytes);
