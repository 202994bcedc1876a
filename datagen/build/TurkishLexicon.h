// Turkish lemmas with the forms of the suffix rules, and the words of the
// spelling dictionary read through those rules.
#pragma once

#include <set>
#include <vector>

#include "datagen/build/HunspellSource.h"
#include "datagen/build/TurkishMorphology.h"

namespace pv {

// The listed words (pronouns, the question particle) as lemmas whose forms
// are all given: the spelling dictionary adds none to them.
void AddTurkishListedWords(const TurkishGrammar& grammar, Lexicon& lexicon, BuildReport& report);

// Gives each noun and verb lemma among keys its whole paradigm in place of
// the forms it had (the spelling dictionary's forms that do not parse are
// dropped and counted); a lemma spelled like a listed word ("bu") keeps its
// own forms.
void AddTurkishParadigms(const std::set<LemmaKey>& keys, TurkishMorphology& morphology, Lexicon& lexicon,
                         BuildReport& report);

// Reads the spelling dictionary's words and forms as forms of lemmas: a
// text that parses as a stem plus suffixes becomes a form of that stem's
// lemma with the parsed values, and leaves words. The stems are those of
// the lexicon's noun and verb lemmas and the listed words; where none of
// them parses a text, those of the dictionary's own words (a verb when it
// ends in -mak/-mek, a noun otherwise) and the nouns spelled like the
// lexicon's verbs whose k the dictionary softens (parmak: parmağı). A dictionary word that parses as
// a form of a lemma of the lexicon stays a lemma of its own as well only
// when one of its other forms parses as its own and as no lexicon lemma's.
// The stems' hints (softening, aorist vowel) are learnt from words first.
void AttachTurkishWords(std::vector<HunspellWord>& words, TurkishMorphology& morphology, Lexicon& lexicon,
                        BuildReport& report);

}  // namespace pv
