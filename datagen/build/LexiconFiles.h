// The lexicon side of the DATA folder written from the derived inflection
// model: the lexicon, the inflection groups and details, and the word-form
// trie built from them.
#pragma once

#include <string>

#include "datagen/build/InflectionModel.h"

namespace pv {

// Stems and endings are written lower-cased (the analysis lower-cases every
// word before looking it up), details with their display orders. Words
// without a stem go into the lexicon with an empty stem; their forms are
// their group's endings.
void WriteLexiconFiles(const std::string& base, const InflectionModel& model);

// Writes "DATA\WORDS.GLS": the trie that the engine would build itself
// without that file, built by the same walk from the lexicon and inflection
// files written before. Returns the number of trie pages.
int32_t WriteWordFormTrie(const std::string& base);

}  // namespace pv
