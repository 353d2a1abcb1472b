#include "tests/builder/builder_fixtures.h"
#include "tools/builder/input/media_format.h"
#include "tools/builder/program/codec.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const MediaFiles media = {
    {"a.jpg", jpegBytes}, {"b.bmp", bmpBytes}, {"c.gif", gifBytes},   {"s.mp3", mp3Bytes},
    {"v.avi", aviBytes},  {"p.png", bytesOf("\x89PNG\r\n\x1A\n....")}, {"e.jpg", {}},
    {"x.bin", {0x00, 0x01, 0x02}}, {"frame.mp3", {0xFF, 0xFB, 0x90, 0x00}},
};

Bytes unpacked(const QuizResource& resource)
{
    CodecResult result = unpackBytes(resource.bytes);
    EXPECT_EQ(result.status, 0) << resource.id;
    return result.bytes;
}

TEST(QuizResources, PayloadsOfASmallQuizByteForByte)
{
    Planned planned = plan(R"({"kind": "picture", "title": "Capitales", "author": "Ana", "description": "Été",
        "answersPerEntry": 2, "answerLabels": ["Ville", "Fleuve"], "reveal": "text", "boardColour": "#102030",
        "entries": [
          {"clue": "France", "answers": ["Paris", "Seine"], "media": "a.jpg", "revealText": "Sur la Seine"},
          {"clue": "Autriche", "answers": ["Vienne", "Danube"], "media": "b.bmp"}],
        "codes": ["K7Q2"]})",
                           media);
    ASSERT_EQ(errorLines(planned.diagnostics), Lines{});
    ASSERT_EQ(planned.resources.size(), 4u);

    const std::string quizPayload = std::string("\x00\x02\x02\x02", 4) + "Capitales|Ana|\xC9t\xE9|Ville|Fleuve|"
                                    + "Paris|Seine|France|" + "Vienne|Danube|Autriche|" + "\x02"
                                    + "Sur la Seine||" + "\x10\x20\x30";
    EXPECT_EQ(planned.resources[0].type, "PATCH");
    EXPECT_EQ(planned.resources[0].id, 104);
    EXPECT_EQ(unpacked(planned.resources[0]), bytesOf(quizPayload));
    EXPECT_EQ(planned.resources[1].type, "PATCH");
    EXPECT_EQ(planned.resources[1].id, 105);
    EXPECT_EQ(unpacked(planned.resources[1]), bytesOf("K7Q2\r\n\r\n"));
    EXPECT_EQ(planned.resources[2].type, "IMG");
    EXPECT_EQ(planned.resources[2].id, 401);
    EXPECT_EQ(planned.resources[2].bytes, jpegBytes);
    EXPECT_EQ(planned.resources[3].id, 402);
    EXPECT_EQ(planned.resources[3].bytes, bmpBytes);
}

TEST(QuizResources, OneAnswerTextQuizWithAnswerPictures)
{
    Planned planned = plan(R"({"kind": "text", "title": "T", "reveal": "picture",
        "entries": [{"clue": "c1", "answers": ["a1"], "revealPicture": "c.gif"},
                    {"clue": "c2", "answers": ["a2"], "revealPicture": "a.jpg"}]})",
                           media);
    ASSERT_EQ(errorLines(planned.diagnostics), Lines{});
    ASSERT_EQ(planned.resources.size(), 4u);
    EXPECT_EQ(unpacked(planned.resources[0]),
              bytesOf(std::string("\x00\x01\x02\x01", 4) + "T|||||a1|c1|a2|c2|" + "\x01" + "\xFF\xFF\xFF"));
    EXPECT_EQ(unpacked(planned.resources[1]), bytesOf("\r\n\r\n"));
    EXPECT_EQ(planned.resources[2].id, 10401);
    EXPECT_EQ(planned.resources[2].bytes, gifBytes);
    EXPECT_EQ(planned.resources[3].id, 10402);
}

