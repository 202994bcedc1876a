// The fragment entry (FE): one analysis of a stretch of the window, a leaf
// for a translated word or collocation or an inner entry for a phrase rule
// applied to child entries.
#pragma once

#include <array>
#include <cstdint>

#include "morphology/Attributes.h"

namespace pv {

constexpr int kFERelations = 26;
constexpr int kFEPendingRules = 26;
constexpr int kFESlots = 21;     // slot bindings 0..20
constexpr int kFEChildren = 21;  // children 1..20; element 0 stays empty
constexpr int kFEWordIds = 11;

// A relation between two slots of an entry, scored by relation scoring.
struct FERelation {
    int32_t kind = 0;
    int32_t firstSlot = 0;
    int32_t secondSlot = 0;
    uint8_t flag = 0;
};

// The default member values are the state in which the FEManager pool hands
// an entry out.
struct FE {
    std::array<FERelation, kFERelations> relations{};
    uint8_t relationCount = 0;
    // Phrase rules whose relation scoring is still open, by rule index.
    std::array<int32_t, kFEPendingRules> pendingRules{};
    uint8_t pendingCount = 0;

    int16_t start = 0;  // window position of the first word
    int16_t span = 0;   // words minus one
    int16_t index = 0;  // position in its cell's list

    std::array<FE*, kFESlots> slots{};        // entries bound to the rule's slots
    std::array<FE*, kFEChildren> children{};  // the constituents combined by the rule

    // Class ids used by relation scoring; -1 = none.
    std::array<int32_t, kFEWordIds> wordIds = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    uint8_t wordIdCount = 0;

    int32_t sourceInstance = -1;  // source collocation instance, -1 for none
    int32_t targetInstance = -1;  // target collocation instance, -1 while untranslated
    int32_t category = 0;         // value of attribute group 1 of the inherited set
    AttributeSet inherited;       // decides rule and template choice
    AttributeSet associated;      // decides word forms
    int32_t rule = -1;            // phrase rule applied, -1 for a leaf

    uint8_t complete = 0;      // a collocation leaf or a finished rule application
    uint8_t planEligible = 0;  // may form a plan segment
    double planBonus = 0.0;    // added to the score as a plan segment
    uint8_t language = 0;      // source language, 0 when mixed
    double score = 0.0;
    double bestGain = 0.0;  // largest gain of a combination with this entry as left part

    FE* leftChild = nullptr;
    FE* rightChild = nullptr;
    int32_t candidateList = -1;  // the cell's list of rule parts it can start, -1 for none

    // The window shift that last moved this entry, so that an entry reached
    // both through its cell and as a sub-entry moves only once.
    uint32_t shiftStamp = 0;
};

}  // namespace pv
