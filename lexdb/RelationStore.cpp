#include "lexdb/RelationStore.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

#include "engine/EngineError.h"
#include "lexdb/ByteReader.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::size_t kRecordSize = 18;
constexpr std::size_t kHeadSize = 16;
constexpr int32_t kEntrySize = 10;
constexpr int32_t kEntriesPerRead = 8192;

void ShowException(const std::exception& error, const char16_t* where) {
    ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + u" in " + where);
}

bool EntryBefore(const ExtRelEntry& a, uint16_t type, int32_t second) {
    return a.second < second || (a.second == second && a.type < type);
}

}  // namespace

RelationHash::RelationHash(bool indexed, int32_t count)
    : byTriple_(static_cast<std::size_t>(std::max(count, 1)), -1), count_(std::max(count, 1)), indexed_(indexed) {
    if (indexed_) byId_ = byFirst_ = bySecond_ = byTriple_;
}

int32_t RelationHash::Slot(int64_t value) const { return static_cast<int32_t>(std::llabs(value) % count_); }

template <typename Match>
int32_t RelationHash::Probe(const std::vector<int32_t>& index, int64_t start, Match match) const {
    if (index.empty()) return -1;
    int32_t slot = Slot(start);
    // At most one round: a full index must not loop forever.
    for (int32_t steps = 0; steps < count_ && index[slot] != -1; ++steps) {
        if (match(records_[index[slot]])) return index[slot];
        slot = slot == count_ - 1 ? 0 : slot + 1;
    }
    return -1;
}

void RelationHash::Insert(std::vector<int32_t>& index, int64_t start, int32_t position) {
    int32_t slot = Slot(start);
    for (int32_t steps = 0; index[slot] != -1; ++steps) {
        if (steps == count_) throw EngineError("relation index full");
        slot = slot == count_ - 1 ? 0 : slot + 1;
    }
    index[slot] = position;
}

void RelationHash::AddRel(const RelationRecord& r) {
    const auto position = static_cast<int32_t>(records_.size());
    records_.push_back(r);
    const int64_t type = static_cast<int64_t>(r.type) + 1;
    try {
        if (indexed_) {
            if (RelAtoArrPos(r.type, r.first) < 0) Insert(byFirst_, type * 127 + r.first, position);
            if (RelBtoArrPos(r.type, r.second) < 0) Insert(bySecond_, type * 127 + r.second, position);
            Insert(byId_, static_cast<int64_t>(r.relationId) * 7, position);
        }
        Insert(byTriple_, type * r.first + r.second, position);
    } catch (const std::exception& error) {
        ShowException(error, u"RelationHash.AddRel");
    }
}

int32_t RelationHash::RelAtoArrPos(uint16_t type, int32_t first) const {
    return Probe(byFirst_, (static_cast<int64_t>(type) + 1) * 127 + first,
                 [&](const RelationRecord& r) { return r.type == type && r.first == first; });
}

int32_t RelationHash::RelBtoArrPos(uint16_t type, int32_t second) const {
    return Probe(bySecond_, (static_cast<int64_t>(type) + 1) * 127 + second,
                 [&](const RelationRecord& r) { return r.type == type && r.second == second; });
}

RelationMatch RelationHash::FindRel(uint16_t type, int32_t first, int32_t second) const {
    const int32_t position =
        Probe(byTriple_, (static_cast<int64_t>(type) + 1) * first + second, [&](const RelationRecord& r) {
            return r.type == type && r.first == first && r.second == second;
        });
    if (position < 0) return {};
    return {true, records_[position].weight / 1000.0, records_[position].relationId};
}

int32_t RelationHash::IdToArrPos(int32_t relationId) const {
    return Probe(byId_, static_cast<int64_t>(relationId) * 7,
                 [&](const RelationRecord& r) { return r.relationId == relationId; });
}