TEST(QuizResources, MediaFilesByKind)
{
    struct Row {
        const char* kind;
        const char* file;
        std::string error;  // empty: accepted
    };
    const std::string badPicture = "; expected a BMP, JPEG or GIF picture";
    const std::string badSound = "; a sound quiz needs an MP3 file (\"ID3\" tag or MPEG audio frame)";
    const std::string badVideo = "; a video quiz needs an AVI file (\"RIFF\" ... \"AVI \")";
    const Row rows[] = {
        {"picture", "a.jpg", ""},
        {"picture", "b.bmp", ""},
        {"picture", "c.gif", ""},
        {"picture", "p.png",
         "\"p.png\": a PNG picture, which the Windows picture decoder is not known to read; open it in Paint or "
         "another image editor and save it as JPEG"},
        {"picture", "s.mp3", "\"s.mp3\": an MP3 sound" + badPicture},
        {"picture", "x.bin", "\"x.bin\": not a known format (first bytes 00 01 02)" + badPicture},
        {"picture", "e.jpg", "\"e.jpg\": the file is empty"},
        {"picture", "gone.jpg", "\"gone.jpg\": not found"},
        {"sound", "s.mp3", ""},
        {"sound", "frame.mp3", ""},
        {"sound", "a.jpg", "\"a.jpg\": a JPEG picture" + badSound},
        {"sound", "v.avi", "\"v.avi\": an AVI clip" + badSound},
        {"video", "v.avi", ""},
        {"video", "s.mp3", "\"s.mp3\": an MP3 sound" + badVideo},
        {"video", "c.gif", "\"c.gif\": a GIF picture" + badVideo},
    };
    const std::map<std::string, std::string> fitting = {
        {"picture", "a.jpg"}, {"sound", "s.mp3"}, {"video", "v.avi"}};
    for (const Row& row : rows) {
        Planned planned = plan(std::string(R"({"kind": ")") + row.kind + R"(", "title": "T", "entries": [
            {"answers": ["a"], "media": ")" + fitting.at(row.kind) + R"("},
            {"answers": ["b"], "media": ")" + row.file + R"("}]})",
                               media);
        Lines expected;
        if (!row.error.empty())
            expected.push_back("quiz.json: entry 2, media: " + row.error);
        EXPECT_EQ(errorLines(planned.diagnostics), expected) << row.kind << " " << row.file;
        EXPECT_EQ(planned.resources.empty(), !row.error.empty()) << row.kind << " " << row.file;
    }
}

TEST(QuizResources, AnswerPicturesMustBePicturesInAnyKind)
{
    Planned planned = plan(R"({"kind": "sound", "title": "T", "reveal": "picture", "entries": [
        {"answers": ["a"], "media": "s.mp3", "revealPicture": "s.mp3"},
        {"answers": ["b"], "media": "s.mp3", "revealPicture": "p.png"}]})",
                           media);
    EXPECT_EQ(errorLines(planned.diagnostics),
              (Lines{"quiz.json: entry 1, revealPicture: \"s.mp3\": an MP3 sound; expected a BMP, JPEG or GIF picture",
                     "quiz.json: entry 2, revealPicture: \"p.png\": a PNG picture, which the Windows picture decoder "
                     "is not known to read; open it in Paint or another image editor and save it as JPEG"}));
}

TEST(QuizResources, MediaAreCheckedEvenBesideOtherErrors)
{
    Planned planned = plan(R"({"kind": "picture", "title": "T|", "entries": [{"answers": ["a"], "media": "gone.gif"}]})",
                           media);
    EXPECT_EQ(errorLines(planned.diagnostics),
              (Lines{"quiz.json: title: holds \"|\", which separates the stored fields",
                     "quiz.json: entry 1, media: \"gone.gif\": not found"}));
    EXPECT_TRUE(planned.resources.empty());
}

// A picture quiz of one entry per file, every file sized by the disk.
std::string pictureQuizOf(const Lines& files)
{
    std::string entries;
    for (std::size_t at = 0; at < files.size(); ++at)
        entries += std::string(at ? ", " : "") + R"({"answers": ["a"], "media": ")" + files[at] + "\"}";
    return R"({"kind": "picture", "title": "T", "entries": [)" + entries + "]}";
}

