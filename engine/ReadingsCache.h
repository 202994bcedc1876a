// The readings of the words of the current text, each analysed once, as a
// text repeats its words. Spans of several words seldom come again and are
// not kept, but the beginnings that no form continues are: the longer spans
// that start with one need no analysis. The readings depend on the loaded
// tables, so every text and every engine start begins with an empty cache.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/WordEntry.h"
#include "morphology/WordAnalysis.h"

namespace pv {

class ReadingsCache {
public:
    // More distinct texts than this empty the cache, which bounds its memory.
    static constexpr std::size_t kMaxTexts = 20000;

    // GetWordMeanings(text), analysed on the first request. Valid until the
    // next call. An error of the analysis propagates and nothing is kept.
    const WordEntryArr& Meanings(std::u16string_view text);
    // GetWordMeanings(span), a span of several words.
    WordEntryArr SpanMeanings(std::u16string_view span) { return GetWordMeanings(span, deadEnds_); }
    void Clear() {
        known_.clear();
        deadEnds_.Clear();
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>{}(text); }
    };
    std::unordered_map<std::u16string, WordEntryArr, Hash, std::equal_to<>> known_;
    DeadEnds deadEnds_;
};

}  // namespace pv
