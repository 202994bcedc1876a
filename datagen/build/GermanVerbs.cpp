#include "datagen/build/GermanVerbs.h"

#include <algorithm>
#include <array>
#include <set>

namespace pv {

namespace {

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool EndsWithAny(const std::string& text, std::initializer_list<std::string_view> ends) {
    return std::any_of(ends.begin(), ends.end(), [&](std::string_view e) { return EndsWith(text, e); });
}

// "arbeit-est", "atm-et", "rechn-et", but "wohn-st", "lern-t", "kämm-t".
bool NeedsLinkingE(const std::string& stem) {
    if (EndsWithAny(stem, {"d", "t"})) return true;
    if (stem.size() < 3 || !EndsWithAny(stem, {"m", "n"})) return false;
    const char before = stem[stem.size() - 2];
    if (before == 'h') return stem[stem.size() - 3] == 'c';
    return std::string_view("bcdfgkpstvwxz").find(before) != std::string_view::npos;
}

// The adjective endings of the declension without article: ending, gender
// (none in the plural), number, case.
struct DeclinedSlot {
    const char* ending;
    const char* gender;
    const char* number;
    const char* grammaticalCase;
};
constexpr DeclinedSlot kDeclension[] = {
    {"er", "masculine", "singular", "nominative"}, {"en", "masculine", "singular", "accusative"},
    {"em", "masculine", "singular", "dative"},     {"en", "masculine", "singular", "genitive"},
    {"e", "feminine", "singular", "nominative"},   {"e", "feminine", "singular", "accusative"},
    {"er", "feminine", "singular", "dative"},      {"er", "feminine", "singular", "genitive"},
    {"es", "neuter", "singular", "nominative"},    {"es", "neuter", "singular", "accusative"},
    {"em", "neuter", "singular", "dative"},        {"en", "neuter", "singular", "genitive"},
    {"e", nullptr, "plural", "nominative"},        {"e", nullptr, "plural", "accusative"},
    {"en", nullptr, "plural", "dative"},           {"er", nullptr, "plural", "genitive"},
};

class VerbParadigm {
public:
    VerbParadigm(const AttributeInventory& inventory, Lemma& lemma) : inventory_(inventory), lemma_(lemma) {}

    int32_t Value(const char* name) const { return inventory_.ValueId(name); }

    WordArray Values(std::initializer_list<const char*> names) const {
        WordArray values;
        for (const char* name : names) values.push_back(Value(name));
        std::sort(values.begin(), values.end());
        return values;
    }

    // The first form of exactly these values, or "".
    std::string Find(const WordArray& values) const {
        for (const WordForm& form : lemma_.forms)
            if (form.values == values) return form.text;
        return {};
    }

    // Adds the form unless the slot has one.
    void Fill(const std::string& text, WordArray values) {
        if (text.empty() || !Find(values).empty()) return;
        lemma_.forms.insert(WordForm{text, std::move(values)});
        ++added_;
    }

    // A tense of six persons: {tense, mood} with the 1st to 3rd singular
    // and plural.
    void FillPersons(const char* tense, const char* mood, const std::array<std::string, 6>& forms) {
        static constexpr std::array<std::pair<const char*, const char*>, 6> kPersons{{
            {"first-person", "singular"}, {"second-person", "singular"}, {"third-person", "singular"},
            {"first-person", "plural"},   {"second-person", "plural"},   {"third-person", "plural"},
        }};
        for (std::size_t i = 0; i < forms.size(); ++i)
            Fill(forms[i], Values({tense, mood, kPersons[i].first, kPersons[i].second}));
    }

    std::string Person(const char* tense, const char* mood, const char* person, const char* number) const {
        return Find(Values({tense, mood, person, number}));
    }

    // Relabels the declined forms of a participle: forms with no values, or
    // with exactly the participle's own value, that are its text + an
    // adjective ending.
    void DeclineParticiple(const char* participle) {
        const WordArray own = Values({participle});
        const std::string base = Find(own);
        if (base.empty()) return;
        std::vector<WordForm> declined;
        for (auto it = lemma_.forms.begin(); it != lemma_.forms.end();) {
            const std::string& text = it->text;
            const bool plain = it->values.empty() || it->values == own;
            const bool ending = text.size() > base.size() && text.compare(0, base.size(), base) == 0 &&
                                std::any_of(std::begin(kDeclension), std::end(kDeclension), [&](const DeclinedSlot& s) {
                                    return text.compare(base.size(), std::string::npos, s.ending) == 0;
                                });
            if (!plain || !ending) {
                ++it;
                continue;
            }
            for (const DeclinedSlot& slot : kDeclension) {
                if (text.compare(base.size(), std::string::npos, slot.ending) != 0) continue;
                WordArray values = slot.gender ? Values({participle, slot.gender, slot.number, slot.grammaticalCase})
                                               : Values({participle, slot.number, slot.grammaticalCase});
                declined.push_back(WordForm{text, std::move(values)});
            }
            it = lemma_.forms.erase(it);
        }
        lemma_.forms.insert(declined.begin(), declined.end());
    }

