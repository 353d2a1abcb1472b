#include "tools/builder/output/resource_writer.h"

#include "quiz/resource_ids.h"
#include "tools/builder/files/files.h"
#include "tools/builder/program/pe_resource_update.h"

std::string writePlayerCopy(const std::string& player, const std::string& output,
                            const std::vector<QuizResource>& resources)
{
    if (sameFile(player, output))
        return output + ": is the player itself; the player is never changed, name another output";
    FileRead read = readFileBytes(player);
    if (!read.problem.empty())
        return player + ": " + read.problem;
    std::vector<NewResource> added;
    for (const QuizResource& resource : resources) {
        if (resource.id < 1 || resource.id > 0xFFFF)
            return player + ": resource " + resource.type + " " + std::to_string(resource.id)
                   + ": numbers run from 1 to 65535";
        added.push_back({resource.type, static_cast<uint16_t>(resource.id), resource.bytes});
    }
    ImageUpdate update = replaceResources(read.bytes, {PayloadResourceType, MediaResourceType}, added);
    if (!update.problem.empty())
        return player + ": " + update.problem;
    if (std::string problem = replaceFileBytes(output, update.bytes); !problem.empty())
        return output + ": " + problem;
    return "";
}
