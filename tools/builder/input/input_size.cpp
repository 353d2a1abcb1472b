#include "tools/builder/input/input_size.h"

#include "tools/builder/input/diagnostics.h"

Message fileReadFault(const std::string& problem)
{
    if (problem.empty())
        return noProblem;
    if (problem == renderMessage({MessageId::FileNotFound, {}}, Language::English))
        return {MessageId::FileNotFound, {}};
    return {MessageId::FileProblem, {problem}};
}

Message inputSizeFault(const FileFacts& facts, uint64_t largest, const std::string& what)
{
    if (std::string problem = inputFileProblem(facts); !problem.empty())
        return fileReadFault(problem);
    if (facts.size > largest)
        return {MessageId::FileTooLarge,
                {std::to_string(facts.size), mebibytes(facts.size), std::to_string(largest), mebibytes(largest), what}};
    return noProblem;
}

std::string inputSizeProblem(const FileFacts& facts, uint64_t largest, const std::string& what)
{
    Message fault = inputSizeFault(facts, largest, what);
    return fault.none() ? "" : renderMessage(fault, Language::English);
}
