#include "lexdb/FEManager.h"

namespace pv {

template class FragmentPool<FE>;

}  // namespace pv
