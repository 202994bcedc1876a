// Writer of a context data store (the inverse of ContextDataHash): base +
// "HASH.DAT" (slot table), "HEAD.DAT" (head records) and "DATA.DAT" (one
// raw deflate stream of pairs per key).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lexdb/ContextStore.h"

namespace pv {

struct ContextStoreEntry {
    int32_t key = 0;
    std::vector<ContextPair> pairs;
};

// base is the path without suffix, e.g. ".../Data/CD". Keys are placed in
// the order given. Throws WriterError for a negative or repeated key, or
// more keys than the table can hold with one slot left empty.
void WriteContextStore(const std::string& base, const std::vector<ContextStoreEntry>& entries);

}  // namespace pv
