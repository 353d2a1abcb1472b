// Writes a starting corpus for the fuzz run: packed quiz and codes payloads
// of every layout, so the fuzzer starts from streams the player really reads.
#include "quiz/lzw.h"
#include "quiz/payload_writer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void writeSeed(const std::string& path, const std::vector<uint8_t>& bytes, bool pack)
{
    std::vector<uint8_t> data = bytes;
    if (pack) {
        uint8_t* packed = nullptr;
        int32_t reported = 0;
        if (lzwEncode(bytes.data(), int32_t(bytes.size()), &packed, &reported) == lzwOk)
            data.assign(packed, packed + reported - 1);
        lzwFreeBuffer(packed);
    }
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data.data(), 1, data.size(), file);
        std::fclose(file);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    int seed = 0;
    for (int answers = 1; answers <= 2; ++answers) {
        for (int reveal = 0; reveal <= 2; ++reveal) {
            Quiz quiz;
            initQuiz(quiz);
            quiz.kind = QuizKind(reveal);
            quiz.entryCount = 3;
            quiz.answersPerEntry = answers;
            quiz.revealKind = RevealKind(reveal);
            quiz.boardColour = 0xC0DCC0;
            copyText(quiz.title, "Capitales d'Europe");
            copyText(quiz.author, "Ana");
            for (int entry = 0; entry < 3; ++entry) {
                appendEntry(quiz, "Paris", answers == 2 ? "Seine" : "", "France");
                copyText(entryAt(quiz, entry)->revealText, "Sur la Seine");
                copyText(quiz.codes[entry], "K7Q2");
            }
            auto payload = writeQuizPayload(quiz);
            auto codes = writeCodesPayload(quiz);
            writeSeed(dir + "/quiz" + std::to_string(seed) + ".lzw", payload, true);
            writeSeed(dir + "/codes" + std::to_string(seed) + ".lzw", codes, true);
            writeSeed(dir + "/quiz" + std::to_string(seed) + ".raw", payload, false);
            ++seed;
            freeEntries(quiz);
        }
    }
    return 0;
}
