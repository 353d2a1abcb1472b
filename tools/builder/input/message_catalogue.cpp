#include "tools/builder/input/message_catalogue.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Id = MessageId;

// English texts are the builder's long-standing lines, read by scripts and
// tests byte for byte; French texts speak to the author, in the form's own
// words, and say how to mend. French leaves out the reasons a file system,
// a decoder or the program reader gives in English: they would not help an
// author, and what to do is said instead.
constexpr CatalogueEntry entries[] = {
    {Id::UnknownKey, "UnknownKey", 2, "unknown key {q1}; known keys: {l2}", "la clé {q1} est inconnue ; les clés connues sont {l2}"},
    {Id::ExpectedString, "ExpectedString", 1, "expected a string, found {w1}", "un texte est attendu ici, pas {w1} ; écrivez-le entre guillemets"},
    {Id::TextTooLong, "TextTooLong", 3, "{1} bytes in Windows-1252, at most {2}", "{1} caractères, au plus {2} ({3} de trop)"},
    {Id::HoldsCarriageReturn, "HoldsCarriageReturn", 0, "holds a carriage return (CR); stored texts are single lines",
     "le texte contient un retour à la ligne ; écrivez-le sur une seule ligne"},
    {Id::HoldsLineFeed, "HoldsLineFeed", 0, "holds a line feed (LF); stored texts are single lines",
     "le texte contient un retour à la ligne ; écrivez-le sur une seule ligne"},
    {Id::HoldsZero, "HoldsZero", 0, "holds a zero character (U+0000), which would end the stored text",
     "le texte contient un caractère nul (U+0000) ; retirez-le"},
    {Id::HoldsSeparator, "HoldsSeparator", 1, "holds \"|\", which separates the stored fields",
     "le signe « | » n'est pas permis dans {w1} ; remplacez-le, par exemple par « / »"},
    {Id::NotWindows1252Character, "NotWindows1252Character", 2, "{1}",
     "le caractère « {2} » n'existe pas dans les textes du quiz (Windows-1252) ; remplacez-le par un caractère courant"},
    {Id::NotWindows1252Text, "NotWindows1252Text", 1, "{1}", "le texte n'est pas écrit en UTF-8 valide ; enregistrez le fichier en UTF-8"},
    {Id::ChoiceMissing, "ChoiceMissing", 1, "missing; expected {o1}", "manquant ; choisissez {o1}"},
    {Id::ChoiceNotString, "ChoiceNotString", 2, "expected {o1}, found {w2}", "{w2} ne convient pas ; choisissez {o1}"},
    {Id::ChoiceUnknown, "ChoiceUnknown", 2, "{q1} is not known; expected {o2}", "{q1} n'est pas un choix possible ; choisissez {o2}"},
    {Id::ExpectedFilePath, "ExpectedFilePath", 1, "expected a file path, found {w1}",
     "le nom d'un fichier est attendu ici, pas {w1} ; choisissez un fichier ou retirez cette ligne"},
    {Id::TopLevelNotObject, "TopLevelNotObject", 1, "the top level is {w1}, expected an object",
     "le fichier contient {w1} ; une description de quiz est un objet JSON, entre accolades { }"},
    {Id::TitleMissing, "TitleMissing", 0, "missing; expected the quiz's title", "le quiz n'a pas de titre ; écrivez-en un"},

    {Id::AnswersMissing, "AnswersMissing", 0, "missing; expected an array of answer texts", "cette entrée n'a pas de réponse ; écrivez-en une"},
    {Id::AnswersNotArray, "AnswersNotArray", 1, "expected an array of answer texts, found {w1}",
     "une liste de réponses est attendue ici, pas {w1} ; écrivez les réponses entre crochets [ ]"},
    {Id::AnswerCount, "AnswerCount", 2, "{n1:answer|answers}, answersPerEntry is {2}",
     "{n1:réponse|réponses}, alors que le quiz demande {n2:réponse|réponses} par entrée"},
    {Id::RevealRefused, "RevealRefused", 2, "reveal is \"{1}\", so it would not be stored; remove it or set reveal to \"{2}\"",
     "le quiz révèle « {w1} », donc ce champ serait perdu ; retirez-le ou choisissez de révéler « {w2} »"},
    {Id::MediaInTextQuiz, "MediaInTextQuiz", 0, "a text quiz shows no media, so it would not be stored; remove it",
     "un quiz de textes ne montre aucun média ; retirez ce fichier ou changez le type du quiz"},
    {Id::MediaMissing, "MediaMissing", 1, "missing; a {1} quiz needs one for every entry",
     "manquant ; un quiz « {w1} » demande un fichier pour chaque entrée"},
    {Id::RevealPictureMissing, "RevealPictureMissing", 0, "missing; reveal \"picture\" needs one for every entry",
     "manquante ; le quiz révèle une image, il en faut une pour chaque entrée"},
    {Id::ClipRefused, "ClipRefused", 1, "a {1} quiz plays no clips; remove it",
     "un quiz « {w1} » ne joue pas de clip ; retirez ce fichier"},
    {Id::EntryNotObject, "EntryNotObject", 1, "expected an object, found {w1}",
     "une entrée est attendue ici, pas {w1} ; écrivez-la entre accolades { }"},
    {Id::ClueMissing, "ClueMissing", 0, "missing; a text quiz shows the clue of every entry",
     "manquant ; un quiz de textes montre l'indice de chaque entrée, écrivez-en un"},
    {Id::EntriesPathEmpty, "EntriesPathEmpty", 0, "expected an array of 1 to 90 entries or a CSV file path, found an empty string",
     "aucune entrée ni aucun fichier CSV ; ajoutez des entrées ou choisissez un fichier"},
    {Id::EntriesFileNotFound, "EntriesFileNotFound", 1, "{q1}: not found", "le fichier {q1} est introuvable ; vérifiez son nom et son dossier"},
    {Id::EntriesFileUnreadable, "EntriesFileUnreadable", 2, "{q1}: {2}", "le fichier {q1} ne peut pas être lu ; vérifiez qu'il n'est pas ouvert dans un autre logiciel"},
    {Id::EntriesFileNoEntries, "EntriesFileNoEntries", 0, "no entries below the header row, at least 1",
     "aucune entrée sous la ligne des noms de colonnes ; il en faut au moins 1"},
    {Id::EntriesFileTooMany, "EntriesFileTooMany", 3, "{n1:entry|entries} below the header row, at most {2}",
     "{n1:entrée|entrées}, au plus {2} ; retirez-en {3}"},
    {Id::EntriesMissing, "EntriesMissing", 0, "missing; expected an array of 1 to 90 entries",
     "le quiz n'a aucune entrée ; ajoutez-en de 1 à 90"},
    {Id::EntriesNotArray, "EntriesNotArray", 1, "expected an array of 1 to 90 entries, found {w1}",
     "une liste d'entrées est attendue ici, pas {w1}"},
    {Id::EntriesEmpty, "EntriesEmpty", 0, "empty, at least 1", "le quiz n'a aucune entrée ; ajoutez-en au moins une"},
    {Id::EntriesTooMany, "EntriesTooMany", 3, "{n1:entry|entries}, at most {2}", "{n1:entrée|entrées}, au plus {2} ; retirez-en {3}"},

    {Id::CodesNotArray, "CodesNotArray", 1, "expected an array of code texts, found {w1}", "une liste de codes est attendue ici, pas {w1}"},
    {Id::CodesTooMany, "CodesTooMany", 2, "{n1:code|codes} for {n2:entry|entries}, at most one per entry",
     "{n1:code|codes} pour {n2:entrée|entrées} ; au plus un code par entrée, retirez les codes en trop"},
    {Id::CodesTooFew, "CodesTooFew", 3,
     "{n1:code|codes} for {n2:entry|entries}; {n3:row stays|rows stay} empty, and players reaching those scores see no code",
     "{n1:code|codes} pour {n2:entrée|entrées} ; {n3:score reste|scores restent} sans code, les joueurs qui y "
     "arrivent n'en verront aucun ; ajoutez des codes si vous le souhaitez"},
    {Id::AnswersPerEntryNumber, "AnswersPerEntryNumber", 1, "{1}, expected 1 or 2", "{1} ne convient pas ; une entrée a 1 ou 2 réponses"},
    {Id::AnswersPerEntryType, "AnswersPerEntryType", 1, "{w1}, expected 1 or 2", "{w1} ne convient pas ; une entrée a 1 ou 2 réponses"},
    {Id::AnswerLabelsCount, "AnswerLabelsCount", 1, "{n1:label|labels}, expected an array of 2 (first and second answer)",
     "{n1:nom|noms} ; il en faut 2, un pour la première et un pour la seconde réponse"},
    {Id::AnswerLabelsType, "AnswerLabelsType", 1, "{w1}, expected an array of 2 (first and second answer)",
     "{w1} ne convient pas ; il faut 2 noms, un pour la première et un pour la seconde réponse"},
    {Id::LinkScheme, "LinkScheme", 2, "{q1} is no web or mail address; it must start with {2}, as a click opens it with the system's shell",
     "{q1} n'est pas une adresse web ou de courriel ; elle doit commencer par http://, https:// ou mailto:"},
    {Id::LinkSchemeMissing, "LinkSchemeMissing", 2,
     "{q1} is no web or mail address; it must start with {2}, as a click opens it with the system's shell",
     "{q1} doit commencer par http://, https:// ou mailto: (par exemple https://{1})"},
    {Id::LinkControl, "LinkControl", 0, "holds a control character (such as a tab); an address is one line of printable characters",
     "l'adresse contient un caractère invisible (une tabulation par exemple) ; retapez-la sur une ligne"},
    {Id::ColourBad, "ColourBad", 1, "{q1} is not a colour; expected \"#RRGGBB\" with hexadecimal digits",
     "{q1} n'est pas une couleur ; écrivez-la #RRGGBB, par exemple #FFD700"},
    {Id::ColourBadType, "ColourBadType", 1, "{w1} is not a colour; expected \"#RRGGBB\" with hexadecimal digits",
     "{w1} n'est pas une couleur ; écrivez-la #RRGGBB, par exemple #FFD700"},

    {Id::AnswerEmpty, "AnswerEmpty", 0, "empty; no typed answer is ever judged \"BRAVO\" against it",
     "la réponse est vide ; aucune réponse tapée ne sera jamais jugée « BRAVO »"},
    {Id::AnswerLeadingSpace, "AnswerLeadingSpace", 1,
     "{q1} starts with a space; typed answers lose their spaces at both ends, so it can never be \"BRAVO\"",
     "{q1} commence par une espace ; les espaces tapées au début et à la fin sont retirées, la "
     "réponse ne serait jamais « BRAVO » ; retirez cette espace"},
    {Id::AnswerTrailingSpace, "AnswerTrailingSpace", 1,
     "{q1} ends with a space; typed answers lose their spaces at both ends, so it can never be \"BRAVO\"",
     "{q1} finit par une espace ; les espaces tapées au début et à la fin sont retirées, la "
     "réponse ne serait jamais « BRAVO » ; retirez cette espace"},
    {Id::AnswerCapitals, "AnswerCapitals", 2,
     "{q1} holds {q2}, capitals outside A to Z; case is matched only for a to z, so players must type them exactly "
     "as stored",
     "{q1} contient les majuscules accentuées {q2} ; les joueurs devront les taper exactement ainsi"},
    {Id::AnswerCapital, "AnswerCapital", 2,
     "{q1} holds {q2}, a capital outside A to Z; case is matched only for a to z, so players must type it exactly "
     "as stored",
     "{q1} contient la majuscule accentuée {q2} ; les joueurs devront la taper exactement ainsi"},
    {Id::HeaderTextCut, "HeaderTextCut", 3, "{q1} shows cut in the player's header: {2} of {n3:character|characters} visible; shorten it",
     "{q1} sera coupé dans l'en-tête du quiz, {2} caractères visibles sur {3} ; raccourcissez-le"},

    {Id::JsonMalformed, "JsonMalformed", 1, "malformed JSON: {1}",
     "le fichier n'est pas du JSON correct ; vérifiez les guillemets, virgules et accolades à cet endroit"},
    {Id::JsonNumberTooLarge, "JsonNumberTooLarge", 0, "a number is too large", "un nombre est trop grand"},
    {Id::JsonNumberTooLargeShown, "JsonNumberTooLargeShown", 1, "the number {1} is too large", "le nombre {1} est trop grand"},
    {Id::JsonNoText, "JsonNoText", 0, "holds no JSON text; expected a quiz description, a JSON object",
     "le fichier est vide ; il doit contenir la description du quiz"},
    {Id::JsonKeyTwice, "JsonKeyTwice", 1, "key {q1} appears twice; only one value per key can be kept",
     "la clé {q1} apparaît deux fois ; gardez-en une seule"},
    {Id::JsonTooDeep, "JsonTooDeep", 2,
     "arrays and objects nested more than {1} levels deep; a quiz description needs {2} (the quiz, its entries, an "
     "entry, its answers)",
     "trop de crochets ou d'accolades imbriqués (plus de {1} niveaux, une description en demande {2})"},
    {Id::JsonCurlyQuotes, "JsonCurlyQuotes", 0, "use straight quotes \" instead of \u201C \u201D",
     "guillemets typographiques « \u201C \u201D » : utilisez des guillemets droits \""},
    {Id::JsonLineBreak, "JsonLineBreak", 0, "this text goes on past the end of the line; texts are single lines, so write it on one line",
     "ce texte continue à la ligne suivante ; écrivez-le sur une seule ligne"},
    {Id::JsonTrailingComma, "JsonTrailingComma", 1, "remove the comma before {1}", "retirez la virgule avant {1}"},
    {Id::JsonMissingComma, "JsonMissingComma", 0, "a comma is missing after this value", "il manque une virgule après cette valeur"},
    {Id::JsonUnreadable, "JsonUnreadable", 0, "the text cannot be read as JSON", "le texte ne peut pas être lu comme du JSON"},

    {Id::CsvUnclosedQuote, "CsvUnclosedQuote", 0, "the quoted field that starts here has no closing quote",
     "le champ entre guillemets qui commence ici n'a pas de guillemet fermant ; ajoutez-le"},
    {Id::CsvTextAfterQuote, "CsvTextAfterQuote", 0, "text after the closing quote of a quoted field; inside quotes, write a quote as two (\"\")",
     "du texte suit le guillemet fermant ; dans un champ entre guillemets, doublez chaque guillemet (\"\")"},
    {Id::CsvStrayQuote, "CsvStrayQuote", 0,
     "a quote inside a field that does not start with one; put the whole field in quotes and write each quote inside "
     "it as two (\"\")",
     "un guillemet au milieu d'un champ ; mettez tout le champ entre guillemets et doublez chaque guillemet (\"\")"},
    {Id::CsvNoHeaderNames, "CsvNoHeaderNames", 2, "the first row names none of the columns {1}; it must be the header row, naming the column of each field",
     "la première ligne ne nomme aucune des colonnes {l2} ; elle doit donner le nom de chaque colonne"},
    {Id::CsvUnknownColumn, "CsvUnknownColumn", 4, "unknown column {q1}{2}; the header row names columns among {3}",
     "colonne {q1}{2} inconnue ; les colonnes possibles sont {l4}"},
    {Id::CsvNoColumnName, "CsvNoColumnName", 2, "no column name; the header row names columns among {1}",
     "colonne sans nom ; les colonnes possibles sont {l2}"},
    {Id::CsvColumnAgain, "CsvColumnAgain", 2, "{q1} again, first named in column {2}; name each column once",
     "{q1} est déjà la colonne {2} ; nommez chaque colonne une seule fois"},
    {Id::CsvColumnMissing, "CsvColumnMissing", 3, "no column {q1}; {w2}", "il manque la colonne {q3} ; {w2}"},
    {Id::CsvFieldPastLastColumn, "CsvFieldPastLastColumn", 1, "a field past the last column; the header row names {n1:column|columns}",
     "une valeur après la dernière colonne ; la première ligne ne nomme que {n1:colonne|colonnes}"},
    {Id::CsvRowTooShort, "CsvRowTooShort", 2, "missing; the row ends after {n1:field|fields}, the header row names {n2:column|columns}",
     "manquante ; la ligne s'arrête après {n1:valeur|valeurs}, la première ligne nomme {n2:colonne|colonnes}"},
    {Id::CsvNoHeaderRow, "CsvNoHeaderRow", 0, "no header row; the first row names the columns, such as clue and answer1",
     "le fichier est vide ; sa première ligne doit nommer les colonnes, comme indice et réponse 1"},
    {Id::CsvUtf16Cut, "CsvUtf16Cut", 0,
     "UTF-16 cut in the middle of a character; save it again from the spreadsheet as \"CSV UTF-8\" (Excel) or as Text "
     "CSV with UTF-8 (LibreOffice Calc)",
     "le fichier est coupé au milieu d'un caractère ; enregistrez-le de nouveau depuis le tableur en « CSV UTF-8 » "
     "(Excel) ou en Texte CSV, UTF-8 (LibreOffice Calc)"},
    {Id::CsvUtf16Broken, "CsvUtf16Broken", 0,
     "UTF-16 with a broken character; save it again from the spreadsheet as \"CSV UTF-8\" (Excel) or as Text CSV "
     "with UTF-8 (LibreOffice Calc)",
     "un caractère du fichier est abîmé ; enregistrez-le de nouveau depuis le tableur en « CSV UTF-8 » (Excel) ou "
     "en Texte CSV, UTF-8 (LibreOffice Calc)"},
    {Id::CsvZeroBytes, "CsvZeroBytes", 0,
     "holds zero bytes, as UTF-16 without its byte order mark does; save it again from the spreadsheet as \"CSV "
     "UTF-8\" (Excel) or as Text CSV with UTF-8 (LibreOffice Calc)",
     "l'encodage du fichier n'est pas reconnu ; enregistrez-le de nouveau depuis le tableur en « CSV UTF-8 » (Excel) "
     "ou en Texte CSV, UTF-8 (LibreOffice Calc)"},
    {Id::CsvUnknownEncoding, "CsvUnknownEncoding", 2,
     "neither UTF-8 nor Windows-1252 (byte {1} on line {2}, which Windows-1252 leaves unassigned); save it again from "
     "the spreadsheet as \"CSV UTF-8\" (Excel) or as Text CSV with UTF-8 (LibreOffice Calc)",
     "ligne {2} : l'encodage du fichier n'est pas reconnu ; enregistrez-le de nouveau depuis le tableur en « CSV "
     "UTF-8 » (Excel) ou en Texte CSV, UTF-8 (LibreOffice Calc)"},

    {Id::FileTooLarge, "FileTooLarge", 5, "{1} bytes ({2} MiB), at most {3} bytes ({4} MiB) {5}",
     "le fichier fait {d2} Mo, au plus {d4} Mo ; choisissez un fichier plus petit"},
    {Id::FileRespelled, "FileRespelled", 2, "{q1} is not found as written; using {q2}, whose name differs in letter case only (as Windows would)",
     "{q1} n'existe pas, mais {q2} oui (seules les majuscules diffèrent) ; c'est lui qui est pris, corrigez le nom"},
    {Id::FileProblem, "FileProblem", 1, "{1}", "le fichier ne peut pas être lu ; vérifiez qu'il n'est pas ouvert dans un autre logiciel"},
    {Id::FileNotFound, "FileNotFound", 0, "not found",
     "le fichier est introuvable ; vérifiez son nom et son dossier, ou choisissez-le de nouveau"},
    {Id::MediaFileProblem, "MediaFileProblem", 1, "{q1}: {m}", "{q1} : {m}"},
    {Id::MediaEmpty, "MediaEmpty", 0, "the file is empty", "le fichier est vide ; choisissez-en un autre"},
    {Id::MediaChanged, "MediaChanged", 0, "changed while it was read; run quizbuild again",
     "le fichier a changé pendant sa lecture ; recommencez"},
    {Id::MediaPictureTooLarge, "MediaPictureTooLarge", 4,
     "{w1} of {2} x {3} pixels, at most {4} a side (the board shows 260 x 260); open it in Paint or another "
     "image editor, resize it to at most {4} pixels a side and save it again",
     "l'image mesure {2} x {3} pixels, au plus {4} de côté ; réduisez-la avec Paint ou un autre logiciel "
     "d'images et enregistrez-la de nouveau"},
    {Id::MediaPng, "MediaPng", 0,
     "a PNG picture, which the Windows picture decoder is not known to read; open it in Paint or another image "
     "editor and save it as JPEG",
     "c'est une image PNG, que le quiz ne sait pas montrer ; ouvrez-la avec Paint ou un autre logiciel d'images "
     "et enregistrez-la en JPEG"},
    {Id::MediaUnknownFormat, "MediaUnknownFormat", 2, "not a known format (first bytes {1}); {w2}", "ce fichier n'est pas d'un format connu ; {w2}"},
    {Id::MediaWrongFormat, "MediaWrongFormat", 2, "{w1}; {w2}", "ce fichier est {w1} ; {w2}"},
    {Id::MediaTotalTooLarge, "MediaTotalTooLarge", 5,
     "{1} bytes ({2} MiB) in all, at most {3} bytes ({4} MiB) for all media together, {5}; use fewer or smaller files",
     "les médias font {d2} Mo en tout, au plus {d4} Mo ; utilisez des fichiers moins nombreux ou plus petits"},
    {Id::MediaMissingResource, "MediaMissingResource", 1, "missing (no resource \"IMG\" {1})", "le média manque dans le quiz (ressource {1})"},

    {Id::StoredTextUnreadable, "StoredTextUnreadable", 1, "{1}", "un texte du quiz est abîmé"},
    {Id::PayloadMissing, "PayloadMissing", 0, "missing (no resource \"PATCH\" 104); is it a built quiz?",
     "ce programme ne contient pas de quiz ; choisissez un quiz construit"},
    {Id::PayloadDamaged, "PayloadDamaged", 0, "damaged; the player would not load it", "le quiz est abîmé ; le lecteur ne pourrait pas l'ouvrir"},
    {Id::PayloadDamagedFields, "PayloadDamagedFields", 0, "damaged: its fields end early, or its kind, counts or texts break the record's limits",
     "le quiz est abîmé ; ses champs sont incomplets ou hors limites"},
    {Id::PayloadRevealKind, "PayloadRevealKind", 1, "reveal kind {1}, expected 0 to 2", "le quiz est abîmé ; sa révélation ({1}) est inconnue"},
    {Id::CodesPayloadDamaged, "CodesPayloadDamaged", 0, "damaged: fewer lines than entries, or a code over 259 bytes",
     "les codes du quiz sont abîmés ; moins de lignes que d'entrées, ou un code de plus de 259 caractères"},
    {Id::StoredLinkBad, "StoredLinkBad", 0, "resource \"PATCH\" 106 is no web or mail address of at most 259 bytes; the program is damaged",
     "le lien enregistré dans le quiz est abîmé"},
    {Id::MediaResourceEmpty, "MediaResourceEmpty", 1, "resource \"IMG\" {1} is empty or cannot be read; the program is damaged",
     "un média du quiz est vide ou abîmé (ressource {1})"},
    {Id::ClipMissing, "ClipMissing", 0,
     "missing; browsers do not play the player's AVI clips, so the page needs an MP4 or WebM clip for every entry, "
     "named by \"webClip\" in the quiz description",
     "manquant ; les navigateurs ne jouent pas les clips AVI, la page demande un clip MP4 ou WebM pour chaque entrée "
     "(Clip web)"},
    {Id::PictureNotFitted, "PictureNotFitted", 2, "{q1}: cannot be fitted, {2}; stored as it is",
     "{q1} : l'image n'a pas pu être réduite (elle est abîmée ou d'un genre inconnu) ; elle est gardée telle quelle"},
    {Id::ResourceMissing, "ResourceMissing", 1, "missing (no resource {1}); is it a built quiz?",
     "ce programme ne contient pas de quiz (ressource {1} absente) ; choisissez un quiz construit"},
    {Id::ResourceUnpackable, "ResourceUnpackable", 1, "cannot be unpacked, {1}", "le quiz est abîmé et ne peut pas être ouvert"},
    {Id::ResourceNotPacked, "ResourceNotPacked", 1, "cannot be packed, {1}", "le quiz ne peut pas être compressé"},
    {Id::ResourcePacksTooLarge, "ResourcePacksTooLarge", 2, "packs to {1} bytes, at most {2} (the player unpacks no more); shorten the texts",
     "le quiz est trop long une fois compressé ({1}, au plus {2}) ; raccourcissez les textes"},
    {Id::ResourceTooLarge, "ResourceTooLarge", 2, "{1} bytes before packing, at most {2}; shorten the texts or use fewer entries",
     "le quiz est trop long ({1} caractères, au plus {2}) ; raccourcissez les textes ou retirez des entrées"},
    {Id::PlayerNotFound, "PlayerNotFound", 1, "{1}; name the player with --player PLAYER.exe",
     "le lecteur de quiz est introuvable ({1}) ; indiquez-le avec --player LECTEUR.exe"},
    {Id::PlayerProblem, "PlayerProblem", 2, "{1}: {2}", "{1} : ce n'est pas un lecteur de quiz qui convient ; indiquez avec --player celui livré avec quizbuild"},
    {Id::OutputConflict, "OutputConflict", 1, "{1}", "{1}"},
    {Id::ProgramProblem, "ProgramProblem", 1, "{1}", "le programme ne peut pas être lu : ce n'est pas un quiz fait par quizbuild, ou il est abîmé"},

    {Id::FitToBuild, "FitToBuild", 1, "fit to build, {1}", "prêt à construire : {1}"},
    {Id::Summary, "Summary", 2, "{n1:entry|entries}, {n2:media item|media items}", "{n1:entrée|entrées}, {n2:média|médias}"},
    {Id::SummaryWithFile, "SummaryWithFile", 4, "{n1:entry|entries}, {n2:media item|media items}, {3} read as {4}",
     "{n1:entrée|entrées}, {n2:média|médias}, {3} lu en {4}"},
    {Id::PicturesFitted, "PicturesFitted", 5, "{n1:picture fitted|pictures fitted}: {2} {3} -> {4} {5}",
     "{n1:image réduite|images réduites} : {d2} {w3} → {d4} {w5}"},
    {Id::WarningMark, "WarningMark", 1, "warning: {1}", "attention : {1}"},
    {Id::StrictTail, "StrictTail", 1, "{1} (an error with --strict)", "{1} (une erreur avec --strict)"},
};

