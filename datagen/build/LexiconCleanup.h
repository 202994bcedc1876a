// Repairs what the lexical sources hold besides words: forms without a
// letter (punctuation read as nouns) are dropped, and Latin letters that
// look like Cyrillic ones inside words of a Cyrillic language are replaced
// by those, so that every word has one spelling and prints in one script.
// French words written with "oe" are written with "œ" where the lexicon
// also has them so ("oeil", "yeux" of the analyser join "œil").
#pragma once

#include <set>
#include <string>

#include "datagen/build/LexiconModel.h"

namespace pv {

// The text with the Latin look-alikes of Cyrillic letters replaced when it
// is a word of a Cyrillic language that holds a Cyrillic letter; empty when
// it holds no letter or digit at all, or is a word of a Cyrillic language
// wholly in Latin letters or with a Latin letter that has no look-alike.
std::string CleanWordText(int32_t language, const std::string& text);

// Applies CleanWordText and the French ligature to every lemma, form and
// link of the sources read, merging lemmas that become one and dropping
// what becomes empty.
void CleanLexicon(Lexicon& lexicon, std::set<BilingualLink>& links, BuildReport& report);

}  // namespace pv
