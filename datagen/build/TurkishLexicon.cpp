#include "datagen/build/TurkishLexicon.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace pv {

namespace {

constexpr const char* kTurkish = "tr";

bool EndsWithVerbEnding(const std::string& text) {
    for (const char* ending : {"mak", "mek"})
        if (text.size() > 3 && text.compare(text.size() - 3, 3, ending) == 0) return true;
    return false;
}

// A text read as a form: the lemma and the values of each reading.
struct Reading {
    const LemmaKey* lemma;
    const std::vector<WordArray>* values;
};

// The stems that a text may begin with, and the parse of a text.
class StemIndex {
public:
    void Add(const LemmaKey& key, const TurkishParadigm& paradigm, bool known) {
        byBase_[paradigm.base].push_back(candidates_.size());
        candidates_.push_back({key, paradigm.endings, known});
    }
    void AddListed(const LemmaKey& key, const std::string& form, const WordArray& values) {
        listedKeys_.push_back(key);
        listed_[form].emplace_back(listedKeys_.size() - 1, std::vector<WordArray>{values});
    }

    // The readings of text by the lexicon's lemmas, or when there are none
    // by the dictionary's words; known tells which it was.
    std::vector<Reading> Parse(const std::string& text, bool& known) const {
        std::vector<Reading> lexicon, words;
        if (auto it = listed_.find(text); it != listed_.end())
            for (const auto& [key, values] : it->second) lexicon.push_back({&listedKeys_[key], &values});
        for (std::size_t p = 0; p < text.size(); ++p) {
            if ((static_cast<unsigned char>(text[p]) & 0xC0) == 0x80) continue;
            auto it = byBase_.find(text.substr(0, p));
            if (it == byBase_.end()) continue;
            const std::string ending = text.substr(p);
            for (std::size_t i : it->second) {
                const Candidate& c = candidates_[i];
                auto found = c.endings->byEnding.find(ending);
                if (found != c.endings->byEnding.end()) (c.known ? lexicon : words).push_back({&c.key, &found->second});
            }
        }
        known = !lexicon.empty();
        return known ? lexicon : words;
    }

private:
    struct Candidate {
        LemmaKey key;
        const TurkishEndings* endings;
        bool known;
    };
    std::vector<Candidate> candidates_;
    std::unordered_map<std::string, std::vector<std::size_t>> byBase_;
    std::vector<LemmaKey> listedKeys_;
    std::unordered_map<std::string, std::vector<std::pair<std::size_t, std::vector<WordArray>>>> listed_;
};

}  // namespace

void AddTurkishListedWords(const TurkishGrammar& grammar, Lexicon& lexicon, BuildReport& report) {
    const int32_t turkish = LanguageNumber(kTurkish);
    for (const TurkishGrammar::ListedForm& word : grammar.words) {
        Lemma& lemma = lexicon.lemmas[LemmaKey{turkish, word.lemma, word.partOfSpeech}];
        lemma.analysed = true;
        lemma.forms.insert(WordForm{word.form, word.values});
        report.Read(kTurkish, "listed word forms");
    }
}

void AddTurkishParadigms(const std::set<LemmaKey>& keys, TurkishMorphology& morphology, Lexicon& lexicon,
                         BuildReport& report) {
    const TurkishGrammar& g = morphology.Grammar();
    std::set<std::string> listed;
    for (const TurkishGrammar::ListedForm& word : g.words) listed.insert(word.lemma);
    for (const LemmaKey& key : keys) {
        if ((key.partOfSpeech != g.noun && key.partOfSpeech != g.verb) || listed.count(key.text)) continue;
        auto lemma = lexicon.lemmas.find(key);
        if (lemma == lexicon.lemmas.end()) continue;
        std::vector<WordForm> forms = morphology.Forms(key.text, key.partOfSpeech == g.verb);
        if (forms.empty()) continue;
        // The spelling dictionary's forms that the rules do not make would
        // show without grammar and keep the lemma from sharing its
        // inflection group with the lemmas alike.
        std::set<WordForm> paradigm(std::make_move_iterator(forms.begin()), std::make_move_iterator(forms.end()));
        int64_t outside = 0;
        for (const WordForm& form : lemma->second.forms)
            if (!paradigm.count(form) && !(form.text == key.text && form.values == WordArray{key.partOfSpeech == g.verb ? g.infinitive : g.singular}))
                ++outside;
        if (outside > 0) report.Drop(kTurkish, "hunspell forms outside the paradigm of a dictionary lemma", outside);
        lemma->second.forms = std::move(paradigm);
        report.Read(kTurkish, "lemmas given the forms of the suffix rules");
        report.Read(kTurkish, "forms made by the suffix rules", static_cast<int64_t>(forms.size()));
    }
}

