#include "engine/ReadingsCache.h"

namespace pv {

const WordEntryArr& ReadingsCache::Meanings(std::u16string_view text) {
    if (auto known = known_.find(text); known != known_.end()) return known->second;
    WordEntryArr readings = GetWordMeanings(text);
    if (known_.size() >= kMaxTexts) known_.clear();
    return known_.emplace(std::u16string(text), std::move(readings)).first->second;
}

}  // namespace pv
