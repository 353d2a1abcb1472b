// What the player's native core says, for the web page's tests to compare
// with what the page's WebAssembly core says:
//   pairs COUNT SEED     generated (stored, typed) pairs and their verdicts
//   answers              the answers file of the box texts read from stdin
// Texts go in and out as hex, one per line, so every byte is kept.
#include "judging/verdict.h"
#include "quiz/answers_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

std::string hexOf(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out.empty() ? "-" : out;
}

std::string textOfHex(const std::string& hex)
{
    std::string out;
    for (std::size_t at = 0; hex != "-" && at + 1 < hex.size(); at += 2)
        out += static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16));
    return out;
}

struct Random {
    uint64_t state;
    uint32_t next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33);
    }
    std::size_t below(std::size_t bound) { return bound ? next() % bound : 0; }
};

// Letters of both cases, spaces, accents and the bytes above 0x7F that
// Windows-1252 leaves unassigned or gives to punctuation.
char randomByte(Random& random)
{
    static const std::string alphabet = "abcdeABCDE  xyzXYZ\xE9\xC9\xE8\xE0\xE7\xFF\x81\x9D\x80\x8A\x9F\xA0";
    return alphabet[random.below(alphabet.size())];
}

std::string randomText(Random& random, std::size_t length)
{
    std::string text;
    for (std::size_t n = 0; n < length; ++n)
        text += randomByte(random);
    return text;
}

// One typed text made from the stored one by one kind of change, so every
// verdict and every threshold comes up often.
std::string typedFrom(const std::string& stored, Random& random)
{
    std::string typed = stored;
    switch (random.below(10)) {
    case 0:  // spaces around and case changed
        for (char& c : typed)
            if (c >= 'a' && c <= 'z' && random.below(2))
                c = static_cast<char>(c - 32);
        return std::string(random.below(3), ' ') + typed + std::string(random.below(3), ' ');
    case 1:  // the same bytes in another order
        for (std::size_t at = typed.size(); at > 1; --at)
            std::swap(typed[at - 1], typed[random.below(at)]);
        return typed;
    case 2:  // a few bytes replaced, inserted or removed
    case 3:
        for (std::size_t n = random.below(6) + 1; n > 0; --n) {
            std::size_t at = random.below(typed.size() + 1);
            switch (random.below(3)) {
            case 0: if (at < typed.size()) typed[at] = randomByte(random); break;
            case 1: typed.insert(typed.begin() + at, randomByte(random)); break;
            default: if (at < typed.size()) typed.erase(at, 1); break;
            }
        }
        return typed;
    case 4:  // a piece of it
    case 5: {
        std::size_t length = random.below(typed.size() + 1);
        return typed.substr(random.below(typed.size() - length + 1), length);
    }
    case 6:  // more around it
        return randomText(random, random.below(6)) + typed + randomText(random, random.below(8));
    case 7:  // past the box's 259 characters
        return typed + randomText(random, 260 + random.below(40));
    case 8:
        return std::string(random.below(4), ' ');
    default:
        return randomText(random, random.below(30));
    }
}

int pairs(int count, uint64_t seed)
{
    Random random{seed};
    for (int n = 0; n < count; ++n) {
        std::size_t length = random.below(8) == 0 ? 200 + random.below(80) : random.below(24);
        std::string stored = randomText(random, length);
        std::string typed = typedFrom(stored, random);
        std::printf("%s %s %s\n", hexOf(stored).c_str(), hexOf(typed).c_str(),
                    hexOf(chooseVerdict(stored.c_str(), typed.c_str())).c_str());
    }
    return 0;
}

int answers()
{
    std::string file, line;
    while (std::getline(std::cin, line))
        appendAnswerLine(file, textOfHex(line).c_str());
    std::printf("%s\n", hexOf(file).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "pairs" && argc == 4)
        return pairs(std::atoi(argv[2]), std::strtoull(argv[3], nullptr, 10));
    if (command == "answers")
        return answers();
    std::fprintf(stderr, "usage: web_reference pairs COUNT SEED | answers\n");
    return 2;
}
