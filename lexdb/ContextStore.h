// Context knowledge: ContextDataHash, a read-only store on disk of keys to
// lists of integer pairs (the stores "CD" and "RCD"), and ContextHash, the
// in-memory table of the same shape that gathers the context of a text.
// Both hash a key to slot key mod kContextSlots with linear probing that
// wraps from the last slot to slot 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lexdb/Container.h"

namespace pv {

constexpr int32_t kContextSlots = 1960448;

struct ContextPair {
    int32_t first = 0;
    int32_t second = 0;
};

struct ContextDataHeadRec {
    int32_t key = 0;
    int32_t offset = -1;  // stored offset of the pair stream in the DATA file; negative: no pairs
    int32_t pairCount = 0;
    bool loaded = false;
    std::vector<ContextPair> pairs;  // read on first Seek; only the pairs that decoded
};

// Not thread-safe: Seek and GetNextCBF share a cursor and the open DATA file.
class ContextDataHash {
public:
    ContextDataHash();  // an empty store
    // Reads "Data\" + prefix + "HASH.DAT" and "HEAD.DAT" below the program
    // folder and opens "DATA.DAT". A missing or inconsistent file gives an
    // empty store; nothing is reported.
    ContextDataHash(const std::string& programFolder, std::string_view prefix);

    // Positions the store on key; its pairs are read from the DATA file the
    // first time and kept. Errors are shown in an error box.
    void Seek(int32_t key);
    // The next pair of the current key; false when there is none (left).
    bool GetNextCBF(int32_t& first, int32_t& second);

    int32_t currentHead() const { return currentHead_; }
    std::size_t headCount() const { return heads_.size(); }

private:
    bool Load(const std::string& programFolder, std::string_view prefix);
    void LoadPairs(ContextDataHeadRec& head);

    std::vector<int32_t> slots_;
    std::vector<ContextDataHeadRec> heads_;
    ContainerPtr data_;
    int32_t probe_ = 0;
    int32_t currentHead_ = -1;
    int32_t position_ = 0;
    int32_t last_ = -1;
};

// 1,960,448 (key, value) slots; key -1 marks an empty slot.
class ContextHash {
public:
    ContextHash();
    // The slot holding key, or the empty slot where it would go; -1 for a
    // negative key or a full table.
    int32_t FindSlot(int32_t key) const;
    // Sums amount into key's value (a new key takes amount). Negative keys
    // are ignored; the sum saturates instead of wrapping.
    void Add(int32_t key, int32_t amount);
    std::optional<int32_t> Get(int32_t key) const;
    void Reset();

private:
    struct Slot {
        int32_t key;
        int32_t value;
    };
    std::vector<Slot> slots_;
};

}  // namespace pv
