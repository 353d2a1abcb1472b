// What an author sees from `quizbuild check` for the mistakes people make
// in their first quiz: every message names the file, the entry and field,
// and says how to mend it. The files are real, in a folder of their own, and
// go through the command as the native program runs it.
#include "tools/builder/commands/command_line.h"
#include "tools/builder/commands/commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

struct Folder {
    std::string path;
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "author-mistakes-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~Folder() { fs::remove_all(path); }
    void write(const std::string& name, const std::string& bytes) const
    {
        fs::create_directories(fs::path(path + "/" + name).parent_path());
        std::ofstream(path + "/" + name, std::ios::binary) << bytes;
    }
};

struct Checked {
    int status;
    std::string out;
    std::string err;
};

Checked check(const std::string& description, Language language = Language::English)
{
    CommandLine line;
    line.command = Command::Check;
    line.input = description;
    line.language = language;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = runCheck(line);
    std::string err = testing::internal::GetCapturedStderr();
    return {status, testing::internal::GetCapturedStdout(), err};
}

// A JPEG whose frame header states its size.
std::string jpegOf(int width, int height)
{
    return std::string("\xFF\xD8\xFF\xC0\x00\x11\x08", 7) + char(height >> 8) + char(height & 0xFF) + char(width >> 8)
           + char(width & 0xFF) + std::string(12, '\x01') + "\xFF\xD9";
}

std::string textQuiz(const std::string& more)
{
    return "{\n  \"kind\": \"text\",\n  \"title\": \"Capitales\",\n" + more
           + "  \"entries\": [\n    {\"clue\": \"France\", \"answers\": [\"Paris\"]}\n  ]\n}\n";
}

std::string pictureQuiz(const std::string& media)
{
    return "{\"kind\": \"picture\", \"title\": \"Photos\", \"entries\": [{\"answers\": [\"a\"], \"media\": \"" + media
           + "\"}]}";
}

struct Row {
    const char* name;
    std::string json;
    std::string err;  // empty: fit to build
    std::string fr;   // the same line in French, after "quiz.json : "
    std::string out;  // what follows "quiz.json: " on standard output when fit
};

