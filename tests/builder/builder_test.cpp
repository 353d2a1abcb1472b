// quizbuild.exe as an author uses it: each case writes a description and
// small media files, runs the program, and checks its exit code, what it
// printed, the files it left, the resources of what it built, and what the
// loader reads back from a built quiz (built on the loader's probe).
#include "quiz/lzw.h"
#include "tests/builder/process_output.h"
#include "tests/win32/driver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <regex>
#include <set>

namespace {

using Bytes = std::vector<uint8_t>;

std::string programBeside(const char* name)
{
    return folderOfThisProgram() + "\\" + name;
}

ProcessOutput quizbuild(const std::string& arguments, const std::string& folder,
                        const std::string& program = programBeside("quizbuild.exe"))
{
    return runCapturingOutput("\"" + program + "\" " + arguments, folder, 60000);
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.insert(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::optional<std::string> resourceOf(const std::string& program, const char* type, int id)
{
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return std::nullopt;
    std::optional<std::string> bytes;
    if (HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type)) {
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        bytes = std::string(data, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return bytes;
}

std::string packed(const std::string& bytes)
{
    uint8_t* out = nullptr;
    int32_t reported = 0;
    EXPECT_EQ(lzwEncode(reinterpret_cast<const uint8_t*>(bytes.data()), int32_t(bytes.size()), &out, &reported), lzwOk);
    std::string result(reinterpret_cast<char*>(out), reported - 1);
    lzwFreeBuffer(out);
    return result;
}

// --- A small quiz of every kind, with what it must become ------------------

struct KindCase {
    const char* kind;
    int answers;
    const char* reveal;
    int kindValue;
    int revealValue;
};

const KindCase kindCases[] = {
    {"text", 1, "text", 0, 2},    {"text", 2, "picture", 0, 1},  {"picture", 1, "picture", 1, 1},
    {"picture", 2, "text", 1, 2}, {"sound", 1, "none", 2, 0},    {"sound", 2, "picture", 2, 1},
    {"video", 1, "text", 3, 2},   {"video", 2, "none", 3, 0},
};

// A few bytes with the right leading bytes: the builder never decodes media.
std::string mediaBytes(const std::string& kind, int entry)
{
    std::string number = std::to_string(entry);
    if (kind == "picture")
        return entry == 1 ? "\xFF\xD8\xFF\xE0 picture " + number : "BM picture " + number;
    if (kind == "sound")
        return "ID3 sound " + number;
    return std::string("RIFF\x20\x00\x00\x00" "AVI clip ", 16) + number;
}

std::string mediaExtension(const std::string& kind, int entry)
{
    return kind == "picture" ? (entry == 1 ? "jpg" : "bmp") : kind == "sound" ? "mp3" : "avi";
}

std::string revealPictureBytes(int entry)
{
    // A GIF header stating 16 x 16, so the builder's size check passes it.
    return std::string("GIF89a\x10\x00\x10\x00", 10) + " answer " + std::to_string(entry);
}

// The description and its media files, in `folder`.
void writeQuiz(const std::string& folder, const KindCase& row)
{
    CreateDirectoryA((folder + "\\img").c_str(), nullptr);
    std::string entries;
    for (int entry = 1; entry <= 2; ++entry) {
        std::string n = std::to_string(entry);
        entries += std::string(entry > 1 ? "," : "") + R"({"clue": "Indice « )" + n + R"( »", "answers": ["réponse )"
                   + n + (row.answers == 2 ? R"(", "deuxième )" + n : "") + "\"]";
        if (std::string(row.kind) != "text") {
            std::string name = "img/" + n + "." + mediaExtension(row.kind, entry);
            writeFile(folder + "\\" + name, mediaBytes(row.kind, entry));
            entries += R"(, "media": ")" + name + "\"";
        }
        if (std::string(row.reveal) == "picture") {
            writeFile(folder + "\\img\\" + n + "-answer.gif", revealPictureBytes(entry));
            entries += R"(, "revealPicture": "img/)" + n + R"(-answer.gif")";
        }
        if (std::string(row.reveal) == "text")
            entries += R"(, "revealText": "Révélé )" + n + "\"";
        entries += "}";
    }
    writeFile(folder + "\\quiz.json", std::string(R"({"kind": ")") + row.kind + R"(", "title": "Quiz d'été",
        "author": "Zoé", "description": "Devinez…", "answersPerEntry": )" + std::to_string(row.answers) + R"(,
        "answerLabels": ["Première", "Seconde"], "reveal": ")" + row.reveal + R"(", "boardColour": "#102030",
        "entries": [)" + entries + R"(], "codes": ["C1 €"]})");
}

// The same texts in Windows-1252, written out by hand.
std::string answer1(int entry) { return "r\xE9ponse " + std::to_string(entry); }
std::string answer2(int entry) { return "deuxi\xE8me " + std::to_string(entry); }
std::string clue(int entry) { return "Indice \xAB " + std::to_string(entry) + " \xBB"; }
std::string revealText(int entry) { return "R\xE9v\xE9l\xE9 " + std::to_string(entry); }

std::string expectedQuizPayload(const KindCase& row)
{
    std::string bytes = {'\0', char(row.kindValue + 1), '\x02', char(row.answers)};
    bytes += "Quiz d'\xE9t\xE9|Zo\xE9|Devinez\x85|Premi\xE8re|Seconde|";
    for (int entry = 1; entry <= 2; ++entry)
        bytes += answer1(entry) + "|" + (row.answers == 2 ? answer2(entry) + "|" : "") + clue(entry) + "|";
    bytes += char(row.revealValue);
    if (row.revealValue == 2)
        bytes += revealText(1) + "|" + revealText(2) + "|";
    return bytes + "\x10\x20\x30";
}

const std::string expectedCodesPayload = "C1 \x80\r\n\r\n";

std::string expectedDump(const KindCase& row)
{
    std::string dump = "kind=" + std::to_string(row.kindValue) + "\nentryCount=2\nanswersPerEntry="
                       + std::to_string(row.answers)
                       + "\ntitle=Quiz d'\xE9t\xE9\nauthor=Zo\xE9\ndescription=Devinez\x85\n"
                         "firstAnswerLabel=Premi\xE8re\nsecondAnswerLabel=Seconde\nrevealKind="
                       + std::to_string(row.revealValue) + "\nboardColour=302010\nboardBrush=made\n";
    for (int entry = 1; entry <= 2; ++entry)
        dump += "entry=" + answer1(entry) + "|" + (row.answers == 2 ? answer2(entry) : "") + "|" + clue(entry) + "|"
                + (row.revealValue == 2 ? revealText(entry) : "") + "\n";
    return dump + "code0=C1 \x80\n";
}

// Every quiz resource a built program can carry for two entries.
std::vector<std::pair<const char*, int>> quizResourceKeys()
{
    return {{"PATCH", 104}, {"PATCH", 105}, {"IMG", 401}, {"IMG", 402}, {"IMG", 10401}, {"IMG", 10402}};
}

const std::string codesWarning =
    "quiz.json: codes: warning: 1 code for 2 entries; 1 row stays empty, and players reaching those scores see no code\n";

TEST(QuizBuild, EveryKindAndAnswerCountBuildsLoadsAndComesBack)
{
    const std::string probe = programBeside("loader_probe.exe");
    const std::string probeBefore = readWholeFile(probe);
    for (const KindCase& row : kindCases) {
        std::string context = std::string(row.kind) + "/" + std::to_string(row.answers) + "/" + row.reveal;
        std::string folder = freshFolder(std::string("round-") + row.kind + std::to_string(row.answers));
        writeQuiz(folder, row);

        ProcessOutput built = quizbuild("build quiz.json -o quiz.exe --player \"" + probe + "\"", folder);
        ASSERT_TRUE(built.finished) << context;
        EXPECT_EQ(built.exitCode, 0u) << context;
        EXPECT_EQ(built.err, codesWarning) << context;
        std::string program = folder + "\\quiz.exe";
        EXPECT_EQ(resourceOf(program, "PATCH", 104), packed(expectedQuizPayload(row))) << context;
        EXPECT_EQ(resourceOf(program, "PATCH", 105), packed(expectedCodesPayload)) << context;
        for (int entry = 1; entry <= 2; ++entry) {
            auto media = resourceOf(program, "IMG", 400 + entry);
            auto answerPicture = resourceOf(program, "IMG", 10400 + entry);
            if (std::string(row.kind) == "text")
                EXPECT_FALSE(media) << context;
            else
                EXPECT_EQ(media, mediaBytes(row.kind, entry)) << context;
            if (row.revealValue == 1)
                EXPECT_EQ(answerPicture, revealPictureBytes(entry)) << context;
            else
                EXPECT_FALSE(answerPicture) << context;
        }

        ProcessOutput loaded = runCapturingOutput("\"" + program + "\" \"" + folder + "\\dump.txt\"", folder, 30000);
        EXPECT_EQ(loaded.exitCode, 0u) << context;
        EXPECT_EQ(readWholeFile(folder + "\\dump.txt"), expectedDump(row)) << context;

        ProcessOutput extracted = quizbuild("extract quiz.exe -o back", folder);
        EXPECT_EQ(extracted.exitCode, 0u) << context << extracted.err;
        EXPECT_EQ(extracted.err, "") << context;
        for (int entry = 1; entry <= 2; ++entry) {
            std::string stem = folder + "\\back\\media\\0" + std::to_string(entry);
            if (std::string(row.kind) != "text")
                EXPECT_EQ(readWholeFile(stem + "." + mediaExtension(row.kind, entry)), mediaBytes(row.kind, entry))
                    << context;
            if (row.revealValue == 1)
                EXPECT_EQ(readWholeFile(stem + "-reveal.gif"), revealPictureBytes(entry)) << context;
        }
        ProcessOutput rebuilt =
            quizbuild("build back\\quiz.json -o again.exe --player \"" + probe + "\"", folder);
        EXPECT_EQ(rebuilt.exitCode, 0u) << context << rebuilt.err;
        for (auto [type, id] : quizResourceKeys())
            EXPECT_EQ(resourceOf(folder + "\\again.exe", type, id), resourceOf(program, type, id))
                << context << " " << type << " " << id;
    }
    EXPECT_EQ(readWholeFile(probe), probeBefore);
}

TEST(QuizBuild, UsageErrors)
{
    struct Row {
        std::string arguments;
        DWORD exitCode;
        std::string outStart;
        std::string err;
    };
    const Row rows[] = {
        {"", 2, "", "quizbuild: missing command. Try 'quizbuild --help'.\n"},
        {"--help", 0, "Usage: quizbuild COMMAND ...\n", ""},
        {"build --help", 0, "Usage: quizbuild build QUIZ.json -o OUT.exe [--player PLAYER.exe] [--strict] [--fit-pictures]\n", ""},
        {"extract --help", 0, "Usage: quizbuild extract QUIZ.exe -o DIR [--csv]\n", ""},
        {"biuld q.json", 2, "", "quizbuild: unknown command biuld. Try 'quizbuild --help'.\n"},
        {"build q.json", 2, "", "quizbuild: missing -o OUT.exe. Try 'quizbuild build --help'.\n"},
        {"check q.json --player p.exe", 2, "", "quizbuild: unknown option --player. Try 'quizbuild check --help'.\n"},
        {"extract q.exe", 2, "", "quizbuild: missing -o DIR. Try 'quizbuild extract --help'.\n"},
        {"unpack a b c", 2, "", "quizbuild: too many file names. Try 'quizbuild unpack --help'.\n"},
    };
    std::string folder = freshFolder("usage");
    for (const Row& row : rows) {
        ProcessOutput run = quizbuild(row.arguments, folder);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.arguments;
        EXPECT_EQ(run.out.substr(0, row.outStart.size()), row.outStart) << row.arguments;
        EXPECT_EQ(run.out.empty(), row.outStart.empty()) << row.arguments;
        EXPECT_EQ(run.err, row.err) << row.arguments;
    }
    EXPECT_EQ(namesIn(folder), std::set<std::string>{});
}

const std::string knownKeys = "known keys: \"kind\", \"title\", \"author\", \"description\", \"answersPerEntry\", "
                              "\"answerLabels\", \"reveal\", \"boardColour\", \"entries\", \"codes\", \"link\"";

TEST(QuizBuild, EveryProblemOfABadDescriptionAndNothingWritten)
{
    std::string folder = freshFolder("bad");
    CreateDirectoryA((folder + "\\img").c_str(), nullptr);
    writeFile(folder + "\\img\\1.png", "\x89PNG\r\n\x1A\n picture");
    writeFile(folder + "\\img\\3.mp3", "ID3 sound");
    writeFile(folder + "\\bad.json", R"({"kind": "picture", "title": "Quiz", "answersPerEntry": 2,
      "boardColour": "#12345G", "colour": 1,
      "entries": [
        {"answers": ["Paris", "Seine"], "media": "img/1.png"},
        {"answers": ["Rome"], "media": "img/none.jpg"},
        {"answers": ["中", "x|y"], "media": "img/3.mp3"}
      ],
      "codes": ["A", "B\r", "C", "D"]})");
    const std::string expected =
        "bad.json: unknown key \"colour\"; " + knownKeys + "\n"
        "bad.json: boardColour: \"#12345G\" is not a colour; expected \"#RRGGBB\" with hexadecimal digits\n"
        "bad.json: entry 2, answers: 1 answer, answersPerEntry is 2\n"
        "bad.json: entry 3, answers[0]: character U+4E2D (character 1) has no Windows-1252 form\n"
        "bad.json: entry 3, answers[1]: holds \"|\", which separates the stored fields\n"
        "bad.json: codes[1]: holds a carriage return (CR); stored texts are single lines\n"
        "bad.json: codes: 4 codes for 3 entries, at most one per entry\n"
        "bad.json: entry 1, media: \"img/1.png\": a PNG picture, which the Windows picture decoder is not known "
        "to read; open it in Paint or another image editor and save it as JPEG\n"
        "bad.json: entry 2, media: \"img/none.jpg\": not found\n"
        "bad.json: entry 3, media: \"img/3.mp3\": an MP3 sound; expected a BMP, JPEG or GIF picture\n";
    const std::set<std::string> before = namesIn(folder);
    const std::string probe = programBeside("loader_probe.exe");
    for (std::string command : {std::string("check bad.json"), "build bad.json -o out.exe --player \"" + probe + "\""}) {
        ProcessOutput run = quizbuild(command, folder);
        EXPECT_EQ(run.exitCode, 1u) << command;
        EXPECT_EQ(run.err, expected) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(namesIn(folder), before) << command;
    }

