#include "tools/builder/input/input_size.h"

#include "tools/builder/input/diagnostics.h"

std::string inputSizeProblem(const FileFacts& facts, uint64_t largest, const std::string& what)
{
    std::string problem = inputFileProblem(facts);
    if (problem.empty() && facts.size > largest)
        problem = byteSize(facts.size) + ", at most " + byteSize(largest) + " " + what;
    return problem;
}
