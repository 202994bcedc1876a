// Entries made by hand for the chart tests.
#pragma once

#include "engine/FragmentEntry.h"

namespace pv::test {

// A complete, plan-eligible leaf of its own source instance.
inline FE Leaf(int32_t sourceInstance, double score, int start = 0, int span = 0) {
    FE entry;
    entry.sourceInstance = sourceInstance;
    entry.score = score;
    entry.start = static_cast<int16_t>(start);
    entry.span = static_cast<int16_t>(span);
    entry.complete = 1;
    entry.planEligible = 1;
    return entry;
}

}  // namespace pv::test
