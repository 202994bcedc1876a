// The cases of German nouns. Our German sources give a noun's forms by
// number only (the word list) or by the affix that made them (the spelling
// dictionary); the cases follow from the shapes of the forms:
// - the lemma's own text is the singular nominative, accusative and dative,
//   and also the genitive of a feminine noun or of a noun without a genitive
//   form;
// - the lemma + "es" and + "s" of a noun that is not feminine are its
//   singular genitive;
// - a plural form P is nominative, accusative and genitive; its dative is
//   P + "n", added when missing, unless P ends in "n" or "s", where the one
//   form stands for all four cases;
// - a noun ending in "er" or "el" that is not feminine and has a plural
//   lemma + "n" has the lemma's text as its plural (Lehrer, Lehrern).
// Every form gets the noun's gender when one of its forms has one. A
// diminutive form ("Kindchen", "Kindchens") keeps its own values.
#pragma once

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/LexiconModel.h"

namespace pv {

void AddGermanNounCases(Lexicon& lexicon, const AttributeInventory& inventory, BuildReport& report);

}  // namespace pv
