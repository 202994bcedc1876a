#include "engine/ContextScoringRelations.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/ContextScoringAncestors.h"
#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "lexdb/RelationStore.h"
#include "morphology/Attributes.h"
#include "morphology/PhraseRules.h"

namespace pv {

namespace {

// Relation kinds of phrase rules that hold for two occurrences of one class.
constexpr int32_t kSameClassKind = 4;

int32_t NextSlot(int32_t slot) { return slot + 1 > kRelationCacheSlots - 2 ? 0 : slot + 1; }

// The ancestor chain of a class: its record when it has one, otherwise
// computed for this use only.
AncestorRecord ChainOf(int32_t classId) {
    EngineState& engine = Engine();
    const int32_t found = engine.ancestors.Find(classId);
    if (found >= 0) return engine.ancestors[found];
    AncestorRecord chain;
    chain.ids[0] = classId;
    GetAncestors(chain, engine.relations.get(), GrammarTables());
    return chain;
}

// Word ids counted by the entry, up to the first empty one.
int WordIdsOf(const FE& entry) {
    const int n = std::min<int>(entry.wordIdCount, kFEWordIds);
    int count = 0;
    while (count < n && entry.wordIds[count] != -1) ++count;
    return count;
}

// g x l x 0.1: g grows the nearer to x and y the related ancestors are,
// l is the weight of their relation.
double ClassPairScore(int32_t k, int32_t x, int32_t y) {
    EngineState& engine = Engine();
    if (std::optional<RelationScoreCache::Hit> hit = engine.relationCache.Get(x, y, k)) return hit->score;
    const RelationHash* relations = engine.relations.get();
    const bool storable = relations && k >= 0 && k <= 0xFFFF;
    const AncestorRecord cx = ChainOf(x);
    const AncestorRecord cy = ChainOf(y);
    int32_t g = 0;
    double l = 1.0;
    for (int i = 0; i < cx.count && g < (i < 9 ? 10 - i : 2); ++i) {
        const int32_t xa = cx.ids[i];
        const uint16_t kind = static_cast<uint16_t>(k);
        if (k != kSameClassKind && !(storable && relations->AInRel(kind, xa))) continue;
        for (int j = 0; j < cy.count; ++j) {
            const int32_t t = i + j < 9 ? 10 - i - j : 2;
            if (g >= t) break;
            const int32_t ya = cy.ids[j];
            RelationMatch match = storable ? relations->FindRel(kind, xa, ya) : RelationMatch{};
            if (k == kSameClassKind && xa == ya) {
                match.found = true;
                match.weight = std::max(match.weight, 1.0);
            }
            if (match.found) {
                g = t;
                l = match.weight;
            }
        }
    }
    // Returned as cached, so that a pair scores the same every time.
    const float score = static_cast<float>(g * l * 0.1);
    engine.relationCache.Add(x, y, k, score, g);
    return score;
}

// The extended relation of the meanings of both translations, when both
// are in the target language.
double TargetRelationScore(int32_t k, const FE& X, const FE& Y) {
    EngineState& engine = Engine();
    const CollocationInstances& instances = engine.instances;
    if (!engine.extendedRelations || k < 0 || k > 0xFFFF) return 0.0;
    if (X.targetInstance < 0 || X.targetInstance >= instances.Count() || Y.targetInstance < 0 ||
        Y.targetInstance >= instances.Count())
        return 0.0;
    const Collocation& tx = instances[X.targetInstance];
    const Collocation& ty = instances[Y.targetInstance];
    if (tx.language != TargetLanguage || ty.language != TargetLanguage) return 0.0;
    const RelationMatch match =
        engine.extendedRelations->InRel(static_cast<uint16_t>(k), tx.meaningId, ty.meaningId);
    // A weight of -40 or less has no logarithm; such a relation adds nothing.
    if (!match.found || match.weight + 40.0 <= 0.0) return 0.0;
    return 0.075 * std::log(match.weight + 40.0);
}

// Words from the first word of the earlier entry to the last of the later.
int32_t Distance(const FE& X, const FE& Y) {
    int32_t d;
    if (X.start < 0) {
        d = Y.span;
    } else if (Y.start < 0) {
        d = X.span;
    } else {
        const FE& later = X.start >= Y.start ? X : Y;
        const FE& earlier = X.start >= Y.start ? Y : X;
        d = later.start + later.span - earlier.start;
    }
    return std::max(d, 0);
}

FE* Bound(const std::array<FE*, kFESlots>& slots, int32_t slot) {
    return slot >= 0 && slot < kFESlots ? slots[slot] : nullptr;
}

const SynthPhraseEntry* SynthesisPhrase(const PhraseLink& link) {
    const std::vector<SynthPhraseEntry>& phrases = Phrases().synthPhrases;
    if (link.synth < 0 || static_cast<std::size_t>(link.synth) >= phrases.size()) return nullptr;
    return &phrases[link.synth];
}

const PhraseEntry* Rule(int32_t rule) {
    const std::vector<PhraseEntry>& phrases = Phrases().phrases;
    if (rule < 0 || static_cast<std::size_t>(rule) >= phrases.size()) return nullptr;
    return &phrases[rule];
}

bool RelationsBound(const SynthPhraseEntry& phrase, const std::array<FE*, kFESlots>& slots) {
    return std::all_of(phrase.relations.begin(), phrase.relations.end(), [&](const PhraseRelation& r) {
        return Bound(slots, r.a) && Bound(slots, r.b);
    });
}

// Every choice of the rule can be scored with these bindings.
bool SynthesisDecided(int32_t rule, const std::array<FE*, kFESlots>& slots) {
    const PhraseEntry* entry = Rule(rule);
    if (!entry) return true;
    return std::all_of(entry->links.begin(), entry->links.end(), [&](const PhraseLink& link) {
        const SynthPhraseEntry* phrase = SynthesisPhrase(link);
        return !phrase || RelationsBound(*phrase, slots);
    });
}

}  // namespace

void RelationScoreCache::Clear() { std::fill(slots_.begin(), slots_.end(), Slot{}); }

int32_t RelationScoreCache::HomeSlot(int32_t a, int32_t b, int32_t kind) {
    const uint32_t sum = static_cast<uint32_t>(kind) + static_cast<uint32_t>(a) * 65535u +
                         static_cast<uint32_t>(b) * 63u;
    return static_cast<int32_t>(std::llabs(static_cast<int32_t>(sum)) % kRelationCacheSlots);
}

std::optional<RelationScoreCache::Hit> RelationScoreCache::Get(int32_t a, int32_t b, int32_t kind) {
    int32_t slot = HomeSlot(a, b, kind);
    for (int probe = 0; probe < kMaxLookupProbes; ++probe) {
        const Slot& s = slots_[slot];
        if (s.Empty()) return std::nullopt;
        if (s.a == a && s.b == b && s.kind == kind) return Hit{s.score, s.value};
        slot = NextSlot(slot);
    }
    Clear();
    return std::nullopt;
}

void RelationScoreCache::Add(int32_t a, int32_t b, int32_t kind, float score, int32_t value) {
    int32_t slot = HomeSlot(a, b, kind);
    int probe = 0;
    while (probe < kMaxInsertProbes && !slots_[slot].Empty() &&
           !(slots_[slot].a == a && slots_[slot].b == b && slots_[slot].kind == kind)) {
        slot = NextSlot(slot);
        ++probe;
    }
    if (probe == kMaxInsertProbes) {
        Clear();
        slot = HomeSlot(a, b, kind);
    }
    slots_[slot] = Slot{a, b, kind, score, value};
}

double RelationScore(int32_t k, const FE& X, const FE& Y) {
    const int nX = WordIdsOf(X);
    const int nY = WordIdsOf(Y);
    if (nX == 0 || nY == 0) return 0.0;
    double s = 0.0;
    for (int i = 0; i < nX; ++i)
        for (int j = 0; j < nY; ++j) s += ClassPairScore(k, X.wordIds[i], Y.wordIds[j]);
    s = s / nX / nY * (0.05 * (nX + nY) + 0.9);
    s += TargetRelationScore(k, X, Y);
    return s / (0.01 * (Distance(X, Y) + 10) + 0.9);
}

SynthesisChoice BestSynthesisChoice(int32_t rule, const std::array<FE*, kFESlots>& slots) {
    SynthesisChoice best;
    const PhraseEntry* entry = Rule(rule);
    if (!entry) return best;
    for (const PhraseLink& link : entry->links) {
        const SynthPhraseEntry* phrase = SynthesisPhrase(link);
        if (!phrase || !RelationsBound(*phrase, slots)) continue;
        double total = link.weight;
        for (const PhraseRelation& r : phrase->relations)
            total += RelationScore(r.type, *Bound(slots, r.a), *Bound(slots, r.b));
        if (total > best.total) best = {link.synth, total};
    }
    return best;
}

int32_t ChooseSynthesis(int32_t rule, const std::array<FE*, kFESlots>& slots) {
    return BestSynthesisChoice(rule, slots).synth;
}

void EvaluateRelations(FE& entry) {
    entry.relationCount = std::min<uint8_t>(entry.relationCount, kFERelations);
    for (int r = 0; r < entry.relationCount;) {
        const FERelation& relation = entry.relations[r];
        FE* first = Bound(entry.slots, relation.firstSlot);
        FE* second = Bound(entry.slots, relation.secondSlot);
        if (!first || !second) {
            ++r;
            continue;
        }
        entry.score += RelationScore(relation.kind, *first, *second);
        entry.relations[r] = entry.relations[--entry.relationCount];
    }
    entry.pendingCount = std::min<uint8_t>(entry.pendingCount, kFEPendingRules);
    for (int p = 0; p < entry.pendingCount;) {
        const int32_t rule = entry.pendingRules[p];
        if (!SynthesisDecided(rule, entry.slots)) {
            ++p;
            continue;
        }
        const SynthesisChoice choice = BestSynthesisChoice(rule, entry.slots);
        if (choice.synth >= 0) entry.score += choice.total;
        entry.pendingRules[p] = entry.pendingRules[--entry.pendingCount];
    }
}

}  // namespace pv