Lines namesOf(const char* stem, int count)
{
    Lines names;
    for (int n = 1; n <= count; ++n)
        names.push_back(stem + std::to_string(n) + ".jpg");
    return names;
}

const std::string playerLimit = "what the 32-bit player can load";
const std::string totalLimit = " in all, at most 1073741824 bytes (1024 MiB) for all media together, " + playerLimit
                               + "; use fewer or smaller files";

// Sizes come from the file system before anything is read: nothing is
// read from a file over its limit, nor from any file when the files fit to
// be read would together pass the total.
TEST(QuizResources, MediaSizesAreLimitedBeforeAnythingIsRead)
{
    constexpr uint64_t mebibyte = 1 << 20;
    struct Row {
        const char* name;
        std::string json;
        std::map<std::string, uint64_t> sizes;
        Lines errors;
        Lines reads;
    };
    std::map<std::string, uint64_t> nineOf510, nineOf128, eightOf128;
    for (const std::string& name : namesOf("big", 9))
        nineOf510[name] = 510 * mebibyte;
    for (const std::string& name : namesOf("m", 9))
        nineOf128[name] = 128 * mebibyte;
    for (const std::string& name : namesOf("m", 8))
        eightOf128[name] = 128 * mebibyte;
    Lines nineOf510Errors;
    for (int n = 1; n <= 9; ++n)
        nineOf510Errors.push_back("quiz.json: entry " + std::to_string(n) + ", media: \"big" + std::to_string(n)
                                  + ".jpg\": 534773760 bytes (510 MiB), at most 134217728 bytes (128 MiB) per media "
                                    "file, " + playerLimit);
    nineOf510Errors.push_back("quiz.json: media: 4812963840 bytes (4590 MiB)" + totalLimit);
    Lines eightChanged;
    for (int n = 1; n <= 8; ++n)
        eightChanged.push_back("quiz.json: entry " + std::to_string(n) + ", media: \"m" + std::to_string(n)
                               + ".jpg\": changed while it was read; run quizbuild again");

    const std::vector<Row> rows = {
        {"one byte over the file limit", pictureQuizOf({"a.jpg", "huge.jpg"}), {{"huge.jpg", 128 * mebibyte + 1}},
         {"quiz.json: entry 2, media: \"huge.jpg\": 134217729 bytes (128.0 MiB), at most 134217728 bytes (128 MiB) "
          "per media file, " + playerLimit},
         {"a.jpg"}},
        {"nine files of 510 MiB", pictureQuizOf(namesOf("big", 9)), nineOf510, nineOf510Errors, {}},
        {"nine files of 128 MiB", pictureQuizOf(namesOf("m", 9)), nineOf128,
         {"quiz.json: media: 1207959552 bytes (1152 MiB)" + totalLimit}, {}},
        {"eight files of 128 MiB are read", pictureQuizOf(namesOf("m", 8)), eightOf128, eightChanged, namesOf("m", 8)},
        {"a large file beside a folder and a device", pictureQuizOf({"huge.jpg", "img", "nul.jpg", "a.jpg"}),
         {{"huge.jpg", 900 * mebibyte}},
         {"quiz.json: entry 1, media: \"huge.jpg\": 943718400 bytes (900 MiB), at most 134217728 bytes (128 MiB) per "
          "media file, " + playerLimit,
          "quiz.json: entry 2, media: \"img\": a folder, not a file",
          "quiz.json: entry 3, media: \"nul.jpg\": names a device, not a file (Windows keeps NUL, CON, PRN, AUX, COM1 "
          "to COM9 and LPT1 to LPT9, with any extension, for its devices); rename the file"},
         {"a.jpg"}},
        {"a file that grew after it was sized", pictureQuizOf({"a.jpg", "b.bmp"}), {{"b.bmp", 4}},
         {"quiz.json: entry 2, media: \"b.bmp\": changed while it was read; run quizbuild again"}, {"a.jpg", "b.bmp"}},
        {"an answer picture counts too",
         R"({"kind": "picture", "title": "T", "reveal": "picture", "entries": [)"
         R"({"answers": ["a"], "media": "a.jpg", "revealPicture": "huge.gif"}]})",
         {{"huge.gif", uint64_t(4096) * mebibyte}},
         {"quiz.json: entry 1, revealPicture: \"huge.gif\": 4294967296 bytes (4096 MiB), at most 134217728 bytes "
          "(128 MiB) per media file, " + playerLimit,
          "quiz.json: media: 4294967305 bytes (4096.0 MiB)" + totalLimit},
         {"a.jpg"}},
    };
    for (const Row& row : rows) {
        FakeDisk disk{media, row.sizes, {"img"}, {"nul.jpg"}, {}};
        for (const std::string& name : namesOf("m", 9))
            disk.files[name] = jpegBytes;  // not the 128 MiB their sizes say
        Planned planned = planOnDisk(row.json, disk);
        EXPECT_EQ(errorLines(planned.diagnostics), row.errors) << row.name;
        EXPECT_EQ(disk.reads, row.reads) << row.name;
        EXPECT_TRUE(planned.resources.empty()) << row.name;
    }
}

