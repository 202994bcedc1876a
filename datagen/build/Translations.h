// Bilingual links resolved onto the lemmas of the lexicon, and the shared
// class ids of equivalents across languages.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "datagen/build/LexiconModel.h"

namespace pv {

// Each end of a link is matched to the lexicon's lemmas of its language by
// text (then by its lower-case form), keeping those of the link's part of
// speech when it has one, else those of the other end's part of speech when
// any match it. A multi-word end (text with a blank) with a part of speech
// is kept as it is. Links with an end not in the lexicon are dropped.
std::set<BilingualLink> ResolveLinks(const std::set<BilingualLink>& links, const Lexicon& lexicon,
                                     BuildReport& report);

// Class ids: one per English lemma that has a translation (ids from 1 in
// lemma order). An English lemma carries its own class, any other lemma the
// classes of the English lemmas it is linked to, and a lemma without an
// English link the classes of the lemmas it is linked to directly.
std::map<LemmaKey, std::set<int32_t>> ShareClasses(const std::set<BilingualLink>& links);

// Translations through English for the languages that a lemma's own links
// do not reach: the first of its English translations of its own part of
// speech, in rank order, that has translations of that part of speech in
// such a language gives its best-ranked ones (at most kPivotTranslations).
// Each link goes from the lemma to the translation.
constexpr int kPivotTranslations = 2;
std::set<BilingualLink> PivotLinks(const std::set<BilingualLink>& links);

}  // namespace pv
