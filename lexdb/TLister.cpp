#include "lexdb/TLister.h"

#include <stdexcept>
#include <string>

namespace pv {

namespace {

constexpr std::size_t kGrowth = 10000;

}  // namespace

TLister::TLister(int32_t capacity) : items_(static_cast<std::size_t>(capacity > 0 ? capacity : 0)) {}

int32_t TLister::Add(int32_t chainIndex, FE* entry, int32_t part) {
    if (chainIndex >= count_)
        throw std::out_of_range("TLister.Add: chain " + std::to_string(chainIndex) + " of " +
                                std::to_string(count_) + " items");
    if (static_cast<std::size_t>(count_) >= items_.size()) items_.resize(items_.size() + kGrowth);
    int32_t result;
    if (chainIndex < 0) {
        items_[count_].link = -1;
        result = count_;
    } else {
        items_[count_] = items_[chainIndex];
        items_[chainIndex].link = count_;
        result = chainIndex;
    }
    items_[result].reference = entry;
    items_[result].part = part;
    ++count_;
    return result;
}

}  // namespace pv
