#include "tools/builder/program/fitted_resources.h"

#include "tools/builder/input/media_format.h"
#include "tools/builder/input/picture_fitting.h"

#include <cstdio>

namespace {

// "31.0" "MiB", "0.4" "MiB", and "48" "KiB" below a tenth of a mebibyte.
void addSize(std::vector<std::string>& values, uint64_t bytes)
{
    char number[32];
    if (bytes < (uint64_t(1) << 20) / 10) {
        std::snprintf(number, sizeof number, "%llu", static_cast<unsigned long long>((bytes + 512) / 1024));
        values.insert(values.end(), {number, "KiB"});
    } else {
        std::snprintf(number, sizeof number, "%.1f", double(bytes) / double(uint64_t(1) << 20));
        values.insert(values.end(), {number, "MiB"});
    }
}

}  // namespace

void fitMediaPicture(const std::string& path, const Place& where, std::vector<uint8_t>& bytes,
                     FittingSummary& summary, Diagnostics& diagnostics)
{
    MediaFormat format = mediaFormatOf(bytes);
    if (format != MediaFormat::Jpeg && format != MediaFormat::Png && format != MediaFormat::Gif
        && format != MediaFormat::Bmp)
        return;  // the format check tells what it is
    PictureFitting fitting = fitPicture(bytes.data(), bytes.size());
    if (!fitting.problem.empty()) {
        reportWarning(diagnostics, where, MessageId::PictureNotFitted, {path, fitting.problem});
        return;
    }
    if (fitting.bytes.empty())
        return;
    ++summary.fitted;
    summary.before += bytes.size();
    summary.after += fitting.bytes.size();
    bytes = std::move(fitting.bytes);
}

std::string fittingLine(const FittingSummary& summary, Language language)
{
    std::vector<std::string> values = {std::to_string(summary.fitted)};
    addSize(values, summary.before);
    addSize(values, summary.after);
    return renderMessage({MessageId::PicturesFitted, values}, language);
}
