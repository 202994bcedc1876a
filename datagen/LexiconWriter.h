// Writer of the lexicon "DATA\WORDS" .STR and .DAT (the inverse of the
// loader in morphology/InflexionLoaders.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pv {

struct LexiconWord {
    int32_t id = 0;
    std::u16string stem;
    uint8_t language = 0;
    uint16_t group = 0;  // 0 or 0xFFFF: does not inflect
    int16_t partOfSpeech = 0;
};

struct LexiconFiles {
    std::string text;     // ".STR" content: count of code units, then the stems
    std::string records;  // ".DAT" content: count of records, then the records
};

// Records sorted by id, each stem ended by a 0 code unit, and the
// alphabetical permutation computed here. Refuses repeated ids and stems
// holding a 0 code unit (WriterError).
LexiconFiles EncodeLexicon(std::vector<LexiconWord> words);
// Both files below base (the DATA folder is created).
void WriteLexicon(const std::string& base, const std::vector<LexiconWord>& words);

}  // namespace pv