    writeFile(folder + "\\broken.json", "{\"kind\": \"text\",\n  \"title\": \"Quiz\"\n  \"entries\": []}");
    ProcessOutput broken = quizbuild("check broken.json", folder);
    EXPECT_EQ(broken.exitCode, 1u);
    EXPECT_EQ(broken.err, "broken.json: line 2, title: a comma is missing after this value\n");
    ProcessOutput missing = quizbuild("check absent.json", folder);
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_EQ(missing.err, "absent.json: not found\n");
}

TEST(QuizBuild, MediaAreFoundBesideTheDescription)
{
    std::string folder = freshFolder("beside");
    std::string quizFolder = folder + "\\sub";
    CreateDirectoryA(quizFolder.c_str(), nullptr);
    writeQuiz(quizFolder, kindCases[2]);
    ProcessOutput run = quizbuild("check sub\\quiz.json", folder);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "sub\\quiz.json: fit to build, 2 entries, 4 media items\n");
    EXPECT_EQ(run.err, "sub\\" + codesWarning);
}

TEST(QuizBuild, WarningsPassUnlessStrict)
{
    std::string folder = freshFolder("strict");
    writeFile(folder + "\\quiz.json", R"({"kind": "text", "title": "T", "entries": [
        {"clue": "c", "answers": ["Été "]}], "codes": ["K"]})");
    const std::string probe = programBeside("loader_probe.exe");
    const std::string space = "quiz.json: entry 1, answers[0]: \"Été \" ends with a space; typed answers lose their "
                              "spaces at both ends, so it can never be \"BRAVO\"";
    const std::string capital = "quiz.json: entry 1, answers[0]: \"Été \" holds \"É\", a capital outside A to Z; "
                                "case is matched only for a to z, so players must type it exactly as stored";
    const std::string place = "quiz.json: entry 1, answers[0]: ";
    auto warning = [&](const std::string& line) { return place + "warning: " + line.substr(place.size()); };

    ProcessOutput lenient = quizbuild("build quiz.json -o quiz.exe --player \"" + probe + "\"", folder);
    EXPECT_EQ(lenient.exitCode, 0u);
    EXPECT_EQ(lenient.err, warning(space) + "\n" + warning(capital) + "\n");
    EXPECT_TRUE(exists(folder + "\\quiz.exe"));

    const std::string strictErr = space + " (an error with --strict)\n" + capital + " (an error with --strict)\n";
    ProcessOutput strictCheck = quizbuild("check quiz.json --strict", folder);
    EXPECT_EQ(strictCheck.exitCode, 1u);
    EXPECT_EQ(strictCheck.err, strictErr);
    ProcessOutput strictBuild = quizbuild("build quiz.json --strict -o strict.exe --player \"" + probe + "\"", folder);
    EXPECT_EQ(strictBuild.exitCode, 1u);
    EXPECT_EQ(strictBuild.err, strictErr);
    EXPECT_FALSE(exists(folder + "\\strict.exe"));
}

