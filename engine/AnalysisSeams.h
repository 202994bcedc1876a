// The steps of the analysis passes that collocation search and context
// scoring provide. Until they exist these do nothing: no collocation
// leaves, no context scores.
#pragma once

#include "engine/Chart.h"

namespace pv {

// Collocation search: the leaves of span q..a into the temporary cell, and
// the growing of the partial matches of span q..a.
void TryCollocationSQL(int q, int a, FragmentEntries& cell);
void ExtendPartialMatches(int q, int a);

// Context scoring: the meanings of the cell's entries enter the text's
// context, and the cell's entries are scored against it.
void AddToContext(FragmentEntries& cell);
void ContextEval(FragmentEntries& cell);

}  // namespace pv
