#include "tools/builder/input/answer_warnings.h"
#include "tools/builder/input/quiz_description.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string neverBravo = "typed answers lose their spaces at both ends, so it can never be \"BRAVO\"";

TEST(AnswerWarnings, OneStoredAnswer)
{
    struct Row {
        std::string answer;  // Windows-1252
        Lines warnings;
    };
    const Row rows[] = {
        {"paris", {}},
        {"Paris", {}},  // A to Z fold like a to z
        {"\xE9t\xE9", {}},  // small accented letters are typed as stored
        {"5 \xD7 3", {}},   // the multiplication sign is no letter
        {"stra\xDF" "e", {}},
        {" Paris", {"q.json: e: warning: \" Paris\" starts with a space; " + neverBravo}},
        {"Paris  ", {"q.json: e: warning: \"Paris  \" ends with a space; " + neverBravo}},
        {" ", {"q.json: e: warning: \" \" starts with a space; " + neverBravo,
               "q.json: e: warning: \" \" ends with a space; " + neverBravo}},
        {"", {"q.json: e: warning: empty; no typed answer is ever judged \"BRAVO\" against it"}},
        {"\xC9t\xE9",
         {"q.json: e: warning: \"Été\" holds \"É\", a capital outside A to Z; case is matched only for a to z, "
          "so players must type it exactly as stored"}},
        {"\xC0 \xC9" "COLE \xC0 \x8C" "UVRE",
         {"q.json: e: warning: \"À ÉCOLE À ŒUVRE\" holds \"ÀÉŒ\", capitals outside A to Z; case is matched "
          "only for a to z, so players must type them exactly as stored"}},
        {"\x8A\x8E\x9F\xDE\xD8", {"q.json: e: warning: \"ŠŽŸÞØ\" holds \"ŠŽŸÞØ\", capitals outside A to Z; case "
                                  "is matched only for a to z, so players must type them exactly as stored"}},
        {"\xC9t\xE9 ",
         {"q.json: e: warning: \"Été \" ends with a space; " + neverBravo,
          "q.json: e: warning: \"Été \" holds \"É\", a capital outside A to Z; case is matched only for a to z, "
          "so players must type it exactly as stored"}},
    };
    for (const Row& row : rows) {
        Diagnostics diagnostics{"q.json", {}, {}};
        warnAboutAnswer(row.answer, "e", diagnostics);
        EXPECT_EQ(warningLines(diagnostics), row.warnings) << row.answer;
        EXPECT_EQ(errorLines(diagnostics), Lines{});
    }
}

TEST(AnswerWarnings, NamedByEntryAndAnswerInADescription)
{
    Diagnostics diagnostics{"quiz.json", {}, {}};
    readQuizDescription(R"({"kind": "text", "title": "T", "answersPerEntry": 2, "entries": [
        {"clue": "c", "answers": ["ok", "fine"]},
        {"clue": "c", "answers": ["ok", "Été"]},
        {"clue": "c", "answers": [" x", "a|b"]}]})",
                        diagnostics);
    EXPECT_EQ(warningLines(diagnostics),
              (Lines{"quiz.json: entry 2, answers[1]: warning: \"Été\" holds \"É\", a capital outside A to Z; case "
                     "is matched only for a to z, so players must type it exactly as stored",
                     "quiz.json: entry 3, answers[0]: warning: \" x\" starts with a space; " + neverBravo}));
    // An answer that is already refused gets no warning on top.
    EXPECT_EQ(errorLines(diagnostics),
              Lines{"quiz.json: entry 3, answers[1]: holds \"|\", which separates the stored fields"});
}

TEST(AnswerWarnings, StrictTurnsThemIntoErrors)
{
    Diagnostics diagnostics{"quiz.json", {}, {}};
    reportWarning(diagnostics, entryField(0, "answers[0]"), MessageId::AnswerLeadingSpace, {" a"});
    const std::string spaced = "\" a\" starts with a space; " + neverBravo;
    EXPECT_FALSE(failed(diagnostics, false));
    EXPECT_TRUE(failed(diagnostics, true));
    EXPECT_EQ(problemLines(diagnostics, false), Lines{"quiz.json: entry 1, answers[0]: warning: " + spaced});
    EXPECT_EQ(problemLines(diagnostics, true),
              Lines{"quiz.json: entry 1, answers[0]: " + spaced + " (an error with --strict)"});
    EXPECT_EQ(problemLines(diagnostics, true, Language::French),
              Lines{"quiz.json : Entrée 1, réponse 1 : «  a » commence par une espace ; les espaces tapées au début "
                    "et à la fin sont retirées, la réponse ne serait jamais « BRAVO » ; retirez cette espace (une "
                    "erreur avec --strict)"});

    reportError(diagnostics, "title", MessageId::TitleMissing);
    EXPECT_TRUE(failed(diagnostics, false));
    EXPECT_EQ(problemLines(diagnostics, false),
              (Lines{"quiz.json: title: missing; expected the quiz's title",
                     "quiz.json: entry 1, answers[0]: warning: " + spaced}));
}

}  // namespace
