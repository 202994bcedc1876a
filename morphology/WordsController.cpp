#include <algorithm>
#include <exception>

#include "engine/EngineError.h"
#include "morphology/WordInflexions.h"

namespace pv {

void WordsController::Set(std::u16string text, std::vector<WordRecord> records) {
    const auto count = static_cast<int64_t>(records.size());
    std::vector<StemSpan> stems(records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
        const WordRecord& record = records[r];
        if (record.alphabetical < 0 || record.alphabetical >= count)
            throw EngineError("lexicon record " + std::to_string(r) + ": alphabetical index " +
                              std::to_string(record.alphabetical) + " out of range");
        // Position text.size() + 1 is the empty stem after the last one.
        if (record.stemPosition < 1 || static_cast<std::size_t>(record.stemPosition) > text.size() + 1)
            throw EngineError("lexicon record " + std::to_string(r) + ": stem position " +
                              std::to_string(record.stemPosition) + " out of range");
        const std::size_t start = static_cast<std::size_t>(record.stemPosition) - 1;
        std::size_t end = text.find(u'\0', start);
        if (end == std::u16string::npos) end = text.size();
        stems[r] = StemSpan{start, end - start};
    }
    text_ = std::move(text);
    records_ = std::move(records);
    stems_ = std::move(stems);
}

std::u16string_view WordsController::Item(int32_t k) const {
    try {
        if (k < 0 || k >= Count()) throw EngineError("index out of range");
        return Stem(records_[static_cast<std::size_t>(k)].alphabetical);
    } catch (const std::exception& error) {
        throw EngineError(std::string(error.what()) + " in Wordscontroller.Item[" + std::to_string(k) + "]");
    }
}

std::u16string_view WordsController::Stem(int32_t index) const {
    const StemSpan& span = stems_[static_cast<std::size_t>(index)];
    return std::u16string_view(text_).substr(span.start, span.length);
}

int32_t WordsController::LowerBound(std::u16string_view text, int32_t low, int32_t high) const {
    while (low < high) {
        const int32_t mid = low + (high - low) / 2;
        if (MyStrList::CompareStrings(Item(mid), text) < 0) low = mid + 1;
        else high = mid;
    }
    return low;
}

MyStrList::FindResult WordsController::Find(std::u16string_view text) const {
    const int32_t low = LowerBound(text, 0, Count());
    return {low < Count() && Item(low) == text, static_cast<std::size_t>(low)};
}

WordsController::Range WordsController::NarrowToPrefix(std::u16string_view text, Range within) const {
    // Stems beginning with text follow one another, from the first that is
    // not below text on.
    const int32_t first = LowerBound(text, within.low, within.high);
    int32_t low = first, high = within.high;
    while (low < high) {
        const int32_t mid = low + (high - low) / 2;
        if (Item(mid).starts_with(text)) low = mid + 1;
        else high = mid;
    }
    return {first, low};
}

int32_t WordsController::IndexOfId(int32_t id) const {
    auto it = std::lower_bound(records_.begin(), records_.end(), id,
                               [](const WordRecord& r, int32_t wanted) { return r.id < wanted; });
    if (it == records_.end() || it->id != id) return -1;
    return static_cast<int32_t>(it - records_.begin());
}

}  // namespace pv