TEST(AuthorMistakes, CheckTellsWhereAndHowToMend)
{
    Folder folder;
    folder.write("img/a.jpg", jpegOf(800, 600));
    folder.write("img/tour.png", "\x89PNG\r\n\x1A\n picture");
    folder.write("img/photo.jpg", jpegOf(5000, 3750));
    folder.write("excel.csv", "clue;answer1;;\r\nFrance;Paris;;\r\nItalie;Rome;;\r\n");
    folder.write("chinese.csv", "clue;answer1\r\nFrance;\x81Paris\r\n");
    folder.write("colonnes.csv", "Indice;Réponse 1;Couleur\r\nFrance;Paris;bleu\r\n");
    folder.write("reponses.csv", "Indice;Réponse 1\r\nFrance;Paris|Lutèce\r\n");
    const std::string file = folder.path + "/quiz.json: ";
    const std::string schemes = "; it must start with http://, https:// or mailto:, as a click opens it with the system's shell";
    const Row rows[] = {
        {"a missing comma", "{\n  \"kind\": \"text\",\n  \"title\": \"Capitales\"\n  \"entries\": []\n}\n",
         "line 3, title: a comma is missing after this value",
         "Ligne 3, titre : il manque une virgule après cette valeur"},
        {"a missing comma between entries",
         "{\"kind\": \"text\", \"title\": \"T\", \"entries\": [\n {\"clue\": \"a\", \"answers\": [\"b\"]}\n"
         " {\"clue\": \"c\", \"answers\": [\"d\"]}]}",
         "line 2, entry 1: a comma is missing after this value",
         "Ligne 2, entrée 1 : il manque une virgule après cette valeur"},
        {"a trailing comma in the answers",
         "{\"kind\": \"text\", \"title\": \"T\", \"entries\": [\n {\"clue\": \"a\",\n  \"answers\": [\"b\",\n ]}]}",
         "line 3, entry 1, answers: remove the comma before ]",
         "Ligne 3, entrée 1, réponses : retirez la virgule avant ]"},
        {"a trailing comma after the last key",
         "{\"kind\": \"text\", \"title\": \"T\",\n \"entries\": [{\"clue\": \"a\", \"answers\": [\"b\"]}],\n}",
         "line 2: remove the comma before }",
         "Ligne 2 : retirez la virgule avant }"},
        {"curly quotes", "{\n  \"kind\": \"text\",\n  \"title\": \xE2\x80\x9C" "Capitales\xE2\x80\x9D,\n}",
         "line 3, title: use straight quotes \" instead of \xE2\x80\x9C \xE2\x80\x9D",
         "Ligne 3, titre : guillemets typographiques « \xE2\x80\x9C" " \xE2\x80\x9D" " » : utilisez des guillemets droits \""},
        {"a curly closing quote", "{\"kind\": \"text\",\n \"title\": \"Capitales\xE2\x80\x9D,\n \"entries\": []}",
         "line 2, title: use straight quotes \" instead of \xE2\x80\x9C \xE2\x80\x9D",
         "Ligne 2, titre : guillemets typographiques « \xE2\x80\x9C" " \xE2\x80\x9D" " » : utilisez des guillemets droits \""},
        {"curly quotes inside a text are the author's", textQuiz("  \"description\": \"Le \xE2\x80\x9Cgrand\xE2\x80\x9D quiz\",\n"),
         "", ""},
        {"a line break in a clue",
         "{\"kind\": \"text\", \"title\": \"T\", \"entries\": [\n {\"answers\": [\"Paris\"], \"clue\": \"Capitale\nde la France\"}]}",
         "line 2, entry 1, clue: this text goes on past the end of the line; texts are single lines, so write it on one line",
         "Ligne 2, entrée 1, indice : ce texte continue à la ligne suivante ; écrivez-le sur une seule ligne"},
        {"a PNG picture", pictureQuiz("img/tour.png"),
         "entry 1, media: \"img/tour.png\": a PNG picture, which the Windows picture decoder is not known to read; open "
         "it in Paint or another image editor and save it as JPEG",
         "Entrée 1, média : « img/tour.png » : c'est une image PNG, que le quiz ne sait pas montrer ; ouvrez-la avec Paint ou un autre logiciel d'images et enregistrez-la en JPEG"},
        {"a photo of 5000 pixels", pictureQuiz("img/photo.jpg"),
         "entry 1, media: \"img/photo.jpg\": a JPEG picture of 5000 x 3750 pixels, at most 4096 a side (the board "
         "shows 260 x 260); open it in Paint or another image editor, resize it to at most 4096 pixels a side and save "
         "it again",
         "Entrée 1, média : « img/photo.jpg » : l'image mesure 5000 x 3750 pixels, au plus 4096 de côté ; réduisez-la avec Paint ou un autre logiciel d'images et enregistrez-la de nouveau"},
        {"a file: link", textQuiz("  \"link\": \"file:///C:/quiz/notes.txt\",\n"),
         "link: \"file:///C:/quiz/notes.txt\" is no web or mail address" + schemes,
         "Lien : « file:///C:/quiz/notes.txt » n'est pas une adresse web ou de courriel ; elle doit commencer par http://, https:// ou mailto:"},
        {"a program's path as link", textQuiz("  \"link\": \"C:\\\\Windows\\\\notepad.exe\",\n"),
         "link: \"C:\\Windows\\notepad.exe\" is no web or mail address" + schemes,
         "Lien : « C:\\Windows\\notepad.exe » n'est pas une adresse web ou de courriel ; elle doit commencer par http://, https:// ou mailto:"},
        {"a script as link", textQuiz("  \"link\": \"javascript:alert(1)\",\n"),
         "link: \"javascript:alert(1)\" is no web or mail address" + schemes,
         "Lien : « javascript:alert(1) » n'est pas une adresse web ou de courriel ; elle doit commencer par http://, https:// ou mailto:"},
        {"a link of 260 bytes", textQuiz("  \"link\": \"https://" + std::string(252, 'a') + "\",\n"),
         "link: 260 bytes in Windows-1252, at most 259",
         "Lien : 260 caractères, au plus 259 (1 de trop)"},
        {"a web link", textQuiz("  \"link\": \"https://ec.fr/q\",\n"), "", "", "fit to build, 1 entry, 0 media items"},
        {"a mail link", textQuiz("  \"link\": \"mailto:a@ec.fr\",\n"), "", "", "fit to build, 1 entry, 0 media items"},
        {"a spreadsheet's trailing empty columns", "{\"kind\": \"text\", \"title\": \"T\", \"entries\": \"excel.csv\"}", "", "",
         "fit to build, 2 entries, 0 media items, excel.csv read as UTF-8"},
        {"a CSV in no encoding we read", "{\"kind\": \"text\", \"title\": \"T\", \"entries\": \"chinese.csv\"}",
         "chinese.csv: neither UTF-8 nor Windows-1252 (byte 0x81 on line 2, which Windows-1252 leaves unassigned); "
         "save it again from the spreadsheet as \"CSV UTF-8\" (Excel) or as Text CSV with UTF-8 (LibreOffice Calc)",
         "chinese.csv : ligne 2 : l'encodage du fichier n'est pas reconnu ; enregistrez-le de nouveau depuis le tableur en « CSV UTF-8 » (Excel) ou en Texte CSV, UTF-8 (LibreOffice Calc)"},
        {"a wrong letter case", pictureQuiz("IMG/A.jpg"),
         "entry 1, media: \"IMG/A.jpg\" is not found as written; using \"img/a.jpg\", whose name differs in letter "
         "case only (as Windows would)",
         "Entrée 1, média : attention : « IMG/A.jpg » n'existe pas, mais « img/a.jpg » oui (seules les majuscules diffèrent) ; c'est lui qui est pris, corrigez le nom",
         "fit to build, 1 entry, 1 media item"},
        {"a colour in words", textQuiz("  \"boardColour\": \"jaune\",\n"),
         "boardColour: \"jaune\" is not a colour; expected \"#RRGGBB\" with hexadecimal digits",
         "Couleur du tableau : « jaune » n'est pas une couleur ; écrivez-la #RRGGBB, par exemple #FFD700"},
        {"a link without its scheme", textQuiz("  \"link\": \"www.college.fr\",\n"),
         "link: \"www.college.fr\" is no web or mail address" + schemes,
         "Lien : « www.college.fr » doit commencer par http://, https:// ou mailto: (par exemple "
         "https://www.college.fr)"},
        {"fewer codes than entries", textQuiz("  \"codes\": [],\n"),
         "codes: 0 codes for 1 entry; 1 row stays empty, and players reaching those scores see no code",
         "Codes : attention : 0 code pour 1 entrée ; 1 score reste sans code, les joueurs qui y arrivent n'en "
         "verront aucun ; ajoutez des codes si vous le souhaitez",
         "fit to build, 1 entry, 0 media items"},
        {"a character Windows-1252 lacks", textQuiz("  \"description\": \"Somme \xE2\x88\x91\",\n"),
         "description: character U+2211 (character 7) has no Windows-1252 form",
         "Description : le caractère « \xE2\x88\x91 » n'existe pas dans les textes du quiz (Windows-1252) ; "
         "remplacez-le par un caractère courant"},
        {"an unknown CSV column", "{\"kind\": \"text\", \"title\": \"T\", \"entries\": \"colonnes.csv\"}",
         "colonnes.csv, line 1, column 3: unknown column \"Couleur\"; the header row names columns among \"clue\", "
         "\"answer1\", \"answer2\", \"media\", \"revealPicture\", \"revealText\"",
         "colonnes.csv, ligne 1, colonne 3 : colonne « Couleur » inconnue ; les colonnes possibles sont « indice », "
         "« réponse 1 », « réponse 2 », « média », « image révélée », « texte révélé »"},
        {"a \"|\" in a French spreadsheet's answer", "{\"kind\": \"text\", \"title\": \"T\", \"entries\": \"reponses.csv\"}",
         "reponses.csv, line 2, column \"answer1\": holds \"|\", which separates the stored fields",
         "reponses.csv, ligne 2, colonne « Réponse 1 » : le signe « | » n'est pas permis dans une réponse ; "
         "remplacez-le, par exemple par « / »"},
    };
    for (const Row& row : rows) {
        folder.write("quiz.json", row.json);
        Checked checked = check(folder.path + "/quiz.json");
        bool warnedOnly = !row.out.empty();
        EXPECT_EQ(checked.status, row.err.empty() || warnedOnly ? exitSuccess : exitBadInput) << row.name;
        std::string err = row.err.empty() ? "" : file + row.err + "\n";
        if (warnedOnly && !row.err.empty())
            err = file + row.err.substr(0, row.err.find(": ") + 2) + "warning: " + row.err.substr(row.err.find(": ") + 2) + "\n";
        EXPECT_EQ(checked.err, err) << row.name;
        if (!row.out.empty())
            EXPECT_EQ(checked.out, file + row.out + "\n") << row.name;

        Checked french = check(folder.path + "/quiz.json", Language::French);
        EXPECT_EQ(french.status, checked.status) << row.name;
        EXPECT_EQ(french.err, row.fr.empty() ? "" : folder.path + "/quiz.json : " + row.fr + "\n") << row.name;
    }
}

}  // namespace
