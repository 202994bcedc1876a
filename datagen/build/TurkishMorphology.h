// The forms of Turkish nouns and verbs, made by the suffix rules of
// data/turkish.txt: vowel harmony, the assimilation of d to t, buffer
// letters, the softening of a final stop, the aorist vowel and the few
// irregular stems.
#pragma once

#include <map>
#include <set>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/LexiconModel.h"

namespace pv {

struct TurkishGrammar {
    struct Suffix {
        WordArray values;
        std::u16string text, other;  // other: after the plural or a third-person possessor
        bool thirdPerson = false;    // a possessor that the cases follow in their other form
    };
    struct Tense {
        // kNegative: endings that hold the negative themselves; the tense's
        // other line is then kPositive.
        enum class Polarity { kBoth, kPositive, kNegative };
        WordArray values;
        Polarity polarity = Polarity::kBoth;
        std::vector<std::vector<std::u16string>> persons;  // six slots, each with its forms
    };
    struct Nonfinite {
        WordArray values;
        std::u16string text;
        enum class Inflection { kNone, kNumber, kNoun } inflection = Inflection::kNone;
        bool positiveOnly = false;  // its text holds any negative itself
    };
    struct ListedForm {
        int32_t partOfSpeech = 0;
        std::string lemma, form;
        WordArray values;
    };

    // A suffix after the stem of every form of a verb (negative,
    // potential), or of its finite forms only.
    struct Polarity {
        WordArray values;
        std::u16string text;
        bool negative = false, finiteOnly = false;
    };
    // A suffix after a noun's forms in some cases (-ki, the copula).
    struct AfterCase {
        WordArray values;
        std::u16string text;
        WordArray cases;
        bool bareOnly = false;  // only after the forms without a possessor
    };

    std::u16string plural;
    std::vector<Suffix> possessors, cases;
    std::vector<Polarity> polarities;
    std::vector<AfterCase> afterCases;
    std::vector<Tense> tenses;
    std::vector<Nonfinite> nonfinite;
    std::vector<std::u16string> aoristIr, softStems, raisedStems, yStems;
    std::vector<ListedForm> words;
    // Value ids the rules add themselves.
    int32_t singular = 0, pluralValue = 0, infinitive = 0, negativeValue = 0, noun = 0, verb = 0;
    WordArray personValues[6];
};

// Throws SourceError for a malformed line or an unknown value name.
TurkishGrammar ParseTurkishGrammar(const std::string& text, const std::string& file,
                                   const AttributeInventory& inventory);

// The forms of a lemma as a base (its stem without the last letter) and
// endings that every lemma alike shares; the paradigm is base + ending.
struct TurkishEndings {
    std::vector<std::pair<std::string, WordArray>> forms;             // ending (UTF-8), values
    std::unordered_map<std::string, std::vector<WordArray>> byEnding;
};
struct TurkishParadigm {
    std::string base;  // UTF-8
    const TurkishEndings* endings = nullptr;
};

class TurkishMorphology {
public:
    explicit TurkishMorphology(TurkishGrammar grammar);

    const TurkishGrammar& Grammar() const { return grammar_; }

    // What a spelling dictionary's word shows of its stem: whether its last
    // stop softens (kitabı, saati), whether its suffixes take front vowels
    // after a back one (harfi, sembolü) and, for a verb stem, which aorist
    // vowel it takes (eder, getirir). Hints override the default rules.
    void LearnStem(const std::string& word, const std::vector<std::string>& forms);

    // Whether the spelling dictionary shows the word's last stop softened
    // (parmağı): a word in -mak/-mek that does is a noun.
    bool ShowsSoftening(const std::string& word) const;

    // The paradigm of a noun-like lemma or of a verb (an infinitive in
    // -mak/-mek). A lemma that takes no suffixes (several words, a capital,
    // a letter that is not Turkish, a verb without its ending) has none:
    // the result's endings are null.
    TurkishParadigm Paradigm(const std::string& lemma, bool verb);

    // The whole paradigm as word forms.
    std::vector<WordForm> Forms(const std::string& lemma, bool verb);

private:
    struct Stem;
    std::unique_ptr<TurkishEndings> MakeEndings(const Stem& stem, bool verb) const;

    TurkishGrammar grammar_;
    std::map<std::u16string, bool> softens_, wideAorist_;
    std::set<std::u16string> front_;
    std::map<std::u16string, std::unique_ptr<TurkishEndings>> endings_;  // by the class of a stem
};

}  // namespace pv
