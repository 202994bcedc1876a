#include "engine/AnalysisSeams.h"

namespace pv {

void AddToContext(FragmentEntries&) {}

void ContextEval(FragmentEntries&) {}

}  // namespace pv
