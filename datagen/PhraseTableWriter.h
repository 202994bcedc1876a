// Writer of the fifteen phrase table files: the exact inverse of
// PhraseTables::Load. Throws WriterError for anything the loader could not
// read back as given.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "morphology/Attributes.h"
#include "morphology/PhraseTables.h"

namespace pv {

struct PhraseSlotSource {
    WordCondsArray conditions;
    int32_t anchor = 0;
};

// Element of list P naming a dictionary entry by id (< 0: none).
struct PhrasePSource {
    int32_t a = 0;  // stored in 16 bits
    int32_t entryId = -1;
    int32_t b = 0;
};

struct PhraseSource {
    int32_t p1 = 0;
    int32_t p2 = 0;
    int32_t p3 = 0;
    uint8_t b1 = 0;
    uint8_t b2 = 0;
    double score1 = 0;  // stored as rounded thousandths
    double score2 = 0;
    int32_t entryId = 0;  // <= 0: none
    std::string name;     // UTF-8, at most 100 bytes
    // A slot without conditions reads back only when a later slot has some
    // and its own anchor is 0.
    std::vector<PhraseSlotSource> slots;
    std::vector<PhraseSElement> s;
    std::vector<PhraseIElement> i;
    WordCondsArray conditions;
    std::vector<PhraseJElement> j;
    std::vector<PhraseRelation> relations;  // type stored in 16 bits
    std::vector<PhraseLink> links;          // synth must name a synthesis phrase
    std::vector<PhrasePSource> p;
};

struct BuildStepSource {
    int32_t a = 0;
    int32_t b = 0;
    uint8_t c = 0;
    std::string text1;  // UTF-8, at most 100 bytes
    std::string text2;  // UTF-8, at most 30 bytes
    WordCondsArray conditions;
    // Per slot; the last slot of each must have conditions.
    std::vector<WordCondsArray> assignments;
    std::vector<WordCondsArray> slotConditions;
};

struct SynthPhraseSource {
    int32_t value = 0;
    std::vector<PhraseRelation> relations;
    std::vector<BuildStepSource> steps;
};

struct PhraseTableSet {
    std::vector<PhraseSource> phrases;
    std::vector<SynthPhraseSource> synthPhrases;
};

// The records of each file (the payload after its byte count), in loading
// order, with the file's name.
std::vector<std::pair<const char*, std::string>> EncodePhraseTables(const PhraseTableSet& tables);

// Writes all fifteen containers below base (the "DATA" folder is created).
void WritePhraseTables(const std::string& base, const PhraseTableSet& tables);

}  // namespace pv
