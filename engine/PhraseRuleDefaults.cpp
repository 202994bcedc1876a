#include "engine/PhraseRuleDefaults.h"

#include <memory>
#include <unordered_map>

#include "engine/EngineState.h"
#include "morphology/Attributes.h"

namespace pv {

namespace {

// Entries are handed out by address, so each lives in its own allocation.
std::unordered_map<int32_t, std::unique_ptr<FE>>& Table() {
    static std::unordered_map<int32_t, std::unique_ptr<FE>> table;
    return table;
}

// A leaf as collocation search makes it; the entry also stands for its own
// translation, since nothing translates a rule's default.
std::unique_ptr<FE> MakeEntry(int32_t instance, const Collocation& record) {
    auto entry = std::make_unique<FE>();
    entry->start = -1;
    entry->wordIds[0] = record.classId;
    entry->wordIdCount = record.classId >= 0 ? 1 : 0;
    entry->sourceInstance = instance;
    entry->targetInstance = instance;
    entry->category = record.partOfSpeech;
    entry->complete = 1;
    entry->planEligible = 1;
    entry->language = static_cast<uint8_t>(record.language);
    entry->score = record.sourceScore;
    GrammarTables().FromList(entry->inherited, record.associatedAttributes);
    return entry;
}

}  // namespace

FE* StaticEntry(int32_t instance) {
    CollocationInstances& instances = Engine().instances;
    if (instance < 0 || instance >= instances.Count()) return nullptr;
    std::unique_ptr<FE>& entry = Table()[instance];
    if (!entry) entry = MakeEntry(instance, instances[instance]);
    return entry.get();
}

void ClearStaticEntries() { Table().clear(); }

}  // namespace pv
