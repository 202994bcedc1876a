// The plan: the best covering of the window by plan-eligible entries, kept
// per end position, and the pruning of start positions it guides.
#pragma once

#include "engine/FragmentEntry.h"

namespace pv {

// Takes cell (i, a - i) into the path arrays and the plan entry of end
// position a + 1: a segment costs 2, and an uncovered word 100.
void AddCellToPlan(int i, int a);

// Whether entry, as a segment from start position to end position e - 1,
// scores more than a margin below the best plan segment of its source
// language that ends there.
bool OutscoredSegment(const FE& entry, int start, int e);

// The active start position among 1 .. a - 1 on which the fewest
// boundaries of the current best plan fall (the lowest on a tie), or -1.
// A boundary is a segment end, or the start of a right part inside a
// segment's entry.
int PruneStart(int a);

}  // namespace pv
