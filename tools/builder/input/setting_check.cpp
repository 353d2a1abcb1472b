#include "tools/builder/input/setting_check.h"

#include "tools/builder/input/quiz_description.h"

bool settingPasses(const std::string& key, const nlohmann::json& value)
{
    nlohmann::json description = {{"kind", "text"},
                                  {"title", "T"},
                                  {"entries", {{{"clue", "C"}, {"answers", {"A"}}}}}};
    description[key] = value;
    Diagnostics diagnostics{"quiz.json", {}, {}};
    readQuizDescription(description.dump(), diagnostics);
    return diagnostics.errors.empty();
}
