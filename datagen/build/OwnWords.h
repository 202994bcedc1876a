// Words of our own sources that no dictionary lists, as words of the
// lexicon: the endings that a language joins to its words (Turkish case
// and number endings), the letters of an alphabet and abbreviations. Word
// analysis cuts a word at its known suffixes and reads every part, so an
// ending needs a reading; the phrase rules put a translated ending (a
// preposition elsewhere) before its noun and leave out one that other
// languages do not say with a word.
//
// They are read from the lines of data/suffixes.txt that give a meaning,
// and from data/words.txt, in one form:
//   LANGUAGE WORD ... = VALUES [PART-OF-SPEECH LANGUAGE:WORD[/PART-OF-SPEECH] ...]
// VALUES are value names joined by "+", one of them the words' part of
// speech; the translations are lemmas of the part of speech that follows
// the values unless a word names its own. A line without "=" gives no words.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/LexiconModel.h"

namespace pv {

struct OwnWord {
    LemmaKey lemma;
    WordArray values;  // sorted, without the part of speech
    std::vector<LemmaKey> translations;
};

// Throws SourceError for a malformed line, an unknown language or value,
// or values without a part of speech.
std::vector<OwnWord> ParseOwnWords(const std::string& text, const std::string& file,
                                   const AttributeInventory& inventory);

// Adds every word as a lemma with one form, and its links.
void AddOwnWords(const std::vector<OwnWord>& words, Lexicon& lexicon,
                 std::set<BilingualLink>& links, BuildReport& report);

}  // namespace pv
