// Values for the forms that a spelling dictionary gives without any: a
// word that no analyser knows ("librare") inflects like the analyser's
// words of its part of speech whose lemma ends in the same three letters
// ("parlare"), so a form made of its stem and an ending ("libr" + "ai")
// takes the values that ending has on those words ("parl" + "ai": 1st
// singular past). An ending takes the value sets that at least half as
// many of those words give it as its most frequent one, and at least two;
// a lemma ending needs five such words. Forms no ending explains keep no
// values.
#pragma once

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/LexiconModel.h"

namespace pv {

void LabelFormsByAnalogy(Lexicon& lexicon, BuildReport& report);

}  // namespace pv
