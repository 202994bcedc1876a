#include "datagen/RelationWriter.h"

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"

namespace pv {

void WriteRelationTable(const std::string& path, const std::vector<RelationRecord>& records) {
    ByteWriter w;
    for (const RelationRecord& r : records) {
        w.U16(r.type);
        w.I32(r.first);
        w.I32(r.second);
        w.I32(r.weight);
        w.I32(r.relationId);
    }
    WriteCountedContainer(path, w.bytes());
}

void WriteExtendedRelations(const std::string& dataPath, const std::string& indexPath,
                            const std::vector<ExtRelKey>& keys) {
    RawStreamFile data;
    ByteWriter index;
    uint32_t total = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const ExtRelKey& key = keys[k];
        if (k > 0 && keys[k - 1].key >= key.key) throw WriterError("extended relation keys not ascending");
        ByteWriter entries;
        for (std::size_t i = 0; i < key.entries.size(); ++i) {
            const ExtRelEntry& e = key.entries[i];
            if (i > 0) {
                const ExtRelEntry& p = key.entries[i - 1];
                if (p.second > e.second || (p.second == e.second && p.type >= e.type))
                    throw WriterError("extended relation entries of key " + std::to_string(key.key) +
                                      " not ascending by second id and type");
            }
            entries.U16(e.type);
            entries.I32(e.second);
            entries.I32(e.weight);
        }
        index.I32(key.key);
        index.I32(data.AddStream(entries.bytes()));
        index.I32(static_cast<int32_t>(entries.size()));
        index.I32(0);
        total += static_cast<uint32_t>(entries.size());
    }
    // The trailing size (the bytes of all entries) is stored unscrambled.
    ByteWriter trailer;
    trailer.U32(total);
    WriteFileAtomically(dataPath, data.Finish(trailer.bytes()));
    WriteCountedContainer(indexPath, index.bytes());
}

}  // namespace pv