// A file of exactly 128 MiB is stored whole.
TEST(QuizResources, AFileAtTheLimitIsStored)
{
    Bytes largest = jpegBytes;
    largest.resize(std::size_t(128) << 20, 0x55);
    FakeDisk disk{{{"largest.jpg", largest}}, {}, {}, {}, {}};
    Planned planned = planOnDisk(pictureQuizOf({"largest.jpg"}), disk);
    ASSERT_EQ(errorLines(planned.diagnostics), Lines{});
    ASSERT_EQ(planned.resources.size(), 3u);
    EXPECT_EQ(planned.resources[2].bytes.size(), largest.size());
    EXPECT_TRUE(planned.resources[2].bytes == largest);
}

// UTF-8 of a text that LZW cannot shorten: random printable ASCII (but the
// separator and what JSON escapes) and Latin-1 letters and signs.
std::string randomText(std::mt19937& random, std::size_t length)
{
    std::string text;
    std::uniform_int_distribution<int> pick(0x20, 0xFF);
    for (std::size_t count = 0; count < length;) {
        int c = pick(random);
        if (c == '|' || c == '"' || c == '\\' || (c >= 0x7F && c < 0xA0))
            continue;
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
        ++count;
    }
    return text;
}

// A two-answer text quiz with reveal texts: every text of `textLength`.
std::string quizOfTexts(int entryCount, std::size_t textLength, bool random)
{
    std::mt19937 generator(7);
    auto text = [&] { return random ? randomText(generator, textLength) : std::string(textLength, 'x'); };
    std::string json = R"({"kind": "text", "title": "T", "answersPerEntry": 2, "reveal": "text", "entries": [)";
    for (int n = 0; n < entryCount; ++n)
        json += std::string(n ? "," : "") + R"({"clue": ")" + text() + R"(", "answers": [")" + text() + R"(", ")"
                + text() + R"("], "revealText": ")" + text() + R"("})";
    return json + "]}";
}

TEST(QuizResources, CodecLimits)
{
    // 10 header bytes, 90 groups of three 260-byte fields, the reveal byte,
    // 90 reveal fields of 260 bytes and the colour: 93614 bytes.
    Planned tooLong = plan(quizOfTexts(90, 259, false), {});
    EXPECT_EQ(errorLines(tooLong.diagnostics),
              Lines{"quiz.json: quiz payload: 93614 bytes before packing, at most 65536; shorten the texts or use "
                    "fewer entries"});

    // Random texts pack to about 10.5 bits a byte: past the 65536 packed
    // bytes the player reads, but within the packer's 80000.
    Planned packsLong = plan(quizOfTexts(54, 259, true), {});
    ASSERT_EQ(packsLong.diagnostics.errors.size(), 1u);
    const std::string line = errorLines(packsLong.diagnostics)[0];
    const std::string prefix = "quiz.json: quiz payload: packs to ";
    const std::string suffix = " bytes, at most 65536 (the player unpacks no more); shorten the texts";
    ASSERT_EQ(line.substr(0, prefix.size()), prefix) << line;
    ASSERT_GT(line.size(), prefix.size() + suffix.size());
    EXPECT_EQ(line.substr(line.size() - suffix.size()), suffix) << line;
    long packed = std::stol(line.substr(prefix.size()));
    EXPECT_GT(packed, 65536);
    EXPECT_LE(packed, 80000);

    Planned packsTooLong = plan(quizOfTexts(63, 259, true), {});
    EXPECT_EQ(errorLines(packsTooLong.diagnostics),
              Lines{"quiz.json: quiz payload: cannot be packed, status -6: packs to more than 80000 bytes, at most "
                    "80000"});
    EXPECT_TRUE(packsTooLong.resources.empty());
}