static_assert(std::size(entries) == std::size_t(MessageId::Count), "one catalogue entry per message");

constexpr CatalogueWord words[] = {
    {"null", "une valeur vide (null)"},
    {"a boolean", "une valeur vrai/faux"},
    {"a string", "un texte"},
    {"an array", "une liste"},
    {"an object", "un objet"},
    {"a number", "un nombre"},
    {"an empty string", "un texte vide"},
    {"an answer", "une réponse"},
    {"a text", "un texte"},
    {"none", "rien"},
    {"picture", "une image"},
    {"text", "un texte"},
    {"sound", "sons"},
    {"video", "vidéos"},
    {"every entry has an answer", "chaque entrée a une réponse"},
    {"a text quiz shows the clue of every entry", "un quiz de textes montre l'indice de chaque entrée"},
    {"answersPerEntry is 2", "le quiz demande 2 réponses par entrée"},
    {"this quiz kind needs a media file for every entry", "ce type de quiz demande un média pour chaque entrée"},
    {"reveal \"picture\" needs one for every entry", "le quiz révèle une image pour chaque entrée"},
    {"a BMP picture", "une image BMP"},
    {"a JPEG picture", "une image JPEG"},
    {"a GIF picture", "une image GIF"},
    {"a PNG picture", "une image PNG"},
    {"an MP3 sound", "un son MP3"},
    {"an AVI clip", "un clip AVI"},
    {"an MP4 clip", "un clip MP4"},
    {"a WebM clip", "un clip WebM"},
    {"MiB", "Mo"},
    {"KiB", "Ko"},
    {"of no known format", "d'un format inconnu"},
    {"expected a BMP, JPEG or GIF picture", "choisissez une image BMP, JPEG ou GIF"},
    {"a sound quiz needs an MP3 file (\"ID3\" tag or MPEG audio frame)", "un quiz de sons demande un fichier MP3"},
    {"a video quiz needs an AVI file (\"RIFF\" ... \"AVI \")", "un quiz de vidéos demande un fichier AVI"},
    {"a web clip must be MP4 (\"ftyp\") or WebM, which browsers play",
     "un clip web doit être en MP4 ou WebM, que les navigateurs savent jouer"},
};

