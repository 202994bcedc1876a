// The static entries: the entries that phrase rules bind to an empty slot
// by default, made once from a collocation instance and kept for good.
#pragma once

#include <cstdint>

#include "engine/FragmentEntry.h"

namespace pv {

// The entry of collocation instance `instance`, made on first use: a
// complete leaf bound to no window position (start -1). Null for an index
// outside the instance table.
FE* StaticEntry(int32_t instance);

// Forgets every static entry (after the instance table was rebuilt).
void ClearStaticEntries();

}  // namespace pv
