// Word forms from a Hunspell dictionary: every word of the ".dic" file with
// the forms that its affix flags give under the rules of the ".aff" file.
// The expansion is bounded: one prefix and one suffix at most, continuation
// classes are not followed, and a word keeps at most kMaxHunspellForms forms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "datagen/build/LexiconModel.h"
#include "datagen/build/TagMapping.h"

namespace pv {

class TurkishMorphology;

constexpr std::size_t kMaxHunspellForms = 2000;

// The surface forms of each dictionary word, the word itself first unless
// it needs an affix; each form with the affix texts that made it. A prefix
// makes a word of its own ("unday", with "undays"), listed after the word. Words
// only allowed inside compounds are left out, and so are the forms of an
// affix with a hyphen or an apostrophe (compound parts "haus-", "-haus",
// elisions "l'uscita"), which the tokenizer cuts apart. Throws SourceError for a
// malformed affix file.
struct HunspellWord {
    std::string word;  // UTF-8
    std::vector<std::pair<std::string, std::vector<std::string>>> forms;  // text, affixes added
};
std::vector<HunspellWord> ExpandHunspell(std::string_view aff, std::string_view dic, BuildReport& report,
                                         const std::string& language);

// Adds the forms to the lexicon. A word goes to the lemmas of its language
// that have the same text (any part of speech), else to the lemmas not
// from an analyser that have it as a form; a word that is neither becomes a
// lemma: a verb when it ends in one of verbEndings, a noun (a proper noun
// when capitalised, except in German, where every noun is) otherwise.
// A lemma whose base form a morphological analyser gave keeps its own forms.
// The values of a form are those of its affixes in the "hunspell" tag
// scheme, where a tag "POS:AFFIX" (the value name of the word's part of
// speech) wins over the bare affix; a form that a lemma already has is not
// added again, nor one with the values of another form of the lemma.
// With suffix rules, the words and forms that parse through them are read
// first (AttachTurkishWords), and only the rest as above.
void ReadHunspell(std::string_view aff, std::string_view dic, const std::string& language,
                  const std::vector<std::string>& verbEndings, const AttributeInventory& inventory,
                  const TagMapping& tags, Lexicon& lexicon, BuildReport& report,
                  TurkishMorphology* suffixRules = nullptr);

}  // namespace pv