// Field names as the studio's form shows them.
struct FieldName {
    const char* key;
    const char* french;        // the field as a whole
    const char* frenchItem;    // one item of it, numbered from 1; null when it has no items
};

constexpr FieldName fieldNames[] = {
    {"title", "Titre", nullptr},
    {"author", "Auteur", nullptr},
    {"description", "Description", nullptr},
    {"link", "Lien", nullptr},
    {"codes", "Codes", "Code"},
    {"boardColour", "Couleur du tableau", nullptr},
    {"kind", "Type de quiz", nullptr},
    {"reveal", "Révélation", nullptr},
    {"answersPerEntry", "Réponses par entrée", nullptr},
    {"answerLabels", "Noms des réponses", "Nom de la réponse"},
    {"entries", "Entrées", "Entrée"},
    {"clue", "Indice", nullptr},
    {"answers", "Réponses", "Réponse"},
    {"media", "Média", nullptr},
    {"revealPicture", "Image révélée", nullptr},
    {"revealText", "Texte révélé", nullptr},
    {"webClip", "Clip web", nullptr},
    {"quiz payload", "Données du quiz", nullptr},
    {"codes payload", "Codes du quiz", nullptr},
};

const char* wordIn(const std::string& english, Language language)
{
    if (language == Language::English)
        return english.c_str();
    for (const CatalogueWord& word : words)
        if (english == word.english)
            return word.french;
    return english.c_str();
}

