// The grammar as data: phrase rules (PhraseEntry) for analysing the source
// sentence and synthesis phrases (SynthPhraseEntry) for building the target
// sentence, loaded from the fifteen phrase table files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "morphology/Attributes.h"

namespace pv {

class CollocationInstances;

// Element of a phrase's list S.
struct PhraseSElement {
    int32_t a = 0;
    int32_t d = 0;
    int32_t b = 0;
    uint8_t c = 0;
    bool operator==(const PhraseSElement&) const = default;
};

// Element of a phrase's list I.
struct PhraseIElement {
    int32_t a = 0;
    int32_t b = 0;
    uint8_t c = 0;
    bool operator==(const PhraseIElement&) const = default;
};

// Element of a phrase's list J.
struct PhraseJElement {
    int16_t a = 0;
    int16_t b = 0;
    uint8_t c = 0;
    bool operator==(const PhraseJElement&) const = default;
};

// Element of a phrase's list P; entryInstance indexes the collocation
// instance table (-1: none).
struct PhrasePElement {
    int32_t a = 0;
    int32_t entryInstance = -1;
    int32_t b = 0;
    bool operator==(const PhrasePElement&) const = default;
};

// A link from a phrase rule to the synthesis phrase that renders it.
struct PhraseLink {
    double weight = 0;
    int32_t synth = 0;
    bool operator==(const PhraseLink&) const = default;
};

// A relation between constituents (list R); type is a relation type.
struct PhraseRelation {
    int32_t type = 0;
    int32_t a = 0;
    int32_t b = 0;
    uint8_t c = 0;
    bool operator==(const PhraseRelation&) const = default;
};

struct PhraseEntry {
    std::vector<WordCondsArray> slotConditions;  // one list per constituent slot
    std::vector<int32_t> anchors;                // one per slot
    std::vector<PhraseSElement> s;
    std::vector<PhraseIElement> i;
    std::vector<PhraseJElement> j;
    std::vector<PhrasePElement> p;
    std::vector<PhraseLink> links;
    std::vector<PhraseRelation> relations;
    WordCondsArray conditions;  // the phrase's own conditions
    int32_t p1 = 0;
    int32_t p2 = 0;
    int32_t p3 = 0;
    uint8_t b1 = 0;
    uint8_t b2 = 0;
    double score1 = 0;
    double score2 = 0;
    int32_t entryInstance = -1;
    std::u16string name;

    int32_t SlotCount() const { return static_cast<int32_t>(slotConditions.size()); }
};

// One step of building a synthesis phrase.
struct BuildStep {
    int32_t a = 0;
    int32_t b = 0;
    WordCondsArray conditions;
    uint8_t c = 0;
    std::vector<WordCondsArray> slotConditions;  // per slot
    std::u16string text1;
    std::u16string text2;
    std::vector<WordCondsArray> assignments;  // per slot
};

struct SynthPhraseEntry {
    int32_t value = 0;
    std::vector<PhraseRelation> relations;
    std::vector<BuildStep> steps;
};

// The loaded rule tables.
struct PhraseTables {
    std::vector<PhraseEntry> phrases;
    std::vector<SynthPhraseEntry> synthPhrases;

    // Clears both tables and loads the fifteen files below base in their
    // fixed order (the P list file only when it exists). Every dictionary
    // entry a phrase names is loaded with LoadCollocationFromFile and added
    // to instances, bound to no window position. A missing, damaged or
    // oversized file loads as an empty table; a record naming a phrase,
    // synthesis phrase, build step or slot that does not exist is ignored.
    void Load(const std::string& base, CollocationInstances& instances);
};

}  // namespace pv
