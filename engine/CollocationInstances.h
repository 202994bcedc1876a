// The collocation instance table: every dictionary entry that the engine
// uses (by the chart, or named by a phrase rule) is held here as an
// instance, addressed by its index.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "lexdb/Collocation.h"

namespace pv {

class CollocationInstances {
public:
    // Computes an instance's ancestor record from its class and position;
    // the engine installs it once its ancestor records exist. Without one,
    // instances get no ancestor record (-1).
    using AncestorResolver = std::function<int32_t(const Collocation& record, int32_t position)>;
    void SetAncestorResolver(AncestorResolver resolver) { ancestorOf_ = std::move(resolver); }

    // Empties the table, its free list and the base count.
    void Clear();

    // Stores record with its position (-1: bound to no window position,
    // kept for good) in a freed slot or at the end; returns its index.
    int32_t AddCollocation(Collocation record, int32_t position);

    // Clears the word lists of the instance, sets its position to -1 and
    // makes its slot reusable. Indexes outside the table and slots that are
    // already free are left alone, so no slot can be handed out twice.
    void FreeCol(int32_t index);

    // Frees every instance bound to a window position below shift and moves
    // the other bound instances down by shift (the window moved left).
    void ReleaseBefore(int32_t shift);

    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    Collocation& operator[](int32_t index) { return records_[index]; }
    const Collocation& operator[](int32_t index) const { return records_[index]; }
    bool IsFree(int32_t index) const { return index >= 0 && index < Count() && isFree_[index]; }

    // The count after loading: the instances from here on belong to texts.
    void RememberBaseCount() { baseCount_ = Count(); }
    int32_t BaseCount() const { return baseCount_; }
    // Drops every instance above the base count, with its free slots.
    void RestoreBaseCount();

private:
    std::vector<Collocation> records_;
    std::vector<uint8_t> isFree_;
    std::vector<int32_t> freeList_;  // a stack of free indexes
    int32_t baseCount_ = 0;
    AncestorResolver ancestorOf_;
};

}  // namespace pv
