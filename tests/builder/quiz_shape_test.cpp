// The shape the studio draws its table, form and CSV columns from is the
// one the description's checks hold entries to: for every kind, answer
// count and reveal, each key the shape lists is taken and each it leaves
// out is refused, and what it needs is missed when left out.
#include "tests/builder/builder_fixtures.h"
#include "tools/builder/input/csv_column_names.h"
#include "tools/builder/input/quiz_shape.h"
#include "tools/builder/input/setting_check.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Json = nlohmann::json;

struct Settings {
    QuizKind kind;
    int32_t answers;
    RevealKind reveal;
    std::string context() const
    {
        return std::string(quizKindName(kind)) + "/" + std::to_string(answers) + "/" + revealKindName(reveal);
    }
};

std::vector<Settings> everySettings()
{
    std::vector<Settings> all;
    for (QuizKind kind : {QuizKind::Text, QuizKind::Picture, QuizKind::Sound, QuizKind::Video})
        for (int32_t answers : {1, 2})
            for (RevealKind reveal : {RevealKind::None, RevealKind::Picture, RevealKind::Text})
                all.push_back({kind, answers, reveal});
    return all;
}

QuizShape shapeOf(const Settings& settings)
{
    const std::string noLabels[2];
    return quizShapeOf(settings.kind, settings.answers, settings.reveal, noLabels);
}

// A value the checks take for the key.
Json valueFor(EntryKey key, int32_t answers, QuizKind kind)
{
    switch (key) {
    case EntryKey::Answers: return answers == 2 ? Json{"a", "b"} : Json{"a"};
    case EntryKey::Media: return kind == QuizKind::Sound ? "s.mp3" : kind == QuizKind::Video ? "v.avi" : "p.jpg";
    case EntryKey::RevealPicture: return "r.gif";
    case EntryKey::WebClip: return "w.webm";
    case EntryKey::Clue:
    case EntryKey::RevealText: break;
    }
    return "texte";
}

Lines errorsOf(const Settings& settings, const Json& entry)
{
    Json description = {{"kind", quizKindName(settings.kind)},
                        {"title", "T"},
                        {"answersPerEntry", settings.answers},
                        {"reveal", revealKindName(settings.reveal)},
                        {"entries", Json::array({entry})}};
    Diagnostics diagnostics{"quiz.json", {}, {}};
    readQuizDescription(description.dump(), diagnostics);
    return errorLines(diagnostics);
}

bool lists(const QuizShape& shape, EntryKey key)
{
    return std::find(shape.keys.begin(), shape.keys.end(), key) != shape.keys.end();
}

bool needs(const QuizShape& shape, EntryKey key)
{
    return std::any_of(shape.fields.begin(), shape.fields.end(),
                       [key](const ShapeField& field) { return field.key == key && field.use == KeyUse::Required; });
}

const EntryKey allKeys[] = {EntryKey::Clue,          EntryKey::Answers,    EntryKey::Media,
                            EntryKey::RevealPicture, EntryKey::RevealText, EntryKey::WebClip};

TEST(QuizShape, EveryListedKeyIsTakenAndEveryOtherRefused)
{
    for (const Settings& settings : everySettings()) {
        QuizShape shape = shapeOf(settings);
        Json full = Json::object();
        for (EntryKey key : shape.keys)
            full[entryKeyName(key)] = valueFor(key, settings.answers, settings.kind);
        EXPECT_EQ(errorsOf(settings, full), Lines{}) << settings.context();

        for (EntryKey key : allKeys) {
            std::string context = settings.context() + " " + entryKeyName(key);
            Json changed = full;
            if (lists(shape, key)) {
                changed.erase(entryKeyName(key));
                Lines errors = errorsOf(settings, changed);
                EXPECT_EQ(errors.size(), needs(shape, key) ? 1u : 0u) << context;
                continue;
            }
            changed[entryKeyName(key)] = valueFor(key, settings.answers, settings.kind);
            Lines errors = errorsOf(settings, changed);
            ASSERT_EQ(errors.size(), 1u) << context;
            EXPECT_EQ(errors[0].rfind(std::string("quiz.json: entry 1, ") + entryKeyName(key) + ": ", 0), 0u) << errors[0];
        }
    }
}

