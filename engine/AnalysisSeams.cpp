#include "engine/AnalysisSeams.h"

namespace pv {

void TryCollocationSQL(int, int, FragmentEntries&) {}

void ExtendPartialMatches(int, int) {}

void AddToContext(FragmentEntries&) {}

void ContextEval(FragmentEntries&) {}

}  // namespace pv
