// The process-wide phrase rules that the engine loads at start: the phrase
// and synthesis tables and the binary rules cut from them.
#pragma once

#include <string>

#include "morphology/PhraseTables.h"
#include "morphology/SimplePhrases.h"

namespace pv {

class CollocationInstances;

// Inline: the engine asks for them millions of times a text.
inline PhraseTables& Phrases() {
    static PhraseTables tables;
    return tables;
}
inline SimplePhrases& SimplePhraseRules() {
    static SimplePhrases rules;
    return rules;
}

// Clears every phrase structure (the binary rules too) and loads the phrase
// tables below base; the entries they name go into instances.
void LoadPhrases(const std::string& base, CollocationInstances& instances);

// Cuts the loaded phrases into binary rules and indexes them; the
// sub-phrase values are added to GrammarTables().
void BuildSimplePhrases();

// What the fields of a phrase rule mean to the engine. Child c of a rule
// (1-based) is constituent slot c - 1 of its slot lists; the slot anchor is
// the collocation template id that child's source must have (0 or less:
// any). The lists:
//   s: agreement (a: child, d: attribute group or -1/-2 for a membership
//      test in the first/second preposition field, b: slot, c: form flag);
//   i: inheritance (a: child, b: attribute group or -1 for the whole set,
//      c: 0 the inherited set, otherwise the associated set);
//   j: slot assignments (a: slot, b: child, c: propagate the child's own
//      binding of that slot);
//   p: slot defaults (a: slot, entryInstance: default entry or < 0 to clear,
//      b: source slot when above 0);
//   relations: relation templates (type: kind, a, b: slots, c: flag);
//   links: synthesis choices; conditions: attribute operations (mode 0 set
//      inherited, 1 clear inherited, 2 set associated, 3 clear associated).
// The name is the default synthesis template.
inline int32_t RuleLanguageMask(const PhraseEntry& rule) { return rule.p2; }
inline int32_t RuleTargetLanguage(const PhraseEntry& rule) { return rule.p3; }  // 0: any
inline uint8_t RulePlanEligible(const PhraseEntry& rule) { return rule.b1; }
// When set, the rule's result keeps no relations and no pending rules.
inline bool RuleResets(const PhraseEntry& rule) { return rule.b2 != 0; }
inline double RuleWeight(const PhraseEntry& rule) { return rule.score1; }
// The binary rules carry their phrase's language mask and target language.
inline int32_t RuleLanguageMask(const SimplePhraseEntry& part) { return part.p2; }
inline int32_t RuleTargetLanguage(const SimplePhraseEntry& part) { return part.p3; }
// Whether language bit `language` is set in a mask.
inline bool LanguageInMask(int32_t mask, int32_t language) {
    return language >= 0 && language < 32 && ((static_cast<uint32_t>(mask) >> language) & 1u) != 0;
}

}  // namespace pv
