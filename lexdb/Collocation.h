// One dictionary entry ("collocation") as the engine holds it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "morphology/Attributes.h"

namespace pv {

struct Collocation {
    std::u16string text;  // the headword
    WordArray wordIds;
    std::vector<WordArray> requiredAttributes;  // per word, each sorted ascending
    std::vector<WordArray> inheritedGroups;     // per word
    WordArray associatedAttributes;
    int32_t templateId = 0;
    int32_t partOfSpeech = 0;
    int32_t language = 0;
    int32_t valueC = 0;
    int32_t classId = 0;
    int32_t ancestorRecord = 0;          // filled by the engine
    std::u16string firstPrepositions;   // "|" + lower-cased words + "|"
    std::u16string secondPrepositions;  // "|" + words + "|", or empty
    std::string translations;           // entry ids separated by ";"
    double sourceScore = -100.0;
    double targetScore = -100.0;
    int32_t position = 0;  // filled by the engine
    int32_t meaningId = 0;
};

}  // namespace pv