TEST(QuizBuild, AFailedBuildLeavesTheOldOutputAndNoTemporaryFile)
{
    std::string folder = freshFolder("atomic");
    writeQuiz(folder, kindCases[0]);
    writeFile(folder + "\\quiz.exe", "the previous build");
    const std::set<std::string> before = namesIn(folder);

    // The older output is held open, as by a quiz still running: it cannot
    // be replaced once the copy is complete, and the copy goes.
    HANDLE held = CreateFileA((folder + "\\quiz.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string probe = programBeside("loader_probe.exe");
    ProcessOutput run = quizbuild("build quiz.json -o quiz.exe --player \"" + probe + "\"", folder);
    CloseHandle(held);
    EXPECT_EQ(run.exitCode, 1u);
    const std::string start = codesWarning + "quiz.exe: cannot be replaced, ";
    EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
    EXPECT_EQ(readWholeFile(folder + "\\quiz.exe"), "the previous build");
    EXPECT_EQ(namesIn(folder), before);

    ASSERT_TRUE(CopyFileA(probe.c_str(), (folder + "\\player.exe").c_str(), FALSE));
    const std::string playerBefore = readWholeFile(folder + "\\player.exe");
    ProcessOutput same = quizbuild("build quiz.json -o player.exe --player player.exe", folder);
    EXPECT_EQ(same.exitCode, 1u);
    EXPECT_EQ(same.err, "player.exe: is the player itself; the player is never changed, name another output\n"
                            + codesWarning);
    EXPECT_EQ(readWholeFile(folder + "\\player.exe"), playerBefore);
    DeleteFileA((folder + "\\player.exe").c_str());

    ProcessOutput noFolder = quizbuild("build quiz.json -o absent\\quiz.exe --player \"" +
                                           programBeside("loader_probe.exe") + "\"", folder);
    EXPECT_EQ(noFolder.exitCode, 1u);
    const std::string noFolderStart = codesWarning + "absent\\quiz.exe: no file can be made in its folder";
    EXPECT_EQ(noFolder.err.substr(0, noFolderStart.size()), noFolderStart);
    EXPECT_EQ(namesIn(folder), before);
}

// A file of `size` bytes that starts with `start`, the rest a hole: the
// file system keeps no bytes for it, so gigabytes cost nothing.
void writeSparseFile(const std::string& path, const std::string& start, LONGLONG size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, start.data(), DWORD(start.size()), &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file)) << path;
    CloseHandle(file);
}

