#include "tools/builder/program/player_file.h"

#include "tools/builder/files/files.h"
#include "tools/builder/program/program_header.h"

namespace {

// Empty when `player` is a Windows program; otherwise why it cannot serve.
std::string playerProblem(const std::string& player)
{
    FileFacts facts = fileFactsOf(player);
    if (facts.kind == FileKind::Missing)
        return "not found; name the player with --player PLAYER.exe";
    if (std::string problem = inputFileProblem(facts); !problem.empty())
        return problem;
    FileStart start = readFileStart(player, ProgramHeaderBytes);
    return start.problem.empty() ? windowsProgramProblem(start.bytes, facts.size) : start.problem;
}

}  // namespace

// The player named, or else the first of the usual places that holds one;
// empty, with the error added, when it cannot serve.
std::string playerToUse(const std::string& named, Diagnostics& diagnostics)
{
    std::string player = named;
    if (player.empty()) {
        std::vector<std::string> candidates = defaultPlayerPaths();
        for (const std::string& candidate : candidates)
            if (player.empty() && fileFactsOf(candidate).kind != FileKind::Missing)
                player = candidate;
        if (player.empty()) {
            std::string missing = candidates.front() + ": not found";
            for (std::size_t n = 1; n < candidates.size(); ++n)
                missing += ", nor " + candidates[n];
            reportError(diagnostics, wholeLine(), MessageId::PlayerNotFound, {missing});
            return "";
        }
    }
    if (std::string problem = playerProblem(player); !problem.empty()) {
        reportError(diagnostics, wholeLine(), MessageId::PlayerProblem, {player, problem});
        return "";
    }
    return player;
}
