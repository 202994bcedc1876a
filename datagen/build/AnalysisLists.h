// The spelling fixes and affix lists of word analysis, read from our
// readable sources: data/spellfix.txt lines "FROM TO LANGUAGES WEIGHT
// PLACES" (what people type, what it stands for, comma-separated language
// codes, the penalty in tenths, and where in a word it may be replaced:
// start, inside, end joined by ","), and data/prefixes.txt and
// data/suffixes.txt lines "LANGUAGE AFFIX AFFIX ..." (a suffix line may go
// on with "=" and the suffixes' meaning, OwnWords.h).
#pragma once

#include <string>
#include <vector>

#include "datagen/AnalysisListWriters.h"
#include "datagen/build/LexiconModel.h"

namespace pv {

// Both throw SourceError for a malformed line, an unknown language or place.
std::vector<SpellFixSource> ParseSpellFixes(const std::string& text, const std::string& file);
std::vector<std::u16string> ParseAffixes(const std::string& text, const std::string& file);

// Reads the three sources below sources (an absent one is empty), writes the spelling-fix and affix
// files below base and counts them per language in the report.
void WriteAnalysisLists(const std::string& sources, const std::string& base, BuildReport& report);

}  // namespace pv
