#include "datagen/build/GermanNouns.h"

#include <algorithm>

namespace pv {

namespace {

bool EndsWith(const std::string& text, const char* end) {
    const std::string_view e(end);
    return text.size() > e.size() && text.compare(text.size() - e.size(), e.size(), e) == 0;
}

}  // namespace

void AddGermanNounCases(Lexicon& lexicon, const AttributeInventory& inventory, BuildReport& report) {
    const int32_t german = LanguageNumber("de"), noun = inventory.ValueId("noun");
    const int32_t singular = inventory.ValueId("singular"), plural = inventory.ValueId("plural");
    const int32_t feminine = inventory.ValueId("feminine");
    const int32_t nominative = inventory.ValueId("nominative"), accusative = inventory.ValueId("accusative"),
                  genitive = inventory.ValueId("genitive"), dative = inventory.ValueId("dative");
    const int32_t genderAttribute = inventory.AttributeOf(feminine), caseAttribute = inventory.AttributeOf(dative);
    const int32_t diminutive = inventory.ValueId("diminutive");
    for (auto& [key, lemma] : lexicon.OfLanguage(german)) {
        if (key.partOfSpeech != noun) continue;
        const std::string& text = key.text;
        int32_t gender = 0;
        bool hasCases = false, singularBase = false;
        std::set<std::string> texts, plurals;
        for (const WordForm& form : lemma.forms) {
            // A diminutive ("Kindchen") has its own gender and cases.
            if (std::count(form.values.begin(), form.values.end(), diminutive)) continue;
            texts.insert(form.text);
            singularBase = singularBase || (form.text == text && !std::count(form.values.begin(), form.values.end(), plural));
            for (int32_t v : form.values) {
                if (inventory.AttributeOf(v) == genderAttribute && gender == 0) gender = v;
                hasCases = hasCases || inventory.AttributeOf(v) == caseAttribute;
                if (v == plural) plurals.insert(form.text);
            }
        }
        if (hasCases) continue;
        const bool isFeminine = gender == feminine;
        if (!isFeminine && (EndsWith(text, "er") || EndsWith(text, "el")) && plurals.count(text + "n"))
            plurals.insert(text);
        std::vector<std::string> genitives;
        for (const char* ending : {"es", "s"})
            if (!isFeminine && texts.count(text + ending)) genitives.push_back(text + ending);

        std::set<WordForm> forms;
        std::set<std::string> given;
        auto add = [&](const std::string& form, int32_t number, std::initializer_list<int32_t> cases) {
            given.insert(form);
            for (int32_t c : cases) {
                WordArray values{number, c};
                if (gender != 0) values.push_back(gender);
                std::sort(values.begin(), values.end());
                forms.insert(WordForm{form, std::move(values)});
            }
        };
        if (singularBase && genitives.empty())
            add(text, singular, {nominative, accusative, dative, genitive});
        else if (singularBase)
            add(text, singular, {nominative, accusative, dative});
        for (const std::string& form : genitives) add(form, singular, {genitive});
        // A plural P beside P + "n" is the nominative of that dative.
        std::set<std::string> datives;
        for (const std::string& p : plurals)
            if (!EndsWith(p, "n") && !EndsWith(p, "s")) datives.insert(p + "n");
        for (const std::string& p : plurals) {
            if (datives.count(p)) continue;
            if (EndsWith(p, "n") || EndsWith(p, "s")) {
                add(p, plural, {nominative, accusative, genitive, dative});
            } else {
                add(p, plural, {nominative, accusative, genitive});
                add(p + "n", plural, {dative});
            }
        }
        for (const WordForm& form : lemma.forms)
            if (!given.count(form.text)) forms.insert(form);
        lemma.forms = std::move(forms);
        report.Read("de", "nouns given their cases");
    }
}

}  // namespace pv
