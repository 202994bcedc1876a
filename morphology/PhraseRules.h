// The process-wide phrase rules that the engine loads at start: the phrase
// and synthesis tables and the binary rules cut from them.
#pragma once

#include <string>

#include "morphology/PhraseTables.h"
#include "morphology/SimplePhrases.h"

namespace pv {

class CollocationInstances;

PhraseTables& Phrases();
SimplePhrases& SimplePhraseRules();

// Clears every phrase structure (the binary rules too) and loads the phrase
// tables below base; the entries they name go into instances.
void LoadPhrases(const std::string& base, CollocationInstances& instances);

// Cuts the loaded phrases into binary rules and indexes them; the
// sub-phrase values are added to GrammarTables().
void BuildSimplePhrases();

}  // namespace pv
