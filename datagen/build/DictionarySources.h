// Bilingual dictionaries in plain-text formats: FreeDict's dictd databases
// (an index of base64 offsets into the gzip-compressed text) and the
// German-English "DE :: EN" list, whose German side also gives lemmas with
// their gender, plural, participles, finite verb forms, degrees and the cases
// of articles and pronouns.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "datagen/build/LexiconModel.h"
#include "datagen/build/TagMapping.h"

namespace pv {

// The value of a dictd base64 number ("A"..."/" digits), or -1.
int64_t DictdNumber(std::string_view digits);

// Links from the headwords of a dictd database (index text and the
// uncompressed dictionary text) to their translations; a translation's
// part of speech is left open (0).
void ReadFreeDict(std::string_view index, std::string_view dictionary, const std::string& fromLanguage,
                  const std::string& toLanguage, const AttributeInventory& inventory,
                  const TagMapping& tags, std::set<BilingualLink>& links, BuildReport& report);

// German lemmas and their forms, and German-English links. The object
// slots of a headword ("jdm. etw. geben") are left out; a contraction that
// a preposition's examples spell out ("im (= in dem)") becomes a preposition
// of its own, linked to the preposition's translations with "the".
void ReadGermanEnglish(std::string_view text, const AttributeInventory& inventory, const TagMapping& tags,
                       Lexicon& lexicon, std::set<BilingualLink>& links, BuildReport& report);

// Headwords of the bilingual dictionaries that the lexicon lacks (neither a
// lemma nor a form of one), as base-form lemmas: the words of a language
// without an analyser (Turkish), or those its analyser misses. A headword
// ending in one of verbEndings is a verb, any other word a noun.
void AddHeadwordLemmas(const std::set<BilingualLink>& links, int32_t language,
                       const std::vector<std::string>& verbEndings, const AttributeInventory& inventory,
                       Lexicon& lexicon, BuildReport& report);

// The contents of a gzip (or dictzip) file; throws SourceError.
std::string ReadGzipFile(const std::string& path);

}  // namespace pv