    // Drops the forms of no values whose text a labelled form has.
    void DropUnlabelledDuplicates() {
        std::set<std::string> labelled;
        for (const WordForm& form : lemma_.forms)
            if (!form.values.empty()) labelled.insert(form.text);
        for (auto it = lemma_.forms.begin(); it != lemma_.forms.end();)
            it = it->values.empty() && labelled.count(it->text) ? lemma_.forms.erase(it) : std::next(it);
    }

    // Whether the sources give the verb a finite form or a participle.
    bool HasVerbForms() const {
        const std::set<int32_t> verbal{Value("first-person"), Value("second-person"), Value("third-person"),
                                       Value("past-participle"), Value("present-participle")};
        return std::any_of(lemma_.forms.begin(), lemma_.forms.end(), [&](const WordForm& form) {
            return std::any_of(form.values.begin(), form.values.end(), [&](int32_t v) { return verbal.count(v); });
        });
    }

    int64_t Added() const { return added_; }

private:
    const AttributeInventory& inventory_;
    Lemma& lemma_;
    int64_t added_ = 0;
};

// The present subjunctive or the past subjunctive on its 1st singular.
std::array<std::string, 6> Subjunctive(const std::string& first, const std::string& plural) {
    return {first, first + "st", first, plural, first + "t", plural};
}

std::array<std::string, 6> Past(const std::string& p) {
    const bool e = EndsWith(p, "e");
    const std::string second = e ? p + "st" : EndsWithAny(p, {"s", "ß", "z", "x", "d", "t"}) ? p + "est" : p + "st";
    const std::string plural = e ? p + "n" : p + "en";
    const std::string secondPlural = e ? p + "t" : EndsWithAny(p, {"d", "t"}) ? p + "et" : p + "t";
    return {p, second, p, plural, secondPlural, plural};
}

}  // namespace

void AddGermanVerbForms(Lexicon& lexicon, const AttributeInventory& inventory, BuildReport& report) {
    const int32_t german = LanguageNumber("de"), verb = inventory.ValueId("verb");
    for (auto& [key, lemma] : lexicon.OfLanguage(german)) {
        if (key.partOfSpeech != verb || key.text.size() < 4) continue;
        const std::string& text = key.text;
        VerbParadigm paradigm(inventory, lemma);
        if (!paradigm.HasVerbForms()) continue;
        paradigm.DeclineParticiple("past-participle");
        paradigm.DeclineParticiple("present-participle");
        const bool elEr = EndsWithAny(text, {"eln", "ern"});
        if (elEr || EndsWith(text, "en")) {
            const std::string stem = text.substr(0, text.size() - (elEr ? 1 : 2));
            const bool linking = !elEr && NeedsLinkingE(stem);
            const std::string subjunctive = EndsWith(text, "eln") ? stem.substr(0, stem.size() - 2) + "le" : stem + "e";
            const std::string given = paradigm.Person("present", "indicative", "third-person", "singular");
            // "wird" is no preterite-present's "kann".
            const std::string first = !given.empty() && !EndsWithAny(given, {"t", "d"}) ? given : subjunctive;
            const std::string sibilant = EndsWithAny(stem, {"s", "ß", "z", "x"}) ? "t" : "st";
            const std::string withT = stem + (linking ? "et" : "t");
            paradigm.FillPersons("present", "indicative",
                                 {first, stem + (linking ? "est" : sibilant), withT, text, withT, text});
            paradigm.FillPersons("present", "subjunctive", Subjunctive(subjunctive, text));
            paradigm.Fill(paradigm.Person("present", "indicative", "second-person", "plural"),
                          paradigm.Values({"imperative", "second-person", "plural"}));
        }
        std::string past = paradigm.Person("past", "indicative", "first-person", "singular");
        if (past.empty()) past = paradigm.Person("past", "indicative", "third-person", "singular");
        if (!past.empty()) {
            paradigm.FillPersons("past", "indicative", Past(past));
            std::string conditional = paradigm.Person("past", "subjunctive", "first-person", "singular");
            if (conditional.empty()) conditional = paradigm.Person("past", "subjunctive", "third-person", "singular");
            if (conditional.empty() && EndsWith(past, "te")) conditional = past;
            if (EndsWith(conditional, "e"))
                paradigm.FillPersons("past", "subjunctive", Subjunctive(conditional, conditional + "n"));
        }
        paradigm.DropUnlabelledDuplicates();
        report.Read("de", "verb forms made from the infinitive and the past", paradigm.Added());
    }
}

}  // namespace pv
