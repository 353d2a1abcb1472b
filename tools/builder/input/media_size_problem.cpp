#include "tools/builder/input/media_size_problem.h"

#include "tools/builder/input/input_size.h"
#include "tools/builder/input/media_limits.h"

Message mediaFileFault(const FileFacts& facts)
{
    return inputSizeFault(facts, MaxMediaFileBytes, "per media file, what the 32-bit player can load");
}

std::string mediaFileProblem(const FileFacts& facts)
{
    return inputSizeProblem(facts, MaxMediaFileBytes, "per media file, what the 32-bit player can load");
}

std::string mediaSizeProblem(uint64_t size)
{
    FileFacts facts;
    facts.kind = FileKind::File;
    facts.size = size;
    return mediaFileProblem(facts);
}
