#include "morphology/PhraseRules.h"

namespace pv {

void LoadPhrases(const std::string& base, CollocationInstances& instances) {
    SimplePhraseRules().Clear();
    Phrases().Load(base, instances);
}

void BuildSimplePhrases() { SimplePhraseRules().Build(Phrases().phrases, GrammarTables()); }

}  // namespace pv
