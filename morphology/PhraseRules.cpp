#include "morphology/PhraseRules.h"

namespace pv {

PhraseTables& Phrases() {
    static PhraseTables tables;
    return tables;
}

SimplePhrases& SimplePhraseRules() {
    static SimplePhrases rules;
    return rules;
}

void LoadPhrases(const std::string& base, CollocationInstances& instances) {
    SimplePhraseRules().Clear();
    Phrases().Load(base, instances);
}

void BuildSimplePhrases() { SimplePhraseRules().Build(Phrases().phrases, GrammarTables()); }

}  // namespace pv
