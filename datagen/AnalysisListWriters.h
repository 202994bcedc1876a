// Writers of the word-analysis lists: the spelling fixes ("DATA\SPELLFIX"
// .STR, .RPL, .DAT) and the affix lists ("PREFIXES.STR", "SUFFIXES.STR").
// The inverse of the loaders in morphology/InflexionLoaders.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "morphology/WordAnalysis.h"

namespace pv {

struct SpellFixSource {
    std::u16string from;  // the text that may be replaced, lower case
    std::u16string to;
    SpellFixData data;
};

struct SpellFixFiles {
    std::string strings;       // text list content of ".STR"
    std::string replacements;  // text list content of ".RPL"
    std::string records;       // ".DAT" record payload
};

// The three files with the fixes in sorted order of from (equal texts keep
// their order), as the reader pairs them. Refuses an empty from and texts
// with line breaks (WriterError).
SpellFixFiles EncodeSpellFixes(std::vector<SpellFixSource> fixes);
void WriteSpellFixes(const std::string& base, const std::vector<SpellFixSource>& fixes);

// The prefixes as written and the suffixes written backwards (give them
// forwards).
void WriteAffixLists(const std::string& base, const std::vector<std::u16string>& prefixes,
                     const std::vector<std::u16string>& suffixes);

}  // namespace pv
