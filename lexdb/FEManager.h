// The pool of the engine's fragment entries.
#pragma once

#include "engine/Chart.h"
#include "lexdb/FragmentPool.h"

namespace pv {

using FEManager = FragmentPool<FE>;
extern template class FragmentPool<FE>;

}  // namespace pv
