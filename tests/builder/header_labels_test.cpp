#include "tools/builder/input/header_labels.h"
#include "tools/builder/input/quiz_description.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the labels show is checked against Windows itself by the Wine test
// header-labels-test; here, what the builder says of it and texts no
// author would write.
TEST(HeaderLabels, TextsTooWideWarnAtTheirField)
{
    Diagnostics diagnostics{"q.json", {}, {}};
    readQuizDescription(R"({"kind": "text", "title": "Conjugaison : le passé composé et l'imparfait",
        "author": "Ana", "link": "https://www.college-exemple.fr", "answersPerEntry": 1,
        "codes": ["ESCARGOT", "ESCARGOTS"], "entries": [{"clue": "a", "answers": ["b"]}, {"clue": "c", "answers": ["d"]}]})",
                        diagnostics, nullptr);
    EXPECT_EQ(errorLines(diagnostics), std::vector<std::string>{});
    EXPECT_EQ(warningLines(diagnostics),
              (std::vector<std::string>{
                  "q.json: title: warning: \"Conjugaison : le passé composé et l'imparfait\" shows cut in the "
                  "player's header: 33 of 45 characters visible; shorten it",
                  "q.json: link: warning: \"https://www.college-exemple.fr\" shows cut in the player's header: 17 of "
                  "30 characters visible; shorten it",
                  "q.json: codes[1]: warning: \"ESCARGOTS\" shows cut in the player's header: 8 of 9 characters "
                  "visible; shorten it"}));
}

TEST(HeaderLabels, AnyTextIsMeasuredWithinItself)
{
    const std::string texts[] = {"", " ", std::string(259, ' '), std::string(259, 'W'), std::string(259, '\xFF'),
                                 std::string(3, '\x01'), "a" + std::string(200, ' ') + "b"};
    for (HeaderLabel label : {HeaderLabel::Code, HeaderLabel::Title, HeaderLabel::Description, HeaderLabel::Author,
                              HeaderLabel::Link})
        for (const std::string& text : texts)
            EXPECT_LE(shownInHeader(label, text), text.size());
    EXPECT_EQ(shownInHeader(HeaderLabel::Title, ""), 0u);
    EXPECT_LT(shownInHeader(HeaderLabel::Code, std::string(259, 'W')), 10u);
}

}  // namespace
