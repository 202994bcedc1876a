// Typed, weighted relations between concepts. RelationHash keeps the whole
// relation table "DATA\RELS.DAT" in memory behind four open-addressing
// indexes; RelationLoader serves the extended relations ("DATA\EXTREL.IDX",
// "DATA\EXTREL.DAT") key by key from disk.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lexdb/Container.h"

namespace pv {

constexpr int32_t kRelationSlots = 1572863;

// 18 bytes in the file: type, first id, second id, weight × 1000, relation id.
struct RelationRecord {
    uint16_t type = 0;  // 0 links a concept to its ancestor
    int32_t first = 0;
    int32_t second = 0;
    int32_t weight = 0;
    int32_t relationId = 0;
};

struct RelationMatch {
    bool found = false;
    double weight = 0.0;
    int32_t relationId = 0;
};

class RelationHash {
public:
    // Every index sized to count and empty; without indexed only the
    // triple index exists.
    RelationHash(bool indexed, int32_t count);

    // Appends a record and enters its position: into the by-first and
    // by-second indexes only when no relation with the same type and id is
    // there yet, into the by-id and triple indexes always. A full index is
    // shown in an error box; the record then stays out of the later indexes.
    void AddRel(const RelationRecord& record);

    bool AInRel(uint16_t type, int32_t first) const { return RelAtoArrPos(type, first) >= 0; }
    // Position of the first relation of type starting at first, or -1.
    int32_t RelAtoArrPos(uint16_t type, int32_t first) const;
    // Position of the first relation of type ending at second, or -1.
    int32_t RelBtoArrPos(uint16_t type, int32_t second) const;
    // Found through the triple index; weight is the stored weight / 1000.
    RelationMatch FindRel(uint16_t type, int32_t first, int32_t second) const;
    int32_t IdToArrPos(int32_t relationId) const;

    const RelationRecord& record(int32_t position) const { return records_[position]; }
    int32_t size() const { return static_cast<int32_t>(records_.size()); }

private:
    template <typename Match>
    int32_t Probe(const std::vector<int32_t>& index, int64_t start, Match match) const;
    void Insert(std::vector<int32_t>& index, int64_t start, int32_t position);
    int32_t Slot(int64_t value) const;

    std::vector<RelationRecord> records_;
    std::vector<int32_t> byId_, byFirst_, bySecond_, byTriple_;
    int32_t count_;
    bool indexed_;
};

// The relation table of a file: indexed, with count slots. A missing or
// damaged file gives the records that could be read (none when absent).
std::unique_ptr<RelationHash> LoadRelationHash(const std::string& path, int32_t count = kRelationSlots);

// 10 bytes in the file: type, second id, weight (not scaled).
struct ExtRelEntry {
    uint16_t type = 0;
    int32_t second = 0;
    int32_t weight = 0;
};

class RelationLoader {
public:
    // Opens the data file, reads its trailing size and all heads of the
    // index. A missing file gives a loader without heads; a damaged one is
    // shown in an error box and gives one too.
    RelationLoader(const std::string& dataPath, const std::string& indexPath);

    // The entry (type, second) of key; the weight is not scaled and the
    // relation id is 0. Reads key's entries the first time and keeps them.
    RelationMatch InRel(uint16_t type, int32_t key, int32_t second);

    std::size_t headCount() const { return heads_.size(); }
    int32_t trailingSize() const { return trailingSize_; }

private:
    struct Head {
        int32_t key = 0;
        int32_t offset = 0;
        int32_t length = 0;  // bytes, 10 per entry
        bool loaded = false;
        std::vector<ExtRelEntry> entries;  // only the entries that decoded
    };
    // Reads the entries of the current head. Throws EngineError
    // "RelationLoader.LoadCurrent: " + cause.
    void LoadCurrent();

    ContainerPtr data_;
    std::vector<Head> heads_;
    int32_t current_ = -1;
    int32_t trailingSize_ = 0;
};

}  // namespace pv
