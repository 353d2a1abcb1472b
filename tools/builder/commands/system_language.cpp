#include "tools/builder/commands/system_language.h"

#include <cstdlib>
#include <cstring>

Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang)
{
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value)
            return std::strncmp(value, "fr", 2) == 0 ? Language::French : Language::English;
    return Language::English;
}

Language commandLanguage(const CommandLine& line, Language system)
{
    return line.languageGiven ? line.language : system;
}

#ifndef _WIN32
Language systemLanguage()
{
    return languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
#endif
