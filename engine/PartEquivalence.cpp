#include "engine/PartEquivalence.h"

#include <algorithm>
#include <vector>

#include "engine/EngineState.h"
#include "morphology/PhraseRules.h"

namespace pv {

namespace {

bool SameLists(const FE& x, const FE& y) {
    if (x.language != y.language || x.relationCount != y.relationCount || x.pendingCount != y.pendingCount)
        return false;
    auto sameRelation = [](const FERelation& a, const FERelation& b) {
        return a.kind == b.kind && a.firstSlot == b.firstSlot && a.secondSlot == b.secondSlot && a.flag == b.flag;
    };
    const auto relationsEnd = x.relations.begin() + std::min<int>(x.relationCount, kFERelations);
    const auto pendingEnd = x.pendingRules.begin() + std::min<int>(x.pendingCount, kFEPendingRules);
    return std::equal(x.relations.begin(), relationsEnd, y.relations.begin(), sameRelation) &&
           std::equal(x.pendingRules.begin(), pendingEnd, y.pendingRules.begin());
}

bool TargetRelationsLoaded() {
    const RelationLoader* relations = Engine().extendedRelations.get();
    return relations && relations->headCount() > 0;
}

}  // namespace

PartReading RightPartReading(const SimplePhraseEntry& s) {
    // A part that does not finish its rule carries its parts on to the next.
    if (s.result != 0) return PartReading::Whole;
    const std::vector<PhraseEntry>& phrases = Phrases().phrases;
    if (s.phrase < 0 || static_cast<std::size_t>(s.phrase) >= phrases.size()) return PartReading::Whole;
    const PhraseEntry& rule = phrases[s.phrase];
    const int32_t child = s.rightPosition + 1;
    bool read = false;
    for (const PhraseIElement& inheritance : rule.i) {
        if (inheritance.a != child) continue;
        if (inheritance.c != 0) return PartReading::Whole;
        read = true;
    }
    for (const PhraseJElement& assignment : rule.j) read = read || assignment.b == child;
    for (const PhraseSElement& agreement : rule.s) read = read || agreement.a == child;
    if (!read) return PartReading::Lists;
    return TargetRelationsLoaded() ? PartReading::Whole : PartReading::AllButForms;
}

bool CombineAlike(const FE& x, const FE& y, PartReading reading) {
    switch (reading) {
        case PartReading::Lists: return SameLists(x, y);
        case PartReading::AllButForms:
            return x.sourceInstance == y.sourceInstance && x.complete == y.complete &&
                   x.wordIdCount == y.wordIdCount && x.wordIds == y.wordIds && x.inherited == y.inherited &&
                   x.slots == y.slots && SameLists(x, y);
        case PartReading::Whole: break;
    }
    return false;
}

}  // namespace pv
