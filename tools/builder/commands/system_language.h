// The language quizbuild speaks when no --lang is given: French for a
// French system, English otherwise.
#pragma once

#include "tools/builder/commands/command_line.h"
#include "tools/builder/input/message_catalogue.h"

// POSIX: the first set and non-empty of LC_ALL, LC_MESSAGES and LANG
// decides; French when it starts with "fr". Null stands for unset.
Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The system's language: its locale variables on POSIX, the user's
// interface language on Windows (win32_console.cpp).
Language systemLanguage();

// The language of the command's lines: its --lang, else `system`.
Language commandLanguage(const CommandLine& line, Language system);