void AttachTurkishWords(std::vector<HunspellWord>& words, TurkishMorphology& morphology, Lexicon& lexicon,
                        BuildReport& report) {
    const int32_t turkish = LanguageNumber(kTurkish);
    const TurkishGrammar& g = morphology.Grammar();
    for (const HunspellWord& word : words) {
        std::vector<std::string> texts;
        for (const auto& [text, affixes] : word.forms) texts.push_back(text);
        morphology.LearnStem(word.word, texts);
    }

    StemIndex index;
    for (const auto& [key, lemma] : lexicon.OfLanguage(turkish)) {
        if (lemma.analysed) {
            for (const WordForm& form : lemma.forms) index.AddListed(key, form.text, form.values);
        } else if (key.partOfSpeech == g.noun || key.partOfSpeech == g.verb) {
            const TurkishParadigm paradigm = morphology.Paradigm(key.text, key.partOfSpeech == g.verb);
            if (paradigm.endings != nullptr) index.Add(key, paradigm, true);
            // A headword in -mak/-mek whose k softens in the spelling
            // dictionary is a noun as well (parmak: parmağı): where no
            // lexicon lemma reads a form, its noun may.
            if (key.partOfSpeech != g.verb || !morphology.ShowsSoftening(key.text)) continue;
            const TurkishParadigm noun = morphology.Paradigm(key.text, false);
            if (noun.endings != nullptr) index.Add(LemmaKey{turkish, key.text, g.noun}, noun, false);
        }
    }
    std::set<std::string> seen;
    for (const HunspellWord& word : words) {
        if (!lexicon.Find(turkish, word.word).empty() || !seen.insert(word.word).second) continue;
        const bool verb = EndsWithVerbEnding(word.word);
        const TurkishParadigm paradigm = morphology.Paradigm(word.word, verb);
        if (paradigm.endings != nullptr) index.Add(LemmaKey{turkish, word.word, verb ? g.verb : g.noun}, paradigm, false);
    }

    std::vector<HunspellWord> left;
    for (HunspellWord& word : words) {
        struct Parsed {
            std::vector<Reading> readings;
            bool known = false;
        };
        std::vector<Parsed> parsed(word.forms.size());
        // The word is a lemma of its own too when a form of it parses as
        // its own and as no lexicon lemma's ("kalemler" beside "kale").
        bool own = false;
        for (std::size_t i = 0; i < word.forms.size(); ++i) {
            parsed[i].readings = index.Parse(word.forms[i].first, parsed[i].known);
            if (word.forms[i].first != word.word && !parsed[i].known)
                for (const Reading& r : parsed[i].readings) own = own || r.lemma->text == word.word;
        }
        HunspellWord rest{word.word, {}};
        bool attached = false;
        for (std::size_t i = 0; i < word.forms.size(); ++i) {
            const std::string& text = word.forms[i].first;
            std::vector<Reading> readings = std::move(parsed[i].readings);
            if (text == word.word && own && parsed[i].known) {
                const bool verb = EndsWithVerbEnding(text);
                const TurkishParadigm self = morphology.Paradigm(text, verb);
                auto base = self.endings->byEnding.find(text.substr(self.base.size()));
                if (base != self.endings->byEnding.end())
                    for (const WordArray& values : base->second)
                        lexicon.lemmas[LemmaKey{turkish, text, verb ? g.verb : g.noun}].forms.insert(WordForm{text, values});
            }
            if (readings.empty()) {
                rest.forms.push_back(std::move(word.forms[i]));
                continue;
            }
            for (const Reading& r : readings)
                for (const WordArray& values : *r.values) lexicon.lemmas[*r.lemma].forms.insert(WordForm{text, values});
            report.Read(kTurkish, "hunspell forms read by the suffix rules");
            if (text == word.word)
                attached = std::none_of(readings.begin(), readings.end(),
                                        [&](const Reading& r) { return r.lemma->text == word.word; });
        }
        if (attached) report.Read(kTurkish, "hunspell words read as a form of another lemma");
        if (!rest.forms.empty()) left.push_back(std::move(rest));
    }
    words = std::move(left);
}

}  // namespace pv
