#include "tools/builder/input/media_format.h"

#include "quiz/picture_size.h"

#include <cstdio>
#include <cstring>

namespace {

bool startsWith(const std::vector<uint8_t>& bytes, const char* prefix, std::size_t length)
{
    return bytes.size() >= length && std::memcmp(bytes.data(), prefix, length) == 0;
}

const char* formatName(MediaFormat format)
{
    switch (format) {
    case MediaFormat::Bmp: return "a BMP picture";
    case MediaFormat::Jpeg: return "a JPEG picture";
    case MediaFormat::Gif: return "a GIF picture";
    case MediaFormat::Png: return "a PNG picture";
    case MediaFormat::Mp3: return "an MP3 sound";
    case MediaFormat::Avi: return "an AVI clip";
    case MediaFormat::Mp4: return "an MP4 clip";
    case MediaFormat::WebM: return "a WebM clip";
    case MediaFormat::Unknown: break;
    }
    return "of no known format";
}

bool serves(MediaFormat format, MediaUse use)
{
    switch (use) {
    case MediaUse::Picture:
        return format == MediaFormat::Bmp || format == MediaFormat::Jpeg || format == MediaFormat::Gif;
    case MediaUse::Sound: return format == MediaFormat::Mp3;
    case MediaUse::Video: return format == MediaFormat::Avi;
    case MediaUse::WebClip: return format == MediaFormat::Mp4 || format == MediaFormat::WebM;
    }
    return false;
}

const char* acceptedFormats(MediaUse use)
{
    switch (use) {
    case MediaUse::Picture: return "expected a BMP, JPEG or GIF picture";
    case MediaUse::Sound: return "a sound quiz needs an MP3 file (\"ID3\" tag or MPEG audio frame)";
    case MediaUse::Video: return "a video quiz needs an AVI file (\"RIFF\" ... \"AVI \")";
    case MediaUse::WebClip: return "a web clip must be MP4 (\"ftyp\") or WebM, which browsers play";
    }
    return "";
}

// The first bytes, so an author can tell what the file really is.
std::string leadingBytes(const std::vector<uint8_t>& bytes)
{
    std::string text;
    for (std::size_t at = 0; at < bytes.size() && at < 8; ++at) {
        char hex[4];
        std::snprintf(hex, sizeof hex, at ? " %02X" : "%02X", bytes[at]);
        text += hex;
    }
    return text;
}

}  // namespace

MediaFormat mediaFormatOf(const std::vector<uint8_t>& bytes)
{
    if (startsWith(bytes, "BM", 2))
        return MediaFormat::Bmp;
    if (startsWith(bytes, "\xFF\xD8\xFF", 3))
        return MediaFormat::Jpeg;
    if (startsWith(bytes, "GIF87a", 6) || startsWith(bytes, "GIF89a", 6))
        return MediaFormat::Gif;
    if (startsWith(bytes, "\x89PNG\r\n\x1A\n", 8))
        return MediaFormat::Png;
    if (startsWith(bytes, "ID3", 3) || (bytes.size() >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0))
        return MediaFormat::Mp3;
    if (startsWith(bytes, "RIFF", 4) && bytes.size() >= 12 && std::memcmp(bytes.data() + 8, "AVI ", 4) == 0)
        return MediaFormat::Avi;
    if (bytes.size() >= 12 && std::memcmp(bytes.data() + 4, "ftyp", 4) == 0)
        return MediaFormat::Mp4;
    if (startsWith(bytes, "\x1A\x45\xDF\xA3", 4))
        return MediaFormat::WebM;
    return MediaFormat::Unknown;
}

const char* mediaFileExtension(MediaFormat format)
{
    switch (format) {
    case MediaFormat::Bmp: return "bmp";
    case MediaFormat::Jpeg: return "jpg";
    case MediaFormat::Gif: return "gif";
    case MediaFormat::Png: return "png";
    case MediaFormat::Mp3: return "mp3";
    case MediaFormat::Avi: return "avi";
    case MediaFormat::Mp4: return "mp4";
    case MediaFormat::WebM: return "webm";
    case MediaFormat::Unknown: break;
    }
    return "bin";
}

const char* mediaMimeType(MediaFormat format)
{
    switch (format) {
    case MediaFormat::Bmp: return "image/bmp";
    case MediaFormat::Jpeg: return "image/jpeg";
    case MediaFormat::Gif: return "image/gif";
    case MediaFormat::Png: return "image/png";
    case MediaFormat::Mp3: return "audio/mpeg";
    case MediaFormat::Avi: return "video/x-msvideo";
    case MediaFormat::Mp4: return "video/mp4";
    case MediaFormat::WebM: return "video/webm";
    case MediaFormat::Unknown: break;
    }
    return "application/octet-stream";
}

// The player decodes no picture that states a larger size, as decoding
// makes a bitmap of that size first. One whose header cannot be read is
// left to the player, which shows nothing for it, as for any damaged picture.
namespace {

Message pictureSizeFault(MediaFormat format, const std::vector<uint8_t>& bytes)
{
    PictureSize size = statedPictureSize(bytes.data(), bytes.size());
    if (!size.known || (size.width <= LargestPictureSide && size.height <= LargestPictureSide))
        return noProblem;
    return {MessageId::MediaPictureTooLarge,
            {formatName(format), std::to_string(size.width), std::to_string(size.height),
             std::to_string(LargestPictureSide)}};
}

}  // namespace

Message mediaFormatFault(MediaFormat format, MediaUse use, const std::vector<uint8_t>& bytes)
{
    if (serves(format, use))
        return use == MediaUse::Picture ? pictureSizeFault(format, bytes) : noProblem;
    if (format == MediaFormat::Png && use == MediaUse::Picture)
        return {MessageId::MediaPng, {}};
    if (format == MediaFormat::Unknown)
        return {MessageId::MediaUnknownFormat, {leadingBytes(bytes), acceptedFormats(use)}};
    return {MessageId::MediaWrongFormat, {formatName(format), acceptedFormats(use)}};
}

std::string mediaFormatProblem(MediaFormat format, MediaUse use, const std::vector<uint8_t>& bytes)
{
    Message fault = mediaFormatFault(format, use, bytes);
    return fault.none() ? "" : renderMessage(fault, Language::English);
}
