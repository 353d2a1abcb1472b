#include "tools/builder/commands/output_guard.h"

namespace {

char folded(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    return c == '\\' ? '/' : c;
}

}  // namespace

bool samePath(const std::string& first, const std::string& second)
{
    if (first.empty() || first.size() != second.size())
        return false;
    // Bounded by the paths' length.
    for (std::size_t at = 0; at < first.size(); ++at)
        if (folded(first[at]) != folded(second[at]))
            return false;
    return true;
}

std::string outputProblem(const OutputFile& output, const std::vector<InputFile>& inputs)
{
    for (const InputFile& input : inputs) {
        if (!samePath(output.fullPath, input.fullPath) && !sameFile(output.facts, input.facts))
            continue;
        if (input.player)
            return output.path + ": is the player itself; the player is never changed, name another output";
        return output.path + ": is " + input.role + " itself, which the output would replace; name another output";
    }
    return "";
}