// A picture quiz of one entry per file, with a code for every entry.
std::string pictureQuizOf(const std::vector<std::string>& files)
{
    std::string entries, codes;
    for (std::size_t at = 0; at < files.size(); ++at) {
        entries += std::string(at ? ", " : "") + R"({"answers": ["a"], "media": ")" + files[at] + "\"}";
        codes += std::string(at ? ", " : "") + "\"K" + std::to_string(at) + "\"";
    }
    return R"({"kind": "picture", "title": "T", "entries": [)" + entries + R"(], "codes": [)" + codes + "]}";
}

// Media the 32-bit player could not load are refused from their sizes,
// before the builder reads them; nothing is written, no temporary file left.
TEST(QuizBuild, MediaOverThePlayersLimitsAreRefusedBeforeReading)
{
    constexpr LONGLONG mebibyte = 1 << 20;
    const std::string jpegStart = "\xFF\xD8\xFF\xE0 picture";
    const std::string limit = "what the 32-bit player can load";
    std::string folder = freshFolder("media-limits");
    writeFile(folder + "\\a.jpg", jpegStart);
    writeSparseFile(folder + "\\large.jpg", jpegStart, 128 * mebibyte + 1);
    std::vector<std::string> nine;
    for (int n = 1; n <= 9; ++n) {
        nine.push_back("m" + std::to_string(n) + ".jpg");
        writeSparseFile(folder + "\\" + nine.back(), jpegStart, 128 * mebibyte);
    }
    writeFile(folder + "\\large.json", pictureQuizOf({"a.jpg", "large.jpg"}));
    writeFile(folder + "\\nine.json", pictureQuizOf(nine));
    const std::set<std::string> before = namesIn(folder);
    struct Row {
        std::string description;
        std::string err;
    };
    const Row rows[] = {
        {"large.json", "large.json: entry 2, media: \"large.jpg\": 134217729 bytes (128.0 MiB), at most 134217728 "
                       "bytes (128 MiB) per media file, " + limit + "\n"},
        {"nine.json", "nine.json: media: 1207959552 bytes (1152 MiB) in all, at most 1073741824 bytes (1024 MiB) for "
                      "all media together, " + limit + "; use fewer or smaller files\n"},
    };
    const std::string probe = programBeside("loader_probe.exe");
    for (const Row& row : rows) {
        for (std::string command : {"check " + row.description,
                                    "build " + row.description + " -o out.exe --player \"" + probe + "\""}) {
            ProcessOutput run = quizbuild(command, folder);
            EXPECT_EQ(run.exitCode, 1u) << command;
            EXPECT_EQ(run.err, row.err) << command;
            EXPECT_EQ(run.out, "") << command;
            EXPECT_EQ(namesIn(folder), before) << command;
        }
    }
}

