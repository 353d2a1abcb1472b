#include "tools/builder/program/fitted_resources.h"

#include "tools/builder/input/media_format.h"
#include "tools/builder/input/picture_fitting.h"

#include <cstdio>

namespace {

// "31.0 MiB", "0.4 MiB", and "48 KiB" below a tenth of a mebibyte.
std::string mebibytes(uint64_t bytes)
{
    char text[32];
    if (bytes < (uint64_t(1) << 20) / 10)
        std::snprintf(text, sizeof text, "%llu KiB", static_cast<unsigned long long>((bytes + 512) / 1024));
    else
        std::snprintf(text, sizeof text, "%.1f MiB", double(bytes) / double(uint64_t(1) << 20));
    return text;
}

}  // namespace

void fitMediaPicture(const std::string& path, const std::string& where, std::vector<uint8_t>& bytes,
                     FittingSummary& summary, Diagnostics& diagnostics)
{
    MediaFormat format = mediaFormatOf(bytes);
    if (format != MediaFormat::Jpeg && format != MediaFormat::Png && format != MediaFormat::Gif
        && format != MediaFormat::Bmp)
        return;  // the format check tells what it is
    PictureFitting fitting = fitPicture(bytes.data(), bytes.size());
    if (!fitting.problem.empty()) {
        reportWarning(diagnostics, where, inQuotes(path) + ": cannot be fitted, " + fitting.problem + "; stored as it is");
        return;
    }
    if (fitting.bytes.empty())
        return;
    ++summary.fitted;
    summary.before += bytes.size();
    summary.after += fitting.bytes.size();
    bytes = std::move(fitting.bytes);
}

std::string fittingLine(const FittingSummary& summary)
{
    return countOf(summary.fitted, "picture fitted", "pictures fitted") + ": " + mebibytes(summary.before) + " -> "
           + mebibytes(summary.after);
}
