#include "morphology/DeadEnds.h"

#include <algorithm>

namespace pv {

bool DeadEnds::Covers(std::u16string_view word) const {
    return std::any_of(kept_.begin(), kept_.end(), [word](const std::u16string& beginning) {
        return word.size() > beginning.size() && word.starts_with(beginning);
    });
}

void DeadEnds::Add(std::u16string beginning) {
    if (kept_.size() < kKept) {
        kept_.push_back(std::move(beginning));
        return;
    }
    kept_[next_] = std::move(beginning);
    next_ = (next_ + 1) % kKept;
}

void DeadEnds::Clear() {
    kept_.clear();
    next_ = 0;
}

}  // namespace pv