// Files that are no files and values the parser cannot hold: each line
// names the file, the place and the problem, whole.
TEST(QuizBuild, ProblemsOfFilesAndValuesAreToldInPlainWords)
{
    std::string folder = freshFolder("plain-words");
    CreateDirectoryA((folder + "\\img").c_str(), nullptr);
    writeFile(folder + "\\folder.json", pictureQuizOf({"img"}));
    writeFile(folder + "\\number.json", "{\"kind\": \"text\",\n \"answersPerEntry\": 1e400}");
    writeFile(folder + "\\key.json", R"({"kind": "text", "ti\u0000tle": "T"})");
    writeFile(folder + "\\zero.json", R"({"kind": "text", "title": "a\u0000b", "entries": [{"clue": "c", "answers": ["a"]}],
                                         "codes": ["K"]})");
    writeFile(folder + "\\empty.json", "");
    writeFile(folder + "\\quiz.json", pictureQuizOf({"a.jpg"}));
    writeFile(folder + "\\a.jpg", "\xFF\xD8\xFF\xE0 picture");
    writeFile(folder + "\\notes.txt", "not a program");
    // An MS-DOS program: its "MZ" header points at 0x40, where "NE" stands.
    writeFile(folder + "\\dos.exe",
              "MZ" + std::string(0x3A, '\0') + std::string("\x40\0\0\0", 4) + "NE" + std::string(40, '\0'));
    const std::string device = "names a device, not a file (Windows keeps NUL, CON, PRN, AUX, COM1 to COM9 and LPT1 "
                               "to LPT9, with any extension, for its devices); rename the file";
    struct Row {
        std::string arguments;
        std::string err;
    };
    const Row rows[] = {
        {"check folder.json", "folder.json: entry 1, media: \"img\": a folder, not a file\n"},
        {"check number.json", "number.json: line 2, column 21: the number 1e400 is too large\n"},
        {"check key.json",
         "key.json: unknown key \"ti\\u0000tle\"; known keys: \"kind\", \"title\", \"author\", \"description\", "
         "\"answersPerEntry\", \"answerLabels\", \"reveal\", \"boardColour\", \"entries\", \"codes\", \"link\"\n"
         "key.json: title: missing; expected the quiz's title\n"
         "key.json: entries: missing; expected an array of 1 to 90 entries\n"},
        {"check zero.json", "zero.json: title: holds a zero character (U+0000), which would end the stored text\n"},
        {"check empty.json", "empty.json: holds no JSON text; expected a quiz description, a JSON object\n"},
        {"check nul.json", "nul.json: " + device + "\n"},
        {"check img", "img: a folder, not a file\n"},
        {"build quiz.json -o out.exe --player notes.txt", "notes.txt: not a Windows program (no \"MZ\" header)\n"},
        {"build quiz.json -o out.exe --player dos.exe",
         "dos.exe: not a Windows program (an MS-DOS program: no \"PE\" header)\n"},
        {"build quiz.json -o out.exe --player img", "img: a folder, not a file\n"},
        {"build quiz.json -o out.exe --player con.exe", "con.exe: " + device + "\n"},
    };
    const std::set<std::string> before = namesIn(folder);
    for (const Row& row : rows) {
        ProcessOutput run = quizbuild(row.arguments, folder);
        EXPECT_EQ(run.exitCode, 1u) << row.arguments;
        EXPECT_EQ(run.err, row.err) << row.arguments;
        EXPECT_EQ(namesIn(folder), before) << row.arguments;
    }
}

