// Phrase rules in the chart: unary rules inside one cell, the binary
// combination of neighbouring cells, and the building of a rule's entry
// (slot bindings, agreement, attribute inheritance, relations, score).
#pragma once

#include <cstdint>

#include "engine/FragmentEntry.h"
#include "morphology/SimplePhrases.h"

namespace pv {

// Applies the unary rules to every entry of cell (row, span), the entries
// they add included, until the cell holds 150C - 1 entries.
void ApplyUnaryRules(int row, int span);

// Combines every active, non-empty cell ending at i - 1 with cell
// (i, a - i) through the binary rules; the results go into the cells
// spanning both. Called for i > 0.
void CombineCells(int i, int a);

// Completes entry n (its children bound) as phrase rule `rule`: false when
// an agreement check fails. A failure inside keeps what was built.
bool ApplyRule(FE& n, int32_t rule);

// Builds into n the combination of left entry p and right entry h by rule
// part s: an intermediate entry when s does not finish its rule, otherwise
// the rule's entry. False when the rule rejects the pair. n is a new entry
// as constructed: it is filled, not cleared, since an entry is large.
bool CombineEntries(FE& p, FE& h, const SimplePhraseEntry& s, FE& n);

}  // namespace pv
