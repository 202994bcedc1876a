// The finite forms and declined participles of German verbs. The word list
// gives a verb's irregular forms (a strong verb's "liest", "las", "läse")
// and the spelling dictionary the forms its affix rules make; the rest of
// the paradigm follows from the infinitive and the past:
// - the present stem is the infinitive without "en" ("mach"), or without
//   "n" after "el"/"er" ("wander", "sammel"); its 1st singular adds "e"
//   ("sammle" drops the stem's "e"), the 2nd and 3rd singular and the 2nd
//   plural add "st", "t", "t", with an "e" before them after "d", "t" and a
//   consonant + "m"/"n" ("arbeitest", "atmet"); the 1st and 3rd plural are
//   the infinitive; a verb whose 3rd singular ends in neither "t" nor "d"
//   ("kann", "weiß", but not "wird") has it as its 1st singular;
// - the present subjunctive is the 1st singular with "", "st", "", "n",
//   "t", "n" ("mache", "machest"), its plural the infinitive;
// - the past, from its 1st/3rd singular P: P, P + "st" (+ "est" after
//   "s", "ß", "z", "x", "d", "t"), P, P + "n"/"en", P + "t"/"et", P + "n"/"en";
// - the past subjunctive K (the list's, or a weak verb's past) as the
//   present subjunctive on K ("ginge", "gingest");
// - the 2nd plural imperative is the 2nd plural present.
// A slot the sources fill keeps their form. Only verbs with a finite form
// or a participle from the sources get forms: a word typed a verb by its
// ending alone may be none.
// A form of no values that is a participle + "e", "em", "en", "er", "es"
// ("gemachte") is the declined participle, labelled with the gender,
// number and case of the declension without article; the present
// participle's declined forms are relabelled alike. A form of no values
// whose text a labelled form of the verb has is dropped.
#pragma once

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/LexiconModel.h"

namespace pv {

void AddGermanVerbForms(Lexicon& lexicon, const AttributeInventory& inventory, BuildReport& report);

}  // namespace pv
