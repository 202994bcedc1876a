#include "engine/ContextScoringAncestors.h"

#include <algorithm>
#include <exception>
#include <string>

#include "engine/EngineError.h"
#include "lexdb/RelationStore.h"
#include "morphology/Attributes.h"

namespace pv {

namespace {

// The parent of id a, or nothing when the chain ends at a.
bool ParentOf(int32_t a, const RelationHash& relations, const AttributeTables& definitions,
              int32_t& parent) {
    if (a < kRelationIdBase) {
        const int32_t position = relations.RelAtoArrPos(0, a);
        if (position < 0) return false;
        parent = relations.record(position).second;
        return true;
    }
    const int32_t position = relations.IdToArrPos(a - kRelationIdBase);
    if (position < 0) return false;
    const RelationRecord& relation = relations.record(position);
    parent = definitions.AncestorIsFirst(relation.type) ? relation.first : relation.second;
    return true;
}

}  // namespace

void GetAncestors(AncestorRecord& record, const RelationHash* relations,
                  const AttributeTables& definitions) {
    try {
        record.count = 1;
        if (!relations) return;
        int32_t a = record.ids[0];
        int32_t b = 0;
        while (record.count < kMaxAncestorChain && ParentOf(a, *relations, definitions, b)) {
            const auto chain = record.ids.begin() + record.count;
            if (std::find(record.ids.begin(), chain, b) != chain) break;  // a loop in the hierarchy
            record.ids[record.count++] = b;
            a = b;
        }
    } catch (const std::exception& error) {
        throw EngineError(std::string("GetAncestors:") + error.what());
    }
}

void AncestorRecords::Clear() {
    std::fill(records_.begin(), records_.end(), AncestorRecord{});
    bound_.clear();
}

int32_t AncestorRecords::Search(int32_t c, bool& found) const {
    found = false;
    int32_t slot = c % kAncestorRecords;
    // Bounded, so that a table whose records are all in use ends the search.
    for (int32_t visited = 0; visited < kAncestorRecords; ++visited) {
        const AncestorRecord& record = records_[slot];
        if (record.free || record.count <= 0) return slot;
        if (record.ids[0] == c) {
            found = true;
            return slot;
        }
        slot = (slot + 1) % kAncestorRecords;
    }
    return -1;
}

int32_t AncestorRecords::Find(int32_t c) const {
    if (c <= 0) return -1;
    bool found = false;
    const int32_t slot = Search(c, found);
    return found ? slot : -1;
}

int32_t AncestorRecords::AncestorRecordOf(int32_t c, int32_t p, const RelationHash* relations,
                                          const AttributeTables& definitions) {
    if (c <= 0) return -1;
    bool found = false;
    const int32_t slot = Search(c, found);
    if (slot < 0) return -1;
    AncestorRecord& record = records_[slot];
    if (!found) {
        record = AncestorRecord{};
        record.ids[0] = c;
        record.free = 0;
        record.position = p;
        GetAncestors(record, relations, definitions);
        if (p >= 0) bound_.push_back(slot);
    }
    // A record stays as long as the last instance that uses it.
    if (record.position >= 0 && record.position < p) record.position = p;
    if (p < 0) record.position = -1;
    return slot;
}

void AncestorRecords::ReleaseBefore(int32_t r) {
    // A slot is listed once: it is listed when a record is made in it, and
    // only a free slot gets a new record, which it becomes here or in
    // ReleaseBound or Clear, each of which also unlists it.
    std::size_t kept = 0;
    for (const int32_t slot : bound_) {
        AncestorRecord& record = records_[slot];
        if (record.free || record.position < 0) continue;
        if (record.position < r) {
            record.free = 1;
            record.count = 0;
        } else {
            record.position -= r;
            bound_[kept++] = slot;
        }
    }
    bound_.resize(kept);
}

void AncestorRecords::ReleaseBound() {
    for (const int32_t slot : bound_) {
        AncestorRecord& record = records_[slot];
        if (record.position < 0) continue;
        record.free = 1;
        record.count = 0;
    }
    bound_.clear();
}

}  // namespace pv
