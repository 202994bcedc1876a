// The builder's own model of the lexicon: lemmas with their forms (each
// with attribute value ids), bilingual links between lemmas, and what was
// read and dropped on the way.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
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
};

// A translation between two lemmas; a part of speech of 0 matches any.
struct BilingualLink {
    LemmaKey from, to;
    auto operator<=>(const BilingualLink&) const = default;
};

// Counts per language code: what was read and why items were dropped.
struct BuildReport {
    std::map<std::string, std::map<std::string, int64_t>> read;
    std::map<std::string, std::map<std::string, int64_t>> dropped;

    void Read(const std::string& language, const std::string& what, int64_t n = 1) { read[language][what] += n; }
    void Drop(const std::string& language, const std::string& reason, int64_t n = 1) { dropped[language][reason] += n; }
};

}  // namespace pv