// The output is never one of the inputs, however it is spelt: the command
// refuses, and every input stays as it was.
TEST(QuizBuild, TheOutputIsNoInput)
{
    std::string folder = freshFolder("output-input");
    CreateDirectoryA((folder + "\\img").c_str(), nullptr);
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    writeFile(folder + "\\img\\1.jpg", "\xFF\xD8\xFF\xE0 picture");
    writeFile(folder + "\\q.json", R"({"kind": "picture", "title": "T", "reveal": "picture", "entries": [
        {"answers": ["a"], "media": "img/1.jpg", "revealPicture": "img/1.jpg"}], "codes": ["K"]})");
    ASSERT_TRUE(CopyFileA(programBeside("loader_probe.exe").c_str(), (folder + "\\player.exe").c_str(), FALSE));
    ASSERT_TRUE(CreateHardLinkA((folder + "\\linked.json").c_str(), (folder + "\\q.json").c_str(), nullptr));
    const std::set<std::string> before = namesIn(folder);
    const std::string json = readWholeFile(folder + "\\q.json");
    const std::string picture = readWholeFile(folder + "\\img\\1.jpg");
    const std::string player = readWholeFile(folder + "\\player.exe");
    const std::string replace = " itself, which the output would replace; name another output\n";
    const std::string description = ": is the quiz description" + replace;
    const std::string media = ": is the file of entry 1, media (\"img/1.jpg\")" + replace;
    struct Row {
        std::string output;
        std::string err;
    };
    const Row rows[] = {
        {"q.json", "q.json" + description},
        {"Q.JSON", "Q.JSON" + description},
        {".\\sub\\..\\q.json", ".\\sub\\..\\q.json" + description},
        {"\"" + folder + "\\q.json\"", folder + "\\q.json" + description},
        {"linked.json", "linked.json" + description},
        {"img\\1.jpg", "img\\1.jpg" + media},
        {"img/1.JPG", "img/1.JPG" + media},
        {"player.exe", "player.exe: is the player itself; the player is never changed, name another output\n"},
    };
    for (const Row& row : rows) {
        ProcessOutput run = quizbuild("build q.json -o " + row.output + " --player player.exe", folder);
        EXPECT_EQ(run.exitCode, 1u) << row.output;
        EXPECT_EQ(run.err, row.err) << row.output;
        EXPECT_EQ(run.out, "") << row.output;
        EXPECT_EQ(namesIn(folder), before) << row.output;
        EXPECT_EQ(readWholeFile(folder + "\\q.json"), json) << row.output;
        EXPECT_EQ(readWholeFile(folder + "\\img\\1.jpg"), picture) << row.output;
        EXPECT_EQ(readWholeFile(folder + "\\player.exe"), player) << row.output;
    }

    ProcessOutput packed = quizbuild("pack q.json Q.json", folder);
    EXPECT_EQ(packed.exitCode, 1u);
    EXPECT_EQ(packed.err, "Q.json: is the input" + replace);
    EXPECT_EQ(readWholeFile(folder + "\\q.json"), json);

    ProcessOutput fine = quizbuild("build q.json -o sub\\q.exe --player player.exe", folder);
    EXPECT_EQ(fine.exitCode, 0u) << fine.err;
}

