#include "engine/AnalysisPasses.h"

// Without a loaded dictionary the chart stays empty: no leaves, hence no
// context scores, no combinations and the one-word plan of the driver.
// Translation lookup, collocation search, context scoring and phrase rules
// fill these passes in.

namespace pv {

void FragmentPass(int) {}

void ContextPass(int) {}

void PhrasePass(int) {}

}  // namespace pv