// The columns a CSV of the quiz needs are those of the fields it needs:
// a header of just those is taken, and one without any of them refused.
TEST(QuizShape, TheNeededColumnsAreThoseOfTheNeededFields)
{
    for (const Settings& settings : everySettings()) {
        QuizShape shape = shapeOf(settings);
        std::vector<std::string> needed;
        for (const ShapeField& field : shape.fields)
            if (field.use == KeyUse::Required && field.column)
                needed.push_back(csvColumnName(*field.column));
        auto errorsWith = [&](const std::vector<std::string>& header) {
            std::string csv, row;
            for (const std::string& name : header) {
                csv += (csv.empty() ? "" : ";") + name;
                Json value = valueFor(csvColumnNamed(name) == CsvColumn::Media ? EntryKey::Media
                                      : name == "revealPicture"                ? EntryKey::RevealPicture
                                                                               : EntryKey::Clue,
                                      settings.answers, settings.kind);
                row += (row.empty() ? "" : ";") + value.get<std::string>();
            }
            Json description = {{"kind", quizKindName(settings.kind)},     {"title", "T"},
                                {"answersPerEntry", settings.answers},     {"reveal", revealKindName(settings.reveal)},
                                {"entries", "e.csv"}};
            Diagnostics diagnostics{"quiz.json", {}, {}};
            readQuizDescription(description.dump(), diagnostics,
                                [&](const std::string&) { return FileRead{bytesOf(csv + "\n" + row + "\n"), ""}; });
            return errorLines(diagnostics);
        };
        EXPECT_EQ(errorsWith(needed), Lines{}) << settings.context();
        for (std::size_t left = 0; left < needed.size(); ++left) {
            std::vector<std::string> fewer = needed;
            fewer.erase(fewer.begin() + std::ptrdiff_t(left));
            EXPECT_EQ(errorsWith(fewer).size(), 1u) << settings.context() << " without " << needed[left];
        }
    }
}

TEST(QuizShape, FieldsAreHeadedInFrenchWithTheQuizsAnswerLabels)
{
    struct Row {
        Settings settings;
        std::string labels[2];
        std::vector<std::string> fields;  // "field=label"
    };
    const Row rows[] = {
        {{QuizKind::Text, 1, RevealKind::None}, {"Ville", "Pays"}, {"clue=Indice", "answers[0]=Réponse 1"}},
        {{QuizKind::Video, 2, RevealKind::Text},
         {"", ""},
         {"media=Média", "webClip=Clip web", "answers[0]=Réponse 1", "answers[1]=Réponse 2",
          "revealText=Texte révélé"}},
        {{QuizKind::Picture, 2, RevealKind::Picture},
         {"Ville", ""},
         {"media=Média", "answers[0]=Ville", "answers[1]=Réponse 2", "revealPicture=Image révélée"}},
        {{QuizKind::Sound, 1, RevealKind::Text}, {"", ""}, {"media=Média", "answers[0]=Réponse 1", "revealText=Texte révélé"}},
    };
    for (const Row& row : rows) {
        QuizShape shape = quizShapeOf(row.settings.kind, row.settings.answers, row.settings.reveal, row.labels);
        std::vector<std::string> fields;
        for (const ShapeField& field : shape.fields)
            fields.push_back(field.field + "=" + field.label);
        EXPECT_EQ(fields, row.fields) << row.settings.context();
    }
}

// The studio's colour swatch and link check ask these.
TEST(QuizShape, SettingsPassAsTheDescriptionsChecksTakeThem)
{
    struct Row {
        const char* key;
        Json value;
        bool passes;
    };
    const Row rows[] = {
        {"boardColour", "#C0DCC0", true},
        {"boardColour", "#c0dcc0", true},
        {"boardColour", "jaune", false},
        {"boardColour", "#C0DCC", false},
        {"boardColour", 12, false},
        {"link", "https://www.college.fr", true},
        {"link", "MAILTO:prof@college.fr", true},
        {"link", "", true},
        {"link", "www.college.fr", false},
        {"link", "https://" + std::string(252, 'x'), false},
        {"link", "https://x.fr/\xE2\x88\x91", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(settingPasses(row.key, row.value), row.passes) << row.key << " " << row.value.dump();
}

}  // namespace