std::vector<std::string> listItems(const std::string& value)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    // Bounded by the value's length.
    while (start <= value.size() && !value.empty()) {
        std::size_t end = value.find('\n', start);
        items.push_back(value.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return items;
}

std::string quoted(const std::string& text, Language language)
{
    std::string shown = escapedControls(text);
    return language == Language::English ? "\"" + shown + "\"" : "« " + shown + " »";
}

std::string listed(const std::string& value, bool orAtEnd, Language language)
{
    std::vector<std::string> items = listItems(value);
    std::string list;
    for (std::size_t at = 0; at < items.size(); ++at) {
        if (at)
            list += at + 1 == items.size() && orAtEnd ? (language == Language::English ? " or " : " ou ") : ", ";
        list += quoted(items[at], language);
    }
    return list;
}

// "{n1:entry|entries}": the count, then the noun its number takes. French
// takes the singular for 0 and 1.
std::string counted(const std::string& count, std::string_view nouns, Language language)
{
    std::size_t bar = nouns.find('|');
    bool one = count == "1" || (language == Language::French && count == "0");
    return count + " " + std::string(one ? nouns.substr(0, bar) : nouns.substr(bar + 1));
}

// "1", "q1", "n1:entry|entries", "m": a placeholder's inside; "{ }" in a text is no placeholder.
bool placeholderInside(std::string_view inside)
{
    if (inside == "m")
        return true;
    std::size_t digit = !inside.empty() && std::strchr("qwlond", inside[0]) ? 1 : 0;
    return inside.size() > digit && inside[digit] >= '1' && inside[digit] <= '9'
           && inside.find('{') == std::string_view::npos;
}

// "572.2" in English, "572,2" in French.
std::string decimal(std::string value, Language language)
{
    if (language == Language::French)
        for (char& c : value)
            c = c == '.' ? ',' : c;
    return value;
}

std::string placeholder(std::string_view inside, const Message& message, Language language)
{
    if (inside == "m")
        return message.inner.empty() ? "" : renderMessage(message.inner.front(), language);
    const std::vector<std::string>& values = message.values;
    char kind = inside.empty() || (inside[0] >= '0' && inside[0] <= '9') ? '\0' : inside[0];
    std::string_view rest = kind ? inside.substr(1) : inside;
    std::size_t colon = rest.find(':');
    std::size_t number = std::strtoul(std::string(rest.substr(0, colon)).c_str(), nullptr, 10);
    if (number == 0 || number > values.size())
        return "{" + std::string(inside) + "}";
    const std::string& value = values[number - 1];
    switch (kind) {
    case 'q': return quoted(value, language);
    case 'w': return wordIn(value, language);
    case 'l': return listed(value, false, language);
    case 'o': return listed(value, true, language);
    case 'd': return decimal(value, language);
    case 'n': return counted(value, colon == std::string_view::npos ? "|" : rest.substr(colon + 1), language);
    default: return value;
    }
}

const CatalogueEntry* entryOf(MessageId id)
{
    for (const CatalogueEntry& entry : entries)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

}  // namespace

std::span<const CatalogueEntry> messageCatalogue()
{
    return entries;
}

std::span<const CatalogueWord> catalogueWords()
{
    return words;
}

const char* messageName(MessageId id)
{
    const CatalogueEntry* entry = entryOf(id);
    return entry ? entry->name : "";
}

std::string renderMessage(const Message& message, Language language)
{
    const CatalogueEntry* found = entryOf(message.id);
    if (!found)
        return "";
    const CatalogueEntry& entry = *found;
    std::string_view text = language == Language::English ? entry.english : entry.french;
    std::string out;
    // Bounded by the text's length: each step moves past one placeholder or byte.
    for (std::size_t at = 0; at < text.size();) {
        std::size_t close = text[at] == '{' ? text.find('}', at) : std::string_view::npos;
        bool isPlaceholder = close != std::string_view::npos && placeholderInside(text.substr(at + 1, close - at - 1));
        if (!isPlaceholder) {
            out += text[at++];
            continue;
        }
        out += placeholder(text.substr(at + 1, close - at - 1), message, language);
        at = close + 1;
    }
    return out;
}

std::vector<std::size_t> placeholdersOf(const char* text)
{
    std::vector<std::size_t> numbers;
    std::string_view view(text);
    for (std::size_t at = view.find('{'); at != std::string_view::npos; at = view.find('{', at + 1)) {
        std::size_t close = view.find('}', at);
        if (close == std::string_view::npos)
            break;
        std::string_view inside = view.substr(at + 1, close - at - 1);
        if (!placeholderInside(inside) || inside == "m")
            continue;
        std::size_t digits = inside[0] >= '0' && inside[0] <= '9' ? 0 : 1;
        numbers.push_back(std::strtoul(std::string(inside.substr(digits)).c_str(), nullptr, 10));
    }
    return numbers;
}

std::string listValue(std::span<const char* const> names)
{
    std::string value;
    for (std::size_t at = 0; at < names.size(); ++at)
        value += (at ? "\n" : "") + std::string(names[at]);
    return value;
}

std::string frenchFieldName(const std::string& field)
{
    std::string out;
    std::size_t start = 0;
    // Part by part ("answers[1]", "a, b[2]"); bounded by the field's length.
    while (start < field.size()) {
        std::size_t end = field.find(", ", start);
        std::string part = field.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::size_t bracket = part.find('[');
        std::string key = part.substr(0, bracket);
        std::string named = part;
        for (const FieldName& name : fieldNames) {
            if (key != name.key)
                continue;
            if (bracket == std::string::npos)
                named = name.french;
            else if (name.frenchItem && part.back() == ']')
                named = std::string(name.frenchItem) + " "
                        + std::to_string(std::strtoul(part.c_str() + bracket + 1, nullptr, 10) + 1);
        }
        out += (out.empty() ? "" : ", ") + named;
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return out;
}

std::string escapedControls(const std::string& text)
{
    std::string shown;
    // Bounded by the text's length: every step moves on by one or two bytes.
    for (std::size_t at = 0; at < text.size(); ++at) {
        auto byte = static_cast<unsigned char>(text[at]);
        // C1 controls (U+0080 to U+009F) are two bytes in UTF-8: 0xC2 0x80 to 0xC2 0x9F.
        bool c1 = byte == 0xC2 && at + 1 < text.size() && (static_cast<unsigned char>(text[at + 1]) & 0xE0) == 0x80;
        char escape[8] = {text[at], '\0'};
        if (byte == '\t' || byte == '\n' || byte == '\r')
            std::snprintf(escape, sizeof escape, "\\%c", byte == '\t' ? 't' : byte == '\n' ? 'n' : 'r');
        else if (byte < 0x20 || byte == 0x7F)
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
        else if (c1)
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(text[++at]));
        shown += escape;
    }
    return shown;
}
