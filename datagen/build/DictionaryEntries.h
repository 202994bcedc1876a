// The dictionary entries ("data/cols") made from what the build extracted:
// one entry per word of the lexicon and one per multi-word expression of
// the bilingual links, with their grammar, shared class and translations.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "datagen/CollocationWriter.h"
#include "datagen/build/DataBuild.h"

namespace pv {

// The entries in id order. A word of the inflection model gets the entry id
// of its word id: its word id as the only word, no required values, the
// attributes its forms differ in as inherited groups, the values all its
// forms share as associated values. A multi-word lemma of the links (text
// with blanks; a "#" marks the word that inflects, else the head is guessed
// from the part of speech) gets an id after the last word id, when each of
// its at most nine words is a form of a lexicon word: the head inherits
// like a single word, every other word requires the values of its form.
// Equivalents share the class of their English lemma (the smallest when
// there are several); the flag is 1 when that class is first-hand. The
// translations are the entry ids linked to the lemma, its own direction
// first, cut where the entry text would pass 511 bytes. Counts per
// language and pair, and what was dropped, go to report.
std::vector<CollocationRecord> BuildDictionaryEntries(const BuildResult& result, BuildReport& report);

// Builds the entries and writes "data/cols" into the DATA folder below base
// (created when missing). Throws WriterError.
void WriteDictionary(const std::string& base, BuildResult& result, std::ostream& progress);

}  // namespace pv
