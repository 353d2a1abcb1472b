// Any bytes as a picture to fit, as --fit-pictures and the studio's import
// fit them: through the stated-size guard, the JPEG, PNG, GIF and BMP
// decoders, the resampling and the JPEG encoder. Crashes, sanitizer reports
// and broken promises (a result with a problem, a fitted picture that is
// no JPEG) fail.
#include "tools/builder/input/picture_fitting.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    PictureFitting fitting = fitPicture(data, size);
    if (!fitting.problem.empty() && !fitting.bytes.empty())
        std::abort();
    if (!fitting.bytes.empty() && (fitting.bytes.size() < 4 || fitting.bytes[0] != 0xFF || fitting.bytes[1] != 0xD8))
        std::abort();
    return 0;
}
