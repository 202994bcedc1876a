// Entries that combine alike as the right part of a rule part: what a
// finished rule reads of its right part decides which of its entries give
// results that the target cell would hold as one.
#pragma once

#include "engine/FragmentEntry.h"
#include "morphology/SimplePhrases.h"

namespace pv {

// What the rule of a rule part reads of the entry combined as its right part.
enum class PartReading {
    // The whole entry; every entry combines differently.
    Whole,
    // All but its associated set and its translation: neither is inherited,
    // and translations meet no relation of target meanings.
    AllButForms,
    // Only its language, its open relations and its pending rules: the rule
    // binds it to no slot and takes nothing from it.
    Lists,
};

PartReading RightPartReading(const SimplePhraseEntry& s);

// Whether y, as the right part of a rule part of the given reading, gives
// the results of x apart from the score: both then lie in the same
// chart cell, and the one scored lower is dropped there.
bool CombineAlike(const FE& x, const FE& y, PartReading reading);

}  // namespace pv
