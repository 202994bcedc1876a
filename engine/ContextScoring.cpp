#include "engine/ContextScoring.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/EngineState.h"
#include "lexdb/DataPath.h"
#include "lexdb/RelationStore.h"
#include "morphology/Attributes.h"

namespace pv {

namespace {

constexpr int32_t kMeaningBonus = 50;
constexpr double kAncestorShare = 0.2;  // of each ancestor's words, against the one before
constexpr double kAncestorDecay = 0.7;  // per step up to the ancestor found in the context
constexpr double kContextWeight = 0.03;

int32_t Saturated(double value) {
    return static_cast<int32_t>(std::clamp<double>(value, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

const Collocation* Instance(int32_t index) {
    const CollocationInstances& instances = Engine().instances;
    return index >= 0 && index < instances.Count() ? &instances[index] : nullptr;
}

const AncestorRecord* Record(int32_t index) {
    if (index < 0 || index >= kAncestorRecords) return nullptr;
    const AncestorRecord& record = Engine().ancestors[index];
    return record.free ? nullptr : &record;
}

// Every pair of the store under key, the pair's second scaled and shifted,
// summed into table under the pair's first.
template <typename Amount>
void AddPairs(ContextDataHash& store, int32_t key, ContextHash& table, Amount amount) {
    store.Seek(key);
    int32_t first = 0, second = 0;
    while (store.GetNextCBF(first, second)) table.Add(first, amount(second));
}

}  // namespace

ContextHash& ContextTables::Meanings() {
    if (!meanings_) meanings_ = std::make_unique<ContextHash>();
    return *meanings_;
}

ContextHash& ContextTables::Classes() {
    if (!classes_) classes_ = std::make_unique<ContextHash>();
    return *classes_;
}

void ContextTables::Reset() {
    Meanings().Reset();
    Classes().Reset();
}

void BeginText() {
    Engine().sentenceOpen = true;
    Engine().context.Reset();
    Engine().readings.Clear();
}

void AddToContext(FragmentEntries& cell) {
    EngineState& engine = Engine();
    for (int k = 0; k < cell.count; ++k) {
        const FE& entry = *cell.entries[k];
        const Collocation* target = Instance(entry.targetInstance);
        if (target && engine.contextData) {
            AddPairs(*engine.contextData, target->meaningId, engine.context.Meanings(),
                     [](int32_t value) { return Saturated(static_cast<double>(value) + kMeaningBonus); });
        }
        const Collocation* source = Instance(entry.sourceInstance);
        const AncestorRecord* record = source ? Record(source->ancestorRecord) : nullptr;
        if (record && engine.classContextData) {
            double w = 1.0;
            for (int i = 0; i < std::min(record->count, kAncestorIds); ++i) {
                AddPairs(*engine.classContextData, record->ids[i], engine.context.Classes(),
                         [w](int32_t value) { return Saturated(std::round(value * w)); });
                w *= kAncestorShare;
            }
        }
    }
}

double EvaluateEntry(int32_t m, int32_t r) {
    if (m < 0) return 0.0;
    ContextTables& context = Engine().context;
    double r1 = 10.0 * context.Meanings().Get(m).value_or(1);
    if (const AncestorRecord* record = Record(r)) {
        double d = 1.0;
        for (int i = 0; i < std::min(record->count, kAncestorIds); ++i) {
            if (std::optional<int32_t> value = context.Classes().Get(record->ids[i])) {
                r1 += d * *value;
                break;
            }
            d *= kAncestorDecay;
        }
    }
    return std::max(r1, 1.0);
}

void ContextEval(FragmentEntries& cell) {
    for (int k = 0; k < cell.count; ++k) {
        FE& entry = *cell.entries[k];
        const Collocation* target = Instance(entry.targetInstance);
        const Collocation* source = Instance(entry.sourceInstance);
        const double weight =
            EvaluateEntry(target ? target->meaningId : -1, source ? source->ancestorRecord : -1);
        // An entry without a translated meaning has no context to weigh.
        if (weight > 0.0) entry.score += kContextWeight * std::log(weight);
    }
}

void LoadRelationTable(EngineState& engine) {
    engine.relations.reset();
    try {
        engine.relations = LoadRelationHash(ResolveDataPath(engine.dataDir, "DATA\\RELS.DAT"));
    } catch (...) {
        // Without the table no class has ancestors.
    }
}

void LoadContextStores(EngineState& engine) {
    engine.extendedRelations.reset();
    engine.contextData.reset();
    engine.classContextData.reset();
    try {
        engine.extendedRelations =
            std::make_unique<RelationLoader>(ResolveDataPath(engine.dataDir, "DATA\\EXTREL.DAT"),
                                             ResolveDataPath(engine.dataDir, "DATA\\EXTREL.IDX"));
        engine.contextData = std::make_unique<ContextDataHash>(engine.dataDir, "CD");
        engine.classContextData = std::make_unique<ContextDataHash>(engine.dataDir, "RCD");
    } catch (...) {
        // The stores not made answer nothing.
    }
}

void StartAncestorRecords(EngineState& engine) {
    engine.ancestors.Clear();
    engine.instances.SetAncestorResolver([&engine](const Collocation& record, int32_t position) {
        return engine.ancestors.AncestorRecordOf(record.classId, position, engine.relations.get(),
                                                 GrammarTables());
    });
}

void ResetContextScoring(EngineState& engine) {
    engine.relationCache.Clear();
    BeginText();
    engine.ancestors.ReleaseBound();
}

}  // namespace pv
