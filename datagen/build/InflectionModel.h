// Inflection groups derived from the full-form lists of the lexicon, in the
// shape of the lexicon and inflection files: words (stem, group, part of
// speech), groups (base ending and endings, each ending keyed by its
// inflection detail record), and the detail records themselves.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/LexiconModel.h"
#include "morphology/WordInflexions.h"

namespace pv {

constexpr int32_t kMaxGroupId = 0xFFFE;      // 0 and 0xFFFF mean "does not inflect"

struct InflectionDetailRecord {
    int32_t language = 0;
    std::array<uint16_t, kDetailSlots> values{};  // part of speech, then values ascending; 0 = unused
    int32_t displayOrder = 0;
};

struct InflectionEndingRecord {
    int32_t key = 0;  // detail record number
    std::u16string text;
};

struct InflectionGroupRecord {
    int32_t id = 0;
    std::u16string baseEnding;
    std::vector<InflectionEndingRecord> endings;  // sorted by text, then key
};

struct LexiconWordRecord {
    int32_t id = 0;
    int32_t language = 0;
    int32_t group = 0;
    int32_t partOfSpeech = 0;
    std::u16string stem;  // empty: every form is a whole ending
    std::u16string lemma;
};

struct InflectionModel {
    std::vector<InflectionDetailRecord> details;
    std::vector<InflectionGroupRecord> groups;  // by id
    std::vector<LexiconWordRecord> words;       // by id

    // The forms of a word as (text, detail key), the base form with key -1.
    std::vector<std::pair<std::u16string, int32_t>> Forms(const LexiconWordRecord& word) const;
};

// One word per lemma, ids from 1 in lemma order. The stem is the longest
// common prefix of the lemma and all its forms; lemmas whose ending sets
// are identical share a group; a lemma whose stem is empty (an irregular
// word) becomes a zero-stem word. When there are more ending sets than
// group ids, the ids are shared fairly among the languages and within a
// language go to the sets of the most words (of as many, of more words from
// an analyser); the words left without an id of their own share the union of
// the endings of words alike (same base ending, lemma ending in the same two
// letters) where the share holds those unions, and keep only their lemma
// where it does not. Deterministic for the same lexicon.
// idCount is the number of group ids to give out (at most kMaxGroupId).
InflectionModel DeriveInflection(const Lexicon& lexicon, const AttributeInventory& inventory,
                                 BuildReport& report, int32_t idCount = kMaxGroupId);

}  // namespace pv
