// The builder's own model of the lexicon: lemmas with their forms (each
// with attribute value ids), bilingual links between lemmas, and what was
// read and dropped on the way.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <ranges>
#include <set>
#include <string>
#include <vector>

#include "morphology/Attributes.h"

namespace pv {

// Language numbers of the lexicon, and the codes our sources use for them.
int32_t LanguageNumber(const std::string& code);  // -1 when unknown
std::string LanguageCode(int32_t language);

struct LemmaKey {
    int32_t language = 0;
    std::string text;       // UTF-8
    int32_t partOfSpeech = 0;
    auto operator<=>(const LemmaKey&) const = default;
};

struct WordForm {
    std::string text;  // UTF-8
    WordArray values;  // sorted ascending; the part of speech is not among them
    auto operator<=>(const WordForm&) const = default;
};

struct Lemma {
    std::set<WordForm> forms;
    bool analysed = false;  // its forms come from a morphological analyser
};

struct Lexicon {
    std::map<LemmaKey, Lemma> lemmas;

    // The lemmas of a language whose text is text, any part of speech.
    std::vector<const LemmaKey*> Find(int32_t language, const std::string& text) const;
    // The lemmas of one language, in key order.
    std::ranges::subrange<std::map<LemmaKey, Lemma>::iterator> OfLanguage(int32_t language);
    std::ranges::subrange<std::map<LemmaKey, Lemma>::const_iterator> OfLanguage(int32_t language) const;
};

// A translation between two lemmas; a part of speech of 0 matches any.
// The rank orders a lemma's translations: the order in which the sources
// list them (the sources are read in order, each from its first entry on),
// so that the sense a dictionary lists first comes first. It takes no part
// in the comparison: one link is kept per pair of lemmas, with its lowest
// rank.
struct BilingualLink {
    LemmaKey from, to;
    mutable int32_t rank = 0;

    bool operator==(const BilingualLink& other) const { return from == other.from && to == other.to; }
    auto operator<=>(const BilingualLink& other) const {
        if (auto c = from <=> other.from; c != 0) return c;
        return to <=> other.to;
    }
};

// Adds a link to the set, ranked after every link the set holds.
void AddLink(std::set<BilingualLink>& links, BilingualLink link);

// Adds a link to the set with its own rank; a link already there keeps the
// lower of the two ranks.
void KeepLink(std::set<BilingualLink>& links, BilingualLink link);

// Counts per language code: what was read and why items were dropped.
struct BuildReport {
    std::map<std::string, std::map<std::string, int64_t>> read;
    std::map<std::string, std::map<std::string, int64_t>> dropped;

    void Read(const std::string& language, const std::string& what, int64_t n = 1) { read[language][what] += n; }
    void Drop(const std::string& language, const std::string& reason, int64_t n = 1) { dropped[language][reason] += n; }
};

}  // namespace pv
