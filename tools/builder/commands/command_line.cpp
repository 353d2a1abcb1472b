#include "tools/builder/commands/command_line.h"

namespace {

struct CommandForm {
    Command command;
    const char* name;
    const char* usage;
};

constexpr CommandForm commandForms[] = {
    {Command::Build, "build",
     "Usage: quizbuild build QUIZ.json -o OUT.exe [--player PLAYER.exe] [--strict] [--fit-pictures]\n"
     "Checks the quiz description QUIZ.json and writes OUT.exe: a copy of the player\n"
     "with the quiz and its media in its resources. The player is quizz.exe beside\n"
     "quizbuild.exe unless --player names another; it is never changed. OUT.exe is\n"
     "replaced only once it is complete. --strict turns warnings into errors.\n"
     "--fit-pictures shrinks every picture over 520 pixels on a side (twice what the\n"
     "board shows) to 520 on its long side and stores it as JPEG.\n"},
    {Command::Extract, "extract",
     "Usage: quizbuild extract QUIZ.exe -o DIR [--csv]\n"
     "Reads the quiz out of a built QUIZ.exe without running it and writes\n"
     "DIR/quiz.json and DIR/media/..., which build turns into the same quiz again.\n"
     "--csv writes the entries into DIR/quiz.csv (UTF-8, comma-separated, for a\n"
     "spreadsheet), which quiz.json names as its entries.\n"},
    {Command::Check, "check",
     "Usage: quizbuild check QUIZ.json [--strict] [--records]\n"
     "Checks the quiz description and its media as build does, writing nothing.\n"
     "--strict turns warnings into errors. --records also writes every problem as\n"
     "one JSON object a line on standard output, for programs that place them.\n"},
    {Command::Html, "html",
     "Usage: quizbuild html QUIZ.json|QUIZ.exe -o OUT.html [--strict] [--fit-pictures]\n"
     "Writes the quiz as one web page that needs nothing else: texts, codes, media\n"
     "and the player's judging, which works opened from disk or from a web server.\n"
     "From a description every entry of a video quiz needs a \"webClip\" (MP4 or\n"
     "WebM), as browsers do not play AVI; a built video quiz has none. The page saves\n"
     "and loads the answers file of OUT.exe (OUT.txt). --strict turns warnings into errors.\n"
     "--fit-pictures fits a description's pictures as build does.\n"},
    {Command::Scorm, "scorm",
     "Usage: quizbuild scorm QUIZ.json|QUIZ.exe -o OUT.zip [--strict] [--fit-pictures]\n"
     "Writes the quiz as a SCORM 1.2 package for a school platform (Moodle: add an\n"
     "activity, \"Paquet SCORM\"): imsmanifest.xml and index.html, the page html\n"
     "writes, which then gives the platform each pupil's score, answers and status.\n"
     "--strict turns warnings into errors. --fit-pictures fits a description's\n"
     "pictures as build does.\n"},
    {Command::Results, "results",
     "Usage: quizbuild results QUIZ.json|QUIZ.exe ANSWERS.txt... -o OUT.csv\n"
     "Judges pupils' answers files (saved by the quiz's player or page) as the player\n"
     "does and writes OUT.csv, a table for a spreadsheet (UTF-8, \";\"-separated): a\n"
     "row per file, named for the file, with its score, its code and every box's\n"
     "verdict, then each box's share of right answers. A file whose line count is\n"
     "not the quiz's box count is listed as another quiz's, unjudged.\n"},
    {Command::Pack, "pack",
     "Usage: quizbuild pack IN OUT\n"
     "Packs the bytes of IN with the quiz codec into OUT (at most 65536 bytes in).\n"},
    {Command::Unpack, "unpack",
     "Usage: quizbuild unpack IN OUT\n"
     "Unpacks the packed bytes of IN into OUT.\n"},
};

constexpr const char* overallUsage =
    "Usage: quizbuild COMMAND ...\n"
    "Builds quiz players from quiz descriptions, and reads them back.\n"
    "  build QUIZ.json -o OUT.exe [--player PLAYER.exe] [--strict] [--fit-pictures]\n"
    "  extract QUIZ.exe -o DIR [--csv]\n"
    "  check QUIZ.json [--strict]\n"
    "  html QUIZ.json|QUIZ.exe -o OUT.html [--strict] [--fit-pictures]\n"
    "  scorm QUIZ.json|QUIZ.exe -o OUT.zip [--strict] [--fit-pictures]\n"
    "  results QUIZ.json|QUIZ.exe ANSWERS.txt... -o OUT.csv\n"
    "  pack IN OUT\n"
    "  unpack IN OUT\n"
    "Every command takes --lang fr|en, the language of its problem lines; without\n"
    "it, the system's language (French when it is French, English otherwise).\n"
    "'quizbuild COMMAND --help' tells more. Exit codes: 0 done, 1 invalid input,\n"
    "2 usage error.\n";

const CommandForm* formOf(Command command)
{
    for (const CommandForm& form : commandForms)
        if (form.command == command)
            return &form;
    return nullptr;
}

bool isHelp(const std::string& argument)
{
    return argument == "--help" || argument == "-h";
}

// Options that take a value, per command.
bool takesOutputOption(Command command)
{
    return command == Command::Build || command == Command::Extract || command == Command::Html
           || command == Command::Scorm || command == Command::Results;
}

void readArguments(const std::vector<std::string>& arguments, CommandLine& line)
{
    std::vector<std::string> files;
    for (std::size_t at = 1; at < arguments.size() && line.error.empty(); ++at) {
        const std::string& argument = arguments[at];
        bool hasValue = at + 1 < arguments.size();
        if (argument == "-o" && takesOutputOption(line.command)) {
            if (!hasValue)
                line.error = "-o needs a file name";
            else
                line.output = arguments[++at];
        } else if (argument == "--player" && line.command == Command::Build) {
            if (!hasValue)
                line.error = "--player needs a file name";
            else
                line.player = arguments[++at];
        } else if (argument == "--strict" && (line.command == Command::Build || line.command == Command::Check
                                           || line.command == Command::Html || line.command == Command::Scorm)) {
            line.strict = true;
        } else if (argument == "--fit-pictures" && (line.command == Command::Build || line.command == Command::Html
                                                 || line.command == Command::Scorm)) {
            line.fitPictures = true;
        } else if (argument == "--lang") {
            std::string value = hasValue ? arguments[++at] : "";
            if (value != "fr" && value != "en")
                line.error = "--lang takes fr or en" + (value.empty() ? std::string() : ", not " + value);
            line.language = value == "fr" ? Language::French : Language::English;
            line.languageGiven = true;
        } else if (argument == "--records" && line.command == Command::Check) {
            line.records = true;
        } else if (argument == "--csv" && line.command == Command::Extract) {
            line.csv = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            line.error = "unknown option " + argument;
        } else {
            files.push_back(argument);
        }
    }
    if (!line.error.empty())
        return;
    std::size_t wanted = line.command == Command::Pack || line.command == Command::Unpack ? 2 : 1;
    if (line.command == Command::Results && files.size() > 1) {
        line.answers.assign(files.begin() + 1, files.end());
        files.resize(1);
    } else if (line.command == Command::Results) {
        line.error = files.empty() ? "missing file name" : "missing answers files";
        return;
    }
    if (files.size() != wanted) {
        line.error = files.size() < wanted ? "missing file name" : "too many file names";
        return;
    }
    line.input = files[0];
    if (wanted == 2)
        line.output = files[1];
    else if (takesOutputOption(line.command) && line.output.empty())
        line.error = line.command == Command::Build     ? "missing -o OUT.exe"
                     : line.command == Command::Html    ? "missing -o OUT.html"
                     : line.command == Command::Scorm   ? "missing -o OUT.zip"
                     : line.command == Command::Results ? "missing -o OUT.csv"
                                                        : "missing -o DIR";
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    if (arguments.empty()) {
        line.error = "missing command";
        return line;
    }
    if (isHelp(arguments[0])) {
        line.help = true;
        return line;
    }
    for (const CommandForm& form : commandForms)
        if (arguments[0] == form.name)
            line.command = form.command;
    if (line.command == Command::None) {
        line.error = "unknown command " + arguments[0];
        return line;
    }
    for (const std::string& argument : arguments)
        line.help = line.help || isHelp(argument);
    if (!line.help)
        readArguments(arguments, line);
    return line;
}

std::string usageText(Command command)
{
    const CommandForm* form = formOf(command);
    return form ? form->usage : overallUsage;
}

std::string helpHint(Command command)
{
    const CommandForm* form = formOf(command);
    return std::string("Try 'quizbuild ") + (form ? std::string(form->name) + " " : "") + "--help'.";
}
