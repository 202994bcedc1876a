#include "morphology/IntegerIndex.h"

#include <algorithm>

namespace pv {

void IntegerIndex::Add(int32_t key, int32_t value) {
    pairs_.push_back(Pair{key, value});
}

void IntegerIndex::Sort() {
    std::sort(pairs_.begin(), pairs_.end(), [](const Pair& a, const Pair& b) { return a.key < b.key; });
}

IntegerIndex::FindResult IntegerIndex::Find(int32_t key) const {
    FindResult result;
    std::ptrdiff_t low = 0, high = static_cast<std::ptrdiff_t>(pairs_.size()) - 1;
    while (low <= high) {
        std::ptrdiff_t mid = low + (high - low) / 2;
        result.index = static_cast<int32_t>(mid);
        if (pairs_[mid].key < key) {
            low = mid + 1;
        } else {
            if (pairs_[mid].key == key) result.found = true;
            high = mid - 1;
        }
    }
    // The leftmost match is where low ends when the key was seen.
    if (result.found) result.index = static_cast<int32_t>(low);
    return result;
}

}  // namespace pv
