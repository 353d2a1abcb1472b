#include "tools/builder/media_size_problem.h"

#include "tools/builder/diagnostics.h"
#include "tools/builder/media_limits.h"

std::string mediaSizeProblem(uint64_t size)
{
    if (size <= MaxMediaFileBytes)
        return "";
    return byteSize(size) + ", at most " + byteSize(MaxMediaFileBytes) + " per media file, what the 32-bit player can load";
}
