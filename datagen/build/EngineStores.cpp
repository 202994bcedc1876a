#include "datagen/build/EngineStores.h"

#include "datagen/ByteWriter.h"
#include "datagen/ContextStoreWriter.h"
#include "datagen/PhraseTableWriter.h"
#include "datagen/RelationWriter.h"
#include "lexdb/DataPath.h"

namespace pv {

void WriteEmptyEngineStores(const std::string& base) {
    CreateDataFolder(base);
    WriteRelationTable(ResolveDataPath(base, "DATA\\RELS.DAT"), {});
    WriteExtendedRelations(ResolveDataPath(base, "DATA\\EXTREL.DAT"), ResolveDataPath(base, "DATA\\EXTREL.IDX"), {});
    for (const char* store : {"Data\\CD", "Data\\RCD"}) WriteContextStore(ResolveDataPath(base, store), {});
    WritePhraseTables(base, {});
}

}  // namespace pv
