// Lower-case beginnings that no word form continues, found by analyses that
// ended before the end of their word: no longer word that begins with one
// has an analysis either. A span of words is analysed again with each word
// that follows it in a text; the kept beginnings spare those analyses.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

class DeadEnds {
public:
    // The newest are kept: enough for every span start of the window under
    // each of its spellings.
    static constexpr std::size_t kKept = 64;

    // Whether word is longer than a kept beginning and begins with it.
    bool Covers(std::u16string_view word) const;
    // Keeps beginning in place of the oldest when full.
    void Add(std::u16string beginning);
    void Clear();

private:
    std::vector<std::u16string> kept_;
    std::array<char16_t, kKept> firsts_{};  // the first character of each
    std::size_t next_ = 0;  // where the next one goes once full
};

}  // namespace pv
