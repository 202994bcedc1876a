// Binary rules cut from the phrase rules, and the indexes by constituent
// category through which the engine finds the rules a fragment can start
// or complete.
#pragma once

#include <cstdint>
#include <vector>

#include "morphology/Attributes.h"
#include "morphology/PhraseTables.h"

namespace pv {

// One binary rule. A category is a value of the phrase-category attribute
// (0: none); an anchor counts when it is above 0.
struct SimplePhraseEntry {
    int32_t leftCategory = 0;
    int32_t rightCategory = 0;
    WordCondsArray leftConditions;
    WordCondsArray rightConditions;
    int32_t leftAnchor = 0;
    int32_t rightAnchor = 0;
    int32_t rightPosition = 0;  // slot of the right constituent in the phrase
    int32_t phrase = 0;
    int32_t result = 0;  // the sub-phrase value produced, 0: the phrase itself
    int32_t index = 0;   // own index among the simple phrases
    int32_t p2 = 0;
    int32_t p3 = 0;
};

enum class PhraseSide { Left, Right };

class SimplePhrases {
public:
    using RuleList = std::vector<int32_t>;

    // Rebuilds the rules and indexes from phrases. Phrases of one slot go
    // to the unary index (their slot's conditions are sorted by value);
    // phrases of n >= 2 slots are cut left to right into n - 1 binary rules
    // joined by new sub-phrase values, which are added to attributes. Stops
    // early when the engine's stop flag is raised.
    void Build(std::vector<PhraseEntry>& phrases, AttributeTables& attributes);
    void Clear();

    // Fixes the rule's categories (the last category condition of each
    // side), removes the required category conditions from both sides and
    // appends the rule. Errors are shown in an error box.
    void AddSimplePhrase(SimplePhraseEntry rule, const AttributeTables& attributes);

    // Sorts a list of rule indexes by the anchor of one side, ascending.
    void SortSPArrayByFixedVal(RuleList& list, PhraseSide side) const;

    const std::vector<SimplePhraseEntry>& Rules() const { return rules_; }
    // Phrase indexes of the one-slot phrases whose slot names category.
    const RuleList& Unary(int32_t category) const { return Find(unary_, category); }
    // Rule indexes by the category of one side, for sides without an anchor
    // and for anchored sides (sorted by that anchor).
    const RuleList& Free(PhraseSide side, int32_t category) const;
    const RuleList& Anchored(PhraseSide side, int32_t category) const;

private:
    using Index = std::vector<RuleList>;
    static const RuleList& Find(const Index& index, int32_t category);
    static void Insert(Index& index, int32_t category, int32_t item);
    void CutPhrase(const PhraseEntry& phrase, int32_t phraseIndex, AttributeTables& attributes);

    std::vector<SimplePhraseEntry> rules_;
    Index unary_;
    Index leftFree_, rightFree_, leftAnchored_, rightAnchored_;
};

}  // namespace pv
