// Writers of the relation table "DATA\RELS.DAT" and of the extended
// relations "DATA\EXTREL.IDX" / "DATA\EXTREL.DAT" (the inverses of
// lexdb/RelationStore.h).
#pragma once

#include <string>
#include <vector>

#include "lexdb/RelationStore.h"

namespace pv {

void WriteRelationTable(const std::string& path, const std::vector<RelationRecord>& records);

struct ExtRelKey {
    int32_t key = 0;
    std::vector<ExtRelEntry> entries;  // sorted by second id, then type
};

// Throws WriterError for keys not strictly ascending or entries not
// strictly ascending by (second id, type): the reader finds both by binary
// search.
void WriteExtendedRelations(const std::string& dataPath, const std::string& indexPath,
                            const std::vector<ExtRelKey>& keys);

}  // namespace pv
