// Apertium language data read from the text dump of its compiled
// transducers: the analyser gives word forms with their tags, the bilingual
// dictionary gives translations between lemmas.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "datagen/build/LexiconModel.h"
#include "datagen/build/TagMapping.h"

namespace pv {

// "lemma<tag1><tag2>..." split into lemma and tags; false when the text is
// no single analysis (no tags, a joined "+" analysis or a "#" lemma queue).
bool SplitAnalysis(std::string_view analysis, std::string& lemma, std::vector<std::string>& tags);

// Adds every single-word analysis of the analyser dump to the lexicon.
void ReadApertiumAnalyser(std::string_view dump, const std::string& language,
                          const AttributeInventory& inventory, const TagMapping& tags,
                          Lexicon& lexicon, BuildReport& report);

// Adds the translations of a bilingual dictionary dump, in the dump's
// direction. A side may be a multi-word expression: its lemma keeps the
// blanks and, after the word that inflects, the dump's "#" ("abuse# of
// power"); enumerated number and date expressions are dropped.
void ReadApertiumBilingual(std::string_view dump, const std::string& fromLanguage,
                           const std::string& toLanguage, const AttributeInventory& inventory,
                           const TagMapping& tags, std::set<BilingualLink>& links,
                           BuildReport& report);

}  // namespace pv
