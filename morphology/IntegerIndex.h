// An array of (key, value) pairs searched by key once sorted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pv {

class IntegerIndex {
public:
    struct Pair {
        int32_t key = 0;
        int32_t value = 0;
    };

    struct FindResult {
        bool found = false;
        int32_t index = -1;  // a pair with the key, or the last index probed
    };

    void Add(int32_t key, int32_t value);
    // By key; the order of equal keys is not kept.
    void Sort();
    // Binary search of the sorted pairs; a match is the first pair with that
    // key, so stepping back from it finds nothing more.
    FindResult Find(int32_t key) const;

    std::size_t Count() const { return pairs_.size(); }
    const Pair& operator[](std::size_t i) const { return pairs_[i]; }
    void Clear() { pairs_.clear(); }

private:
    std::vector<Pair> pairs_;
};

}  // namespace pv
