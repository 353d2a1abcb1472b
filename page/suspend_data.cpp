#include "page/suspend_data.h"

#include "quiz/answers_text.h"
#include "quiz/base64.h"
#include "quiz/lzw.h"
#include "quiz/quiz.h"

#include <cstdint>

namespace {

// Tells this page's data from whatever else a platform may hold.
constexpr std::string_view formatMark = "quizz1:";

// Both directions hand out their buffer even on failure, and report a
// length `extra` bytes above what they wrote.
std::optional<std::vector<uint8_t>> coded(int32_t (*codec)(const uint8_t*, int32_t, uint8_t**, int32_t*),
                                          const std::vector<uint8_t>& input, int32_t extra)
{
    uint8_t* output = nullptr;
    int32_t reported = 0;
    int32_t status = codec(input.data(), static_cast<int32_t>(input.size()), &output, &reported);
    std::optional<std::vector<uint8_t>> result;
    if (status == lzwOk && output && reported >= extra)
        result.emplace(output, output + (reported - extra));
    lzwFreeBuffer(output);
    return result;
}

// The data of the first `boxes` boxes; empty when it cannot be made.
std::string textOf(const std::vector<std::string>& boxTexts, int boxes)
{
    if (boxes == 0)
        return std::string(formatMark);
    std::string file;
    for (int rank = 0; rank < boxes; ++rank)
        appendAnswerLine(file, boxTexts[rank].c_str());
    std::optional<std::vector<uint8_t>> packed = coded(lzwEncode, std::vector<uint8_t>(file.begin(), file.end()), 1);
    return packed ? std::string(formatMark) + base64Of(*packed) : "";
}

bool fits(const std::string& text)
{
    return !text.empty() && text.size() <= SuspendDataLimit;
}

}  // namespace

SuspendData suspendDataOf(const std::vector<std::string>& boxTexts)
{
    int all = static_cast<int>(boxTexts.size());
    if (std::string whole = textOf(boxTexts, all); fits(whole))
        return {whole, all};
    // The most first boxes that fit, halving the range each time: at most
    // eight packings for the 180 boxes of a full board.
    SuspendData best{textOf(boxTexts, 0), 0};
    int low = 1, high = all - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        std::string text = textOf(boxTexts, middle);
        if (fits(text)) {
            best = {text, middle};
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return best;
}

std::optional<std::vector<std::string>> boxTextsOfSuspendData(std::string_view text)
{
    if (text.size() > SuspendDataLimit || !text.starts_with(formatMark))
        return std::nullopt;
    text.remove_prefix(formatMark.size());
    if (text.empty())
        return std::vector<std::string>{};
    std::optional<std::vector<uint8_t>> packed = bytesOfBase64(text);
    std::optional<std::vector<uint8_t>> file = packed ? coded(lzwDecode, *packed, 2) : std::nullopt;
    if (!file)
        return std::nullopt;
    std::vector<std::string> boxTexts;
    std::string_view lines(reinterpret_cast<const char*>(file->data()), file->size());
    for (const std::string& line : answerLinesOf(lines)) {
        char box[QuizTextSize];
        boxTextOfLine(line, box);
        boxTexts.emplace_back(box);
    }
    return boxTexts;
}
