#include "morphology/DeadEnds.h"

namespace pv {

bool DeadEnds::Covers(std::u16string_view word) const {
    if (word.empty()) return false;
    // The first characters rule out nearly every beginning at once.
    for (std::size_t i = 0; i < kept_.size(); ++i)
        if (firsts_[i] == word[0] && word.size() > kept_[i].size() && word.starts_with(kept_[i]))
            return true;
    return false;
}

void DeadEnds::Add(std::u16string beginning) {
    if (beginning.empty()) return;
    std::size_t slot = kept_.size();
    if (slot < kKept) {
        kept_.emplace_back();
    } else {
        slot = next_;
        next_ = (next_ + 1) % kKept;
    }
    firsts_[slot] = beginning[0];
    kept_[slot] = std::move(beginning);
}

void DeadEnds::Clear() {
    kept_.clear();
    next_ = 0;
}

}  // namespace pv
