#include "datagen/build/ApertiumSource.h"

#include <algorithm>
#include <map>
#include <optional>

#include "datagen/build/AttTransducer.h"

namespace pv {

bool SplitAnalysis(std::string_view analysis, std::string& lemma, std::vector<std::string>& tags) {
    tags.clear();
    std::size_t open = analysis.find('<');
    if (open == std::string_view::npos || analysis.find_first_of("+#") != std::string_view::npos)
        return false;
    lemma.assign(analysis.substr(0, open));
    while (open < analysis.size()) {
        if (analysis[open] != '<') return false;
        std::size_t close = analysis.find('>', open);
        if (close == std::string_view::npos) return false;
        tags.emplace_back(analysis.substr(open + 1, close - open - 1));
        open = close + 1;
    }
    return true;
}

namespace {

// The tokenizer cuts a word at its apostrophes, so a form holding one is
// also read by its pieces: the letters before the first apostrophe ("qu'",
// "jusqu'à" give "qu", "jusqu"; "'s" gives "s") belong to the first word of
// the analysis, the letters after the last one ("don't" = do+not gives "t")
// to the last word of a joined analysis.
struct ApostrophePieces {
    std::string first, last;  // empty: no such piece
};

ApostrophePieces CutAtApostrophes(const std::string& surface) {
    std::size_t from = std::string::npos, after = 0, to = 0;  // first apostrophe, its end, end of the last
    for (std::string_view apostrophe : {"'", "\u2019", "\u02BC"})
        if (std::size_t at = surface.find(apostrophe); at != std::string::npos) {
            if (at < from) from = at, after = at + apostrophe.size();
            to = std::max(to, surface.rfind(apostrophe) + apostrophe.size());
        }
    if (from == std::string::npos) return {};
    ApostrophePieces pieces{surface.substr(0, from), surface.substr(to)};
    if (pieces.first.empty()) pieces.first = surface.substr(after), pieces.last.clear();
    return pieces;
}

// Signs that stand for an accent on the vowel before them where a keyboard
// has no accents ("e'" for "è", "piu´" for "più").
constexpr std::string_view kAccentSigns[] = {"'", "\u2019", "\u02BC", "\u2018", "\u00B4", "`"};

// A text that ends in a vowel and one of kAccentSigns: the letters before
// the sign, and the spellings of the accented vowel that, beside it, show
// that the sign stands for an accent.
struct AccentSpelling {
    std::string letters;
    std::vector<std::string> accented;
};

std::optional<AccentSpelling> ReadAccentSpelling(const std::string& text) {
    static const std::map<char, std::vector<std::string>> accents = {
        {'a', {"à", "á"}}, {'e', {"è", "é"}}, {'i', {"ì", "í"}}, {'o', {"ò", "ó"}}, {'u', {"ù", "ú"}},
        {'A', {"À", "Á"}}, {'E', {"È", "É"}}, {'I', {"Ì", "Í"}}, {'O', {"Ò", "Ó"}}, {'U', {"Ù", "Ú"}}};
    for (std::string_view sign : kAccentSigns) {
        if (text.size() <= sign.size() || !text.ends_with(sign)) continue;
        AccentSpelling spelling{text.substr(0, text.size() - sign.size()), {}};
        auto it = accents.find(spelling.letters.back());
        if (it == accents.end()) return std::nullopt;
        const std::string stem = spelling.letters.substr(0, spelling.letters.size() - 1);
        for (const std::string& vowel : it->second) spelling.accented.push_back(stem + vowel);
        // An analyser that lists the vowel with an accent sign after it
        // ("e´") beside its apostrophe spelling says the same.
        for (const char* accent : {"\u00B4", "`"})
            if (sign != accent) spelling.accented.push_back(spelling.letters + accent);
        return spelling;
    }
    return std::nullopt;
}

// A form that spells an accent with a sign after its vowel, where the word
// has the accented form too, is left out, and so is the piece before the
// sign that the tokenizer cuts off ("e" of "e'", which would make the
// conjunction "e" a form of "essere"): word analysis reads such typing
// through its spelling fixes, and generation must not choose it. A sign
// after a vowel with no accented form is an elision ("po'" for "poco").
// The form with the sign and its piece are joined forms (see
// ReadApertiumAnalyser), the accented form is not.
void DropAccentSpellings(int32_t language, int32_t joined, Lexicon& lexicon, BuildReport& report) {
    for (auto& [key, lemma] : lexicon.OfLanguage(language)) {
        if (!lemma.analysed) continue;
        std::vector<WordForm> dropped;
        for (const WordForm& form : lemma.forms) {
            const std::optional<AccentSpelling> spelling = ReadAccentSpelling(form.text);
            if (!spelling) continue;
            WordArray plain = form.values;
            plain.erase(std::remove(plain.begin(), plain.end(), joined), plain.end());
            for (const std::string& accented : spelling->accented)
                if (lemma.forms.count(WordForm{accented, plain}) || lemma.forms.count(WordForm{accented, form.values})) {
                    dropped.push_back(form);
                    dropped.push_back(WordForm{spelling->letters, form.values});
                    break;
                }
        }
        for (const WordForm& form : dropped)
            if (lemma.forms.erase(form))
                report.Drop(LanguageCode(language), "form that spells an accent with a sign after the vowel");
    }
}

// The simple paths of a bilingual dictionary whose loops are not confined
// to the ends of its entries grow without useful bound; such a section is
// skipped and reported rather than walked for minutes.
constexpr int64_t kMaxBilingualPaths = 2'000'000;

void ReportSkippedSections(const AttEnumeration& e, const std::string& language, BuildReport& report) {
    report.Read(language, "transducer sections", e.sections);
    if (e.cyclicSections) report.Read(language, "cyclic transducer sections", e.cyclicSections);
    if (e.malformedSections) report.Drop(language, "malformed transducer section", e.malformedSections);
    if (e.oversizedSections) report.Drop(language, "transducer section with too many paths", e.oversizedSections);
}

// One side of a bilingual pair: "lemma<tag>...", where the lemma may hold
// blanks (a multi-word side) and a "#" after the word that inflects.
bool SplitBilingualSide(std::string_view text, std::string& lemma, std::vector<std::string>& tags) {
    tags.clear();
    const std::size_t open = text.find('<');
    if (open == std::string_view::npos || text.find('+') != std::string_view::npos) return false;
    lemma.assign(text.substr(0, open));
    for (std::size_t at = open; at < text.size();) {
        if (text[at] != '<') return false;  // a "#" queue after the tags
        const std::size_t close = text.find('>', at);
        if (close == std::string_view::npos) return false;
        tags.emplace_back(text.substr(at + 1, close - at - 1));
        at = close + 1;
    }
    return true;
}

// The lemma and part of speech of one side of a bilingual pair; false (and
// the reason) when that side cannot become a dictionary entry. A multi-word
// side keeps its blanks and its "#" (see DictionaryEntries.h).
bool BilingualSide(const std::string& text, const std::string& language, const AttributeInventory& inventory,
                   const TagMapping& tags, LemmaKey& key, std::string& reason) {
    std::vector<std::string> tagList;
    if (!SplitBilingualSide(text, key.text, tagList) || key.text.empty() || key.text.front() == '#' ||
        key.text.front() == ' ' || key.text.back() == ' ' || key.text.find("  ") != std::string::npos) {
        reason = "no single analysis";
        return false;
    }
    // Enumerated numbers, dates and centuries: the engine reads digits itself.
    if (key.text.find_first_of("0123456789") != std::string::npos) {
        reason = "number or date expression";
        return false;
    }
    // A "#" follows the inflecting word of a multi-word side, once.
    const std::size_t hash = key.text.find('#');
    if (hash != std::string::npos &&
        (key.text.find(' ', hash) == std::string::npos || key.text.find('#', hash + 1) != std::string::npos)) {
        reason = "no single analysis";
        return false;
    }
    std::vector<std::string> unknown;
    // The first mapped tag names the part of speech (a leading tag such as
    // a proper-noun class may be one our mapping does not know).
    for (const std::string& tag : tagList) {
        std::vector<WordArray> forms = ExpandTags(tags, inventory, "apertium", language, {tag}, unknown);
        key.partOfSpeech = forms.empty() ? 0 : TakePartOfSpeech(inventory, forms.front());
        if (key.partOfSpeech != 0) break;
    }
    if (key.partOfSpeech == 0) {
        reason = "part of speech not mapped";
        return false;
    }
    key.language = LanguageNumber(language);
    return true;
}

}  // namespace

void ReadApertiumAnalyser(std::string_view dump, const std::string& language,
                          const AttributeInventory& inventory, const TagMapping& tags,
                          Lexicon& lexicon, BuildReport& report) {
    const int32_t number = LanguageNumber(language);
    std::string lemma;
    std::vector<std::string> tagList, unknown;
    AttEnumeration e = EnumerateAtt(dump, [&](const std::string& surface, const std::string& analysis) {
        report.Read(language, "analyses");
        if (surface.empty()) return report.Drop(language, "empty surface form");
        if (surface.find(' ') != std::string::npos) return report.Drop(language, "multi-word form");
        // A contraction ("del" = de<pr>+el<det>) is read as a form of its
        // first word, so that the text's word has a reading.
        std::string_view single = analysis, last;
        const bool joined = analysis.find('+') != std::string::npos && analysis.find('#') == std::string::npos;
        if (joined) {
            // "livre-le": the tokenizer cuts at the hyphen, so no text holds
            // the joined form, and the word-forms window should not list it.
            if (surface.find('-') != std::string::npos) return report.Drop(language, "joined form with a hyphen");
            single = single.substr(0, analysis.find('+'));
            last = std::string_view(analysis).substr(analysis.rfind('+') + 1);
            report.Read(language, "joined analyses read as their first word");
        }
        // "farlo" = fare<vblex><inf>+lo<prn>...: a verb form with its object
        // pronoun written on, which the word's forms show as such.
        bool enclitic = false;
        if (joined) {
            std::string_view next = std::string_view(analysis).substr(single.size() + 1);
            next = next.substr(0, next.find('+'));
            std::string pronoun;
            std::vector<std::string> pronounTags;
            enclitic = SplitAnalysis(next, pronoun, pronounTags) && pronounTags.front() == "prn";
        }
        const ApostrophePieces pieces = CutAtApostrophes(surface);
        if (!pieces.first.empty()) report.Read(language, "forms read by their pieces between apostrophes");
        // Adds the forms of one word of the analysis; false when its part of speech is not mapped.
        // A joined form, a form with an apostrophe ("'m", "l'", which the
        // tokenizer cuts off the word before or after it) and a piece cut
        // at one are no forms of the word's paradigm; a form with its
        // object pronoun is one.
        const bool apart = (joined && !enclitic) || !pieces.first.empty();
        auto add = [&](std::string_view word, const std::string& text, const std::string& piece, bool withPronoun) {
            unknown.clear();
            std::vector<WordArray> forms = ExpandTags(tags, inventory, "apertium", language, tagList, unknown);
            for (const std::string& tag : unknown) report.Read(language, "ignored tag <" + tag + ">");
            bool added = false;
            for (WordArray& values : forms) {
                int32_t pos = TakePartOfSpeech(inventory, values);
                if (pos == 0) continue;
                if (withPronoun) values.push_back(inventory.ValueId("enclitic-pronoun"));
                WordArray joinedValues = values;
                joinedValues.push_back(inventory.ValueId("joined"));
                std::sort(values.begin(), values.end());
                std::sort(joinedValues.begin(), joinedValues.end());
                Lemma& lemma = lexicon.lemmas[LemmaKey{number, std::string(word), pos}];
                lemma.analysed = true;
                std::set<WordForm>& lemmaForms = lemma.forms;
                if (!piece.empty()) lemmaForms.insert(WordForm{piece, joinedValues});
                if (!text.empty()) lemmaForms.insert(WordForm{text, apart ? joinedValues : values});
                added = true;
            }
            return added;
        };
        if (!SplitAnalysis(single, lemma, tagList) || lemma.empty())
            return report.Drop(language, "compound or joined analysis");
        if (lemma.find(' ') != std::string::npos) return report.Drop(language, "multi-word lemma");
        if (!add(lemma, surface, pieces.first, enclitic))
            return report.Drop(language, "part of speech not mapped <" + tagList.front() + ">");
        if (!pieces.last.empty() && SplitAnalysis(last, lemma, tagList) && !lemma.empty() &&
            lemma.find(' ') == std::string::npos)
            add(lemma, "", pieces.last, false);
    });
    DropAccentSpellings(number, inventory.ValueId("joined"), lexicon, report);
    ReportSkippedSections(e, language, report);
}

void ReadApertiumBilingual(std::string_view dump, const std::string& fromLanguage,
                           const std::string& toLanguage, const AttributeInventory& inventory,
                           const TagMapping& tags, std::set<BilingualLink>& links,
                           BuildReport& report) {
    const std::string pair = fromLanguage + "-" + toLanguage;
    AttEnumeration e = EnumerateAtt(dump, [&](const std::string& left, const std::string& right) {
        report.Read(pair, "bilingual pairs");
        BilingualLink link;
        std::string reason;
        if (!BilingualSide(left, fromLanguage, inventory, tags, link.from, reason) ||
            !BilingualSide(right, toLanguage, inventory, tags, link.to, reason))
            return report.Drop(pair, reason);
        if (link.from.text.find(' ') != std::string::npos || link.to.text.find(' ') != std::string::npos)
            report.Read(pair, "bilingual pairs with a multi-word side");
        AddLink(links, std::move(link));
    }, kMaxBilingualPaths, true);
    ReportSkippedSections(e, pair, report);
}

}  // namespace pv
