// Word analysis: every lexicon word that can have produced a word as it
// stands in a text (tolerating spelling variants), the readings with their
// attribute values, and the splitting of compounds at known affixes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/WordEntry.h"
#include "morphology/DeadEnds.h"
#include "morphology/WordInflexions.h"

namespace pv {

// language mask, weight, flags.
constexpr std::size_t kSpellFixRecordSize = 9;
constexpr int kMaxAnalyses = 500;
constexpr int kExpansionBudget = 10001;

// "DATA\SPELLFIX" .STR, .RPL and .DAT into the process-wide tables. False
// (and no fixes) when a file is missing or damaged or the three are out of
// step. Empty strings to replace are dropped.
bool LoadSpellFixes(const std::string& base);

// Everything word analysis reads, below base: the attribute definitions,
// the inflection tables, the spelling fixes (optional), the lexicon and the
// word-form trie. Raises EngineError naming the table that cannot be loaded.
void LoadAnalysisTables(const std::string& base);

// Every analysis of word (lower-cased first), at most 500. Errors raise
// "GetInflexionData:" + cause.
InflArray GetInflexionData(std::u16string_view word);

// The readings of a token, with implied values, the part of speech and the
// capital-letter values. Errors raise "GetWordMeanings:" + cause.
WordEntryArr GetWordMeanings(std::u16string_view token);
// The same, without analysing a token that a dead end covers; a token
// analysed in vain leaves its dead end in deadEnds.
WordEntryArr GetWordMeanings(std::u16string_view token, DeadEnds& deadEnds);

// 1-based character positions at which a part of a word begins.
using PositionList = std::vector<int32_t>;

// 1, then the position after every known prefix that begins the word.
// Errors are reported in an error box; the positions found so far stand.
PositionList GetPrefixPositions(std::u16string_view word, bool allowAny);
// length + 1, then the position of every known suffix that ends the word.
PositionList GetSuffixPositions(std::u16string_view word, bool allowAny);
// 1, the position of every further part and length + 1 when the word
// splits wholly into words of one language as written: base forms of at
// least three letters (German: also with a linking "s", "n", "en", "e",
// "er" or "es") and a last part of at least four letters in any form. The
// fewest parts win, then the longest first part. Empty when there is no
// such split.
PositionList GetCompoundPositions(std::u16string_view word);
// The word a compound part but the last stands for: a base form as
// written, else without its German linking element if that leaves one.
std::u16string_view CompoundPartWord(std::u16string_view part);
// Ascending, without repeats.
void SortPositions(PositionList& positions);
// Where translation cuts a word into parts, ascending from 1 to length + 1:
// an unknown word (allowUnknown) that is a compound of known words into
// those, any other at its known prefixes and suffixes.
PositionList GetCutPositions(std::u16string_view word, bool allowUnknown);
// The readings of the longest left part that, with the rest, splits word
// into two analysable parts of one language; word becomes the rest. No
// readings, word unchanged, when there is no such split.
WordEntryArr SplitWord(std::u16string& word);

bool HasLanguage(const WordEntryArr& entry, int32_t language);
// Some language occurs in both.
bool SameLanguage(const InflArray& a, const InflArray& b);

}  // namespace pv
