// Ancestor records: the is-a chains of the semantic classes that the chart
// uses, cached in an open-addressing table keyed by class id.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pv {

class RelationHash;
class AttributeTables;

constexpr int32_t kAncestorRecords = 16384;
constexpr int32_t kAncestorIds = 20;
// A chain never holds more ids than this.
constexpr int32_t kMaxAncestorChain = 19;
// Ids from here on name relation entries: relation id + this.
constexpr int32_t kRelationIdBase = 1000000000;

struct AncestorRecord {
    int32_t count = 0;  // ids in use; the first is the class itself
    std::array<int32_t, kAncestorIds> ids{};
    int32_t position = 0;  // window position it is bound to; -1: kept for good
    uint8_t free = 1;
};

// Appends the ancestors of record.ids[0] to the record: the parent of a
// class is the second id of its first relation of type 0; the parent of a
// relation entry is its first or second id, as its type's definition says.
// The chain stops at a repeated id, at a class without parent, or at
// kMaxAncestorChain ids. Throws EngineError "GetAncestors:" + cause.
void GetAncestors(AncestorRecord& record, const RelationHash* relations,
                  const AttributeTables& definitions);

class AncestorRecords {
public:
    AncestorRecords() : records_(kAncestorRecords) {}

    // Every record free and empty.
    void Clear();

    // The record of class c, or -1. Searching stops at the first free or
    // empty record, and after every record was visited once.
    int32_t Find(int32_t c) const;

    // The record of an instance of class c bound to window position p (-1:
    // bound to none, kept for good); made with its chain when there is none.
    // -1 for a class of 0 or less, or when the table has no room.
    int32_t AncestorRecordOf(int32_t c, int32_t p, const RelationHash* relations,
                             const AttributeTables& definitions);

    // The window moved left by r: records bound to a position below r are
    // freed, the other bound records move down by r.
    void ReleaseBefore(int32_t r);

    // Frees every record bound to a window position (a reset of the engine).
    void ReleaseBound();

    const AncestorRecord& operator[](int32_t index) const { return records_[index]; }

private:
    // Where the search for c ends: the record of c (found) or the place for
    // a new one; -1 when every record is in use by other classes.
    int32_t Search(int32_t c, bool& found) const;

    std::vector<AncestorRecord> records_;
    // The slots of the records bound to a window position, so that a shift
    // of the window visits only those; a slot whose record was since kept
    // for good is dropped at the next shift.
    std::vector<int32_t> bound_;
};

}  // namespace pv