TEST(MediaFormat, LeadingBytes)
{
    struct Row {
        Bytes bytes;
        MediaFormat format;
        const char* extension;
    };
    const Row rows[] = {
        {bytesOf("BM"), MediaFormat::Bmp, "bmp"},
        {bytesOf("\xFF\xD8\xFF"), MediaFormat::Jpeg, "jpg"},
        {bytesOf("\xFF\xD8\xFE"), MediaFormat::Unknown, "bin"},
        {bytesOf("GIF87a"), MediaFormat::Gif, "gif"},
        {bytesOf("GIF89a"), MediaFormat::Gif, "gif"},
        {bytesOf("GIF88a"), MediaFormat::Unknown, "bin"},
        {bytesOf("\x89PNG\r\n\x1A\n"), MediaFormat::Png, "png"},
        {bytesOf("ID3"), MediaFormat::Mp3, "mp3"},
        {{0xFF, 0xE0}, MediaFormat::Mp3, "mp3"},
        {{0xFF, 0xFB}, MediaFormat::Mp3, "mp3"},
        {{0xFF, 0xC0}, MediaFormat::Unknown, "bin"},  // the top three bits of the second byte are not all set
        {literalBytes("RIFF\0\0\0\0AVI "), MediaFormat::Avi, "avi"},
        {literalBytes("RIFF\0\0\0\0WAVE"), MediaFormat::Unknown, "bin"},
        {literalBytes("RIFF\0\0\0\0AVI"), MediaFormat::Unknown, "bin"},
        {{}, MediaFormat::Unknown, "bin"},
        {bytesOf("B"), MediaFormat::Unknown, "bin"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(mediaFormatOf(row.bytes), row.format) << row.extension << " " << row.bytes.size();
        EXPECT_STREQ(mediaFileExtension(mediaFormatOf(row.bytes)), row.extension);
    }
}

TEST(MediaFormat, PicturesStatingMoreThanThePlayerDecodesAreRefused)
{
    // A JPEG frame header stating height and width.
    auto jpegOf = [](int width, int height) {
        return bytesOf(std::string("\xFF\xD8\xFF\xC0\x00\x11\x08", 7) + char(height >> 8) + char(height & 0xFF)
                            + char(width >> 8) + char(width & 0xFF) + std::string(12, '\x01') + "\xFF\xD9");
    };
    struct Row {
        const char* name;
        Bytes bytes;
        MediaUse use;
        std::string problem;
    };
    const std::string resize = ", at most 4096 a side (the board shows 260 x 260); open it in Paint or another image "
                               "editor, resize it to at most 4096 pixels a side and save it again";
    const Row rows[] = {
        {"a 800 x 600 JPEG", jpegOf(800, 600), MediaUse::Picture, ""},
        {"a 4096 x 4096 JPEG", jpegOf(4096, 4096), MediaUse::Picture, ""},
        {"a 20000 x 20000 JPEG", jpegOf(20000, 20000), MediaUse::Picture,
         "a JPEG picture of 20000 x 20000 pixels" + resize},
        {"a 4097-pixel-high JPEG", jpegOf(10, 4097), MediaUse::Picture,
         "a JPEG picture of 10 x 4097 pixels" + resize},
        {"a JPEG whose header cannot be read", bytesOf("\xFF\xD8\xFF\xE0 picture"), MediaUse::Picture, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(mediaFormatProblem(mediaFormatOf(row.bytes), row.use, row.bytes), row.problem) << row.name;
}

}  // namespace