std::unique_ptr<RelationHash> LoadRelationHash(const std::string& path, int32_t count) {
    auto hash = std::make_unique<RelationHash>(true, count);
    const CountedBlock block = ReadCountedBlock(path);
    ByteReader reader(block.payload);
    for (std::size_t i = 0; i < block.payload.size() / kRecordSize; ++i) {
        RelationRecord r;
        r.type = reader.U16();
        r.first = reader.I32();
        r.second = reader.I32();
        r.weight = reader.I32();
        r.relationId = reader.I32();
        hash->AddRel(r);
    }
    return hash;
}

RelationLoader::RelationLoader(const std::string& dataPath, const std::string& indexPath) {
    data_.reset(ContainerOpen(dataPath));
    if (!data_) return;
    try {
        const int64_t size = ContainerFileSize(data_.get());
        char tail[4];
        if (size < 4 || !ContainerRawRead(data_.get(), size - 4, tail, 4))
            throw EngineError("no trailing size in " + dataPath);
        trailingSize_ = ByteReader(std::string_view(tail, 4)).I32();
    } catch (const std::exception& error) {
        ShowException(error, u"RelationLoader.InitCompressedMode/DataFile");
        return;
    }
    try {
        ContainerPtr probe(ContainerOpen(indexPath));
        if (!probe) return;
        probe.reset();
        const CountedBlock block = ReadCountedBlock(indexPath);
        if (!block.complete) throw EngineError("damaged index " + indexPath);
        ByteReader reader(block.payload);
        std::vector<Head> heads(block.payload.size() / kHeadSize);
        for (std::size_t i = 0; i < heads.size(); ++i) {
            heads[i].key = reader.I32();
            heads[i].offset = reader.I32();
            heads[i].length = reader.I32();
            reader.I32();  // holds the entries in memory
            if (heads[i].length < 0) throw EngineError("negative entry length in " + indexPath);
            if (i > 0 && heads[i - 1].key >= heads[i].key) throw EngineError("index not sorted: " + indexPath);
        }
        heads_ = std::move(heads);
        current_ = heads_.empty() ? -1 : 0;
    } catch (const std::exception& error) {
        ShowException(error, u"RelationLoader.InitCompressedMode/IndexFile");
    }
}

void RelationLoader::LoadCurrent() {
    Head& head = heads_[current_];
    head.loaded = true;
    const int32_t total = head.length / kEntrySize;
    std::string bytes;
    int got = 0;
    if (total > 0 && !ContainerRestartAt(data_.get(), head.offset)) got = -1;
    // In steps, keeping only whole entries that decoded.
    for (int32_t done = 0; got >= 0 && done < total;) {
        const int32_t step = std::min(kEntriesPerRead, total - done);
        std::string chunk(static_cast<std::size_t>(step) * kEntrySize, '\0');
        got = ContainerRead(data_.get(), chunk.data(), static_cast<int>(chunk.size()));
        if (got > 0) bytes.append(chunk.data(), static_cast<std::size_t>(got));
        if (got < static_cast<int>(chunk.size())) break;
        done += step;
    }
    ByteReader reader(bytes);
    head.entries.resize(bytes.size() / kEntrySize);
    for (ExtRelEntry& entry : head.entries) {
        entry.type = reader.U16();
        entry.second = reader.I32();
        entry.weight = reader.I32();
    }
    if (got < 0) throw EngineError("RelationLoader.LoadCurrent: bad read");
}

RelationMatch RelationLoader::InRel(uint16_t type, int32_t key, int32_t second) {
    try {
        auto head = std::lower_bound(heads_.begin(), heads_.end(), key,
                                     [](const Head& h, int32_t k) { return h.key < k; });
        if (head == heads_.end() || head->key != key) return {};
        current_ = static_cast<int32_t>(head - heads_.begin());
        if (!head->loaded) LoadCurrent();
        auto entry = std::lower_bound(head->entries.begin(), head->entries.end(), 0,
                                      [&](const ExtRelEntry& e, int) { return EntryBefore(e, type, second); });
        if (entry == head->entries.end() || entry->type != type || entry->second != second) return {};
        return {true, static_cast<double>(entry->weight), 0};
    } catch (const std::exception& error) {
        ShowException(error, u"RelationLoader.InRel");
        return {};
    }
}

}  // namespace pv
