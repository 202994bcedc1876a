// One window position and the readings of its word.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pv {

// One reading of a word.
struct WordEntry {
    int32_t id = 0;  // dictionary entry; -1 for a number reading
    std::u16string baseForm;
    int32_t partOfSpeech = 0;  // 303 number, 850 a word to be cut
    int32_t language = 0;      // 0 for numbers
    std::vector<int32_t> attributes;  // sorted attribute value ids
    double readingWeight = 0.0;       // penalty of the spelling fixes used
};

// One position of the engine's window.
struct WordEntryArr {
    std::u16string word;  // the token or token part as it stands in the text
    std::u16string mark;  // batch entry mark, empty outside batches
    double weight = 0.0;  // 3.0 for every part of a cut token but the last
    std::vector<WordEntry> meanings;
};

}  // namespace pv
