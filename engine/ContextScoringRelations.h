// Relation scoring: how well the entries bound to two slots of a phrase
// rule fit the relation the rule states between them, from the semantic
// classes of their words, their ancestors and the meanings of their
// translations; with a cache of class-pair scores.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/FragmentEntry.h"

namespace pv {

constexpr int32_t kRelationCacheSlots = 32767;

// Scores of (class a, class b, relation kind) triples in open addressing.
// A slot with a, b and kind all 0 is empty.
class RelationScoreCache {
public:
    struct Hit {
        float score = 0;
        int32_t value = 0;
    };

    RelationScoreCache() : slots_(kRelationCacheSlots) {}

    void Clear();
    // The cached score, or nothing; a search longer than kMaxLookupProbes
    // empties the whole cache and finds nothing.
    std::optional<Hit> Get(int32_t a, int32_t b, int32_t kind);
    // Stores a score; when no slot is free within kMaxInsertProbes the
    // cache is emptied and the score takes its home slot.
    void Add(int32_t a, int32_t b, int32_t kind, float score, int32_t value);

    static int32_t HomeSlot(int32_t a, int32_t b, int32_t kind);

    static constexpr int kMaxLookupProbes = 26;
    static constexpr int kMaxInsertProbes = 101;

private:
    struct Slot {
        int32_t a = 0;
        int32_t b = 0;
        int32_t kind = 0;
        float score = 0;
        int32_t value = 0;
        bool Empty() const { return a == 0 && b == 0 && kind == 0; }
    };
    std::vector<Slot> slots_;
};

// The relation of kind k between X and Y: the class pairs of their word
// ids scored through their ancestor chains, the extended relation of the
// meanings of their translations, divided by their distance.
double RelationScore(int32_t k, const FE& X, const FE& Y);

// Scores the entry's relations whose two slots are bound and removes them,
// then the pending rules whose synthesis choice is decided (every slot its
// choices name is bound), adding the best choice's total; removes those too.
void EvaluateRelations(FE& entry);

// The best synthesis choice of the rule with the given slot bindings:
// weight plus the scores of its relations, of the choices whose relations
// name only bound slots; -1 (and no total) when there is none.
struct SynthesisChoice {
    int32_t synth = -1;
    double total = -1e38;
};
SynthesisChoice BestSynthesisChoice(int32_t rule, const std::array<FE*, kFESlots>& slots);

// The synthesis phrase index of BestSynthesisChoice, -1 for none.
int32_t ChooseSynthesis(int32_t rule, const std::array<FE*, kFESlots>& slots);

}  // namespace pv
