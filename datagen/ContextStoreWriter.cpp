#include "datagen/ContextStoreWriter.h"

#include <unordered_set>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"

namespace pv {

void WriteContextStore(const std::string& base, const std::vector<ContextStoreEntry>& entries) {
    if (entries.size() >= static_cast<std::size_t>(kContextSlots))
        throw WriterError("context store with more keys than its table holds");
    std::vector<int32_t> slots(kContextSlots, -1);
    std::unordered_set<int32_t> seen;
    ByteWriter heads;
    RawStreamFile data;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ContextStoreEntry& entry = entries[i];
        if (entry.key < 0) throw WriterError("negative context key");
        if (!seen.insert(entry.key).second) throw WriterError("context key " + std::to_string(entry.key) + " twice");
        int32_t slot = entry.key % kContextSlots;
        while (slots[slot] != -1) slot = slot == kContextSlots - 1 ? 0 : slot + 1;
        slots[slot] = static_cast<int32_t>(i);

        ByteWriter pairs;
        for (const ContextPair& pair : entry.pairs) {
            pairs.I32(pair.first);
            pairs.I32(pair.second);
        }
        heads.I32(entry.key);
        heads.I32(entry.pairs.empty() ? -1 : data.AddStream(pairs.bytes()));
        heads.I32(static_cast<int32_t>(entry.pairs.size()));
        heads.I32(0);
    }
    ByteWriter hash;
    hash.I32(static_cast<int32_t>(entries.size()));
    for (int32_t slot : slots) hash.I32(slot);
    WriteContainer(base + "HASH.DAT", hash.bytes());
    WriteCountedContainer(base + "HEAD.DAT", heads.bytes());
    WriteFileAtomically(base + "DATA.DAT", data.Finish());
}

}  // namespace pv