TEST(QuizBuild, BuildingOnABuiltQuizDropsItsEarlierMediaAndKeepsThePlayersOwn)
{
    std::string folder = freshFolder("rebuild");
    std::string player = folder + "\\player.exe";
    ASSERT_TRUE(CopyFileA(programBeside("loader_probe.exe").c_str(), player.c_str(), FALSE));
    // Resources of the player's own, of a numbered and of a named type.
    const std::vector<uint8_t> own = {'o', 'w', 'n'};
    ASSERT_TRUE(writeResources(player, {{"NOTE", 1001, own}}));
    HANDLE update = BeginUpdateResourceA(player.c_str(), FALSE);
    ASSERT_TRUE(update);
    char data[] = "data";
    ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(7),
                                MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), data, 4));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));

    writeQuiz(folder, kindCases[2]);  // picture quiz with answer pictures
    ProcessOutput first = quizbuild("build quiz.json -o first.exe --player player.exe", folder);
    ASSERT_EQ(first.exitCode, 0u) << first.err;
    ASSERT_TRUE(resourceOf(folder + "\\first.exe", "IMG", 10402));

    std::string second = freshFolder("rebuild-text");
    writeQuiz(second, kindCases[0]);  // text quiz, reveal texts
    ProcessOutput run = quizbuild("build quiz.json -o second.exe --player \"" + folder + "\\first.exe\"", second);
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    for (auto [type, id] : quizResourceKeys())
        if (std::string(type) == "IMG")
            EXPECT_FALSE(resourceOf(second + "\\second.exe", type, id)) << id;
    EXPECT_EQ(resourceOf(second + "\\second.exe", "PATCH", 104), packed(expectedQuizPayload(kindCases[0])));
    EXPECT_EQ(resourceOf(second + "\\second.exe", "NOTE", 1001), "own");
    HMODULE module = LoadLibraryExA((second + "\\second.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC french = FindResourceExA(module, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(7),
                                   MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    EXPECT_TRUE(french && SizeofResource(module, french) == 4
                && std::string(static_cast<const char*>(LockResource(LoadResource(module, french))), 4) == "data");
    FreeLibrary(module);
}

TEST(QuizBuild, ThePlayerBesideTheBuilderByDefault)
{
    std::string tools = freshFolder("tools");
    std::string builder = tools + "\\quizbuild.exe";
    ASSERT_TRUE(CopyFileA(programBeside("quizbuild.exe").c_str(), builder.c_str(), FALSE));
    std::string folder = freshFolder("default-player");
    writeQuiz(folder, kindCases[4]);

    ProcessOutput without = quizbuild("build quiz.json -o quiz.exe", folder, builder);
    EXPECT_EQ(without.exitCode, 1u);
    EXPECT_EQ(without.err, tools + "\\quizz.exe: not found; name the player with --player PLAYER.exe\n" + codesWarning);

    ASSERT_TRUE(CopyFileA(programBeside("loader_probe.exe").c_str(), (tools + "\\quizz.exe").c_str(), FALSE));
    ProcessOutput with = quizbuild("build quiz.json -o quiz.exe", folder, builder);
    EXPECT_EQ(with.exitCode, 0u) << with.err;
    EXPECT_EQ(with.out, "quiz.exe: 2 entries, 2 media items\n");
    EXPECT_EQ(resourceOf(folder + "\\quiz.exe", "PATCH", 104), packed(expectedQuizPayload(kindCases[4])));
}

TEST(QuizBuild, ExtractRefusesWhatIsNoBuiltQuiz)
{
    std::string folder = freshFolder("extract-refused");
    writeFile(folder + "\\text.exe", "MZ but nothing more");
    struct Row {
        std::string program;
        std::string errStart;
    };
    const Row rows[] = {
        {"\"" + programBeside("loader_probe.exe") + "\"",
         programBeside("loader_probe.exe") + ": quiz payload: missing (no resource \"PATCH\" 104); is it a built "
                                             "quiz?\n" + programBeside("loader_probe.exe")
             + ": codes payload: missing (no resource \"PATCH\" 105); is it a built quiz?\n"},
        {"text.exe", "text.exe: not a Windows program: 19 bytes, less than the 64-byte DOS header\n"},
        {"absent.exe", "absent.exe: not found\n"},
    };
    for (const Row& row : rows) {
        ProcessOutput run = quizbuild("extract " + row.program + " -o out", folder);
        EXPECT_EQ(run.exitCode, 1u) << row.program;
        EXPECT_EQ(run.err.substr(0, row.errStart.size()), row.errStart) << row.program;
        EXPECT_FALSE(exists(folder + "\\out")) << row.program;
    }
}

// A built quiz whose media item was emptied afterwards cannot come back as
// a description that builds again: extraction refuses it and writes nothing.
TEST(QuizBuild, ExtractRefusesAnEmptyMediaItem)
{
    std::string folder = freshFolder("extract-empty");
    writeQuiz(folder, kindCases[2]);  // picture quiz with answer pictures
    ProcessOutput built = quizbuild("build quiz.json -o quiz.exe --player \"" + programBeside("loader_probe.exe") + "\"",
                                    folder);
    ASSERT_EQ(built.exitCode, 0u) << built.err;
    struct Row {
        int id;
        std::string err;
    };
    const Row rows[] = {
        {401, "quiz.exe: entry 1, media: resource \"IMG\" 401 is empty or cannot be read; the program is damaged\n"},
        {10402, "quiz.exe: entry 2, revealPicture: resource \"IMG\" 10402 is empty or cannot be read; the program is "
                "damaged\n"},
    };
    for (const Row& row : rows) {
        std::string damaged = "damaged" + std::to_string(row.id) + ".exe";
        ASSERT_TRUE(CopyFileA((folder + "\\quiz.exe").c_str(), (folder + "\\" + damaged).c_str(), FALSE));
        ASSERT_TRUE(emptyResource(folder + "\\" + damaged, "IMG", row.id));
        ProcessOutput run = quizbuild("extract " + damaged + " -o back", folder);
        EXPECT_EQ(run.exitCode, 1u) << row.id;
        EXPECT_EQ(run.err, std::regex_replace(row.err, std::regex("quiz\\.exe"), damaged)) << row.id;
        EXPECT_FALSE(exists(folder + "\\back")) << row.id;
    }
}

// A resource entry that claims bytes the file does not hold is refused with
// its place, not read past the end of the file (which took the builder down).
TEST(QuizBuild, ExtractRefusesResourcesOutsideTheFile)
{
    std::string folder = freshFolder("extract-outside");
    writeQuiz(folder, kindCases[2]);
    ProcessOutput built = quizbuild("build quiz.json -o quiz.exe --player \"" + programBeside("loader_probe.exe") + "\"",
                                    folder);
    ASSERT_EQ(built.exitCode, 0u) << built.err;
    struct Row {
        const char* name;
        bool (*damage)(const std::string& program);
        std::string errPart;
    };
    const Row rows[] = {
        {"long.exe", [](const std::string& p) { return resizeResource(p, "IMG", 401, 16u << 20); },
         ": IMG 401: data at RVA 0x"},
        {"moved.exe", [](const std::string& p) { return moveResource(p, "PATCH", 104, 0x7FFFFFF0); },
         ": PATCH 104: data at RVA 0x7FFFFFF0"},
    };
    for (const Row& row : rows) {
        std::string damaged = folder + "\\" + row.name;
        ASSERT_TRUE(CopyFileA((folder + "\\quiz.exe").c_str(), damaged.c_str(), FALSE));
        ASSERT_TRUE(row.damage(damaged)) << row.name;
        ProcessOutput run = quizbuild(std::string("extract ") + row.name + " -o back", folder);
        EXPECT_EQ(run.exitCode, 1u) << row.name;
        EXPECT_EQ(run.err.rfind(row.name + row.errPart, 0), 0u) << run.err;
        EXPECT_FALSE(exists(folder + "\\back")) << row.name;
    }
}

TEST(QuizBuild, PackAndUnpackRawFiles)
{
    std::string folder = freshFolder("codec");
    std::string text;
    for (int n = 0; n < 200; ++n)
        text += "Quelle est la capitale de la France ? ";
    writeFile(folder + "\\text.txt", text);
    writeFile(folder + "\\empty.bin", "");
    writeFile(folder + "\\broken.lzw", std::string("\x30\x98", 2));
    writeFile(folder + "\\large.bin", std::string(65537, 'a'));

    ProcessOutput pack = quizbuild("pack text.txt text.lzw", folder);
    EXPECT_EQ(pack.exitCode, 0u) << pack.err;
    EXPECT_EQ(readWholeFile(folder + "\\text.lzw"), packed(text));
    ProcessOutput unpack = quizbuild("unpack text.lzw back.txt", folder);
    EXPECT_EQ(unpack.exitCode, 0u) << unpack.err;
    EXPECT_EQ(readWholeFile(folder + "\\back.txt"), text);

    struct Row {
        std::string arguments;
        std::string err;
    };
    const Row rows[] = {
        {"pack empty.bin out.bin", "empty.bin: cannot pack, status -5: the input is empty, nothing to pack\n"},
        {"pack large.bin out.bin", "large.bin: cannot pack, status -7: 65537 bytes to pack, at most 65536\n"},
        {"unpack broken.lzw out.bin",
         "broken.lzw: cannot unpack, status -7: damaged: it ends before its end code, holds a code not yet defined "
         "or widens past 32 bits\n"},
        {"unpack empty.bin out.bin", "empty.bin: cannot unpack, status -5: empty, or it ends inside its first code\n"},
        {"pack absent.bin out.bin", "absent.bin: not found\n"},
    };
    for (const Row& row : rows) {
        ProcessOutput run = quizbuild(row.arguments, folder);
        EXPECT_EQ(run.exitCode, 1u) << row.arguments;
        EXPECT_EQ(run.err, row.err) << row.arguments;
        EXPECT_FALSE(exists(folder + "\\out.bin")) << row.arguments;
    }
}

}  // namespace
