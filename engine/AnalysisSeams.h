// The steps of the analysis passes that context scoring provides. Until it
// exists these do nothing: no context scores.
#pragma once

#include "engine/Chart.h"

namespace pv {

// Context scoring: the meanings of the cell's entries enter the text's
// context, and the cell's entries are scored against it.
void AddToContext(FragmentEntries& cell);
void ContextEval(FragmentEntries& cell);

}  // namespace pv
