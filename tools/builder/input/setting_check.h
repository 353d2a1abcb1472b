// Whether one setting of a description (its board colour, its link) passes
// the builder's checks, asked by the studio as the author types: the value
// is checked by readQuizDescription itself, inside a description that holds
// nothing else wrong, so the rule is never written twice.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

bool settingPasses(const std::string& key, const nlohmann::json& value);
