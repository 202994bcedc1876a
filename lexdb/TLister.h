// Chains of fragment-entry references for the engine's candidate lists.
// Items link to older items; the head of a chain stays in the slot that
// names the chain, with the newest entry, and -1 ends a chain.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Chart.h"

namespace pv {

class TLister {
public:
    struct Item {
        int32_t link = -1;
        FE* reference = nullptr;
        int32_t part = -1;  // the rule part a phrase-rule candidate names, -1 for none
    };

    explicit TLister(int32_t capacity);

    // Adds entry to the chain named by chainIndex (a new chain when it is
    // negative) and returns the chain's index. Raises std::out_of_range for a
    // chain index that names no item in use.
    int32_t Add(int32_t chainIndex, FE* entry, int32_t part = -1);

    const Item& operator[](int32_t index) const { return items_.at(static_cast<std::size_t>(index)); }
    int32_t Count() const { return count_; }
    int32_t Capacity() const { return static_cast<int32_t>(items_.size()); }
    // The engine's reset: all items become free again.
    void Reset() { count_ = 0; }

private:
    std::vector<Item> items_;
    int32_t count_ = 0;
};

}  // namespace pv
