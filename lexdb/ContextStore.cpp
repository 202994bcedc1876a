#include "lexdb/ContextStore.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "lexdb/ByteReader.h"
#include "lexdb/DataPath.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::size_t kHeadSize = 16;
constexpr int32_t kPairSize = 8;
constexpr int32_t kPairsPerRead = 8192;

std::string StorePath(const std::string& programFolder, std::string_view prefix, const char* suffix) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return ResolveDataPath(folder, "Data\\" + std::string(prefix) + suffix);
}

}  // namespace

ContextDataHash::ContextDataHash() : slots_(kContextSlots, -1) {}

ContextDataHash::ContextDataHash(const std::string& programFolder, std::string_view prefix) : ContextDataHash() {
    if (prefix.empty()) return;
    if (!Load(programFolder, prefix)) {
        std::fill(slots_.begin(), slots_.end(), -1);
        heads_.clear();
        data_.reset();
    }
}

bool ContextDataHash::Load(const std::string& programFolder, std::string_view prefix) {
    const ContainerContent hash = ReadWholeContainer(StorePath(programFolder, prefix, "HASH.DAT"));
    if (hash.status != ContainerStatus::StreamEnd || hash.bytes.size() != 4 + 4 * std::size_t{kContextSlots})
        return false;
    const CountedBlock head = ReadCountedBlock(StorePath(programFolder, prefix, "HEAD.DAT"));
    if (!head.complete) return false;

    ByteReader heads(head.payload);
    heads_.resize(head.payload.size() / kHeadSize);
    for (ContextDataHeadRec& rec : heads_) {
        rec.key = heads.I32();
        rec.offset = heads.I32();
        rec.pairCount = heads.I32();
        heads.I32();  // holds the pair array in memory
        if (rec.pairCount < 0) return false;
    }
    ByteReader slots(hash.bytes);
    slots.I32();  // not used
    for (int32_t& slot : slots_) {
        slot = slots.I32();
        if (slot < -1 || slot >= static_cast<int64_t>(heads_.size())) return false;
    }
    data_.reset(ContainerOpen(StorePath(programFolder, prefix, "DATA.DAT")));
    return true;
}

void ContextDataHash::LoadPairs(ContextDataHeadRec& head) {
    head.loaded = true;
    if (head.offset < 0 || head.pairCount == 0) return;
    // Read in steps, so that a count larger than the stream costs nothing,
    // and keep only the pairs that really decoded.
    std::string bytes;
    bool restarted = false;
    for (int32_t done = 0; done < head.pairCount;) {
        const int32_t step = std::min(kPairsPerRead, head.pairCount - done);
        std::string chunk(static_cast<std::size_t>(step) * kPairSize, '\0');
        if (!restarted && !ContainerRestartAt(data_.get(), head.offset)) break;
        restarted = true;
        const int got = ContainerRead(data_.get(), chunk.data(), static_cast<int>(chunk.size()));
        if (got > 0) bytes.append(chunk.data(), static_cast<std::size_t>(got));
        if (got < static_cast<int>(chunk.size())) break;
        done += step;
    }
    ByteReader reader(bytes);
    head.pairs.resize(bytes.size() / kPairSize);
    for (ContextPair& pair : head.pairs) {
        pair.first = reader.I32();
        pair.second = reader.I32();
    }
}

void ContextDataHash::Seek(int32_t key) {
    try {
        position_ = 0;
        last_ = -1;
        currentHead_ = -1;
        if (key < 0) return;
        // Bounded, so that a table without an empty slot cannot loop forever.
        probe_ = key % kContextSlots;
        for (int32_t steps = 0; slots_[probe_] != -1 && heads_[slots_[probe_]].key != key; ++steps) {
            if (steps == kContextSlots) return;
            probe_ = probe_ == kContextSlots - 1 ? 0 : probe_ + 1;
        }
        if (slots_[probe_] == -1) return;
        ContextDataHeadRec& head = heads_[slots_[probe_]];
        if (!head.loaded) LoadPairs(head);
        currentHead_ = slots_[probe_];
        last_ = static_cast<int32_t>(head.pairs.size()) - 1;
    } catch (const std::exception& error) {
        ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + u" in ContextDataHash.Seek");
    }
}

bool ContextDataHash::GetNextCBF(int32_t& first, int32_t& second) {
    if (currentHead_ < 0 || position_ > last_) return false;
    const ContextPair& pair = heads_[currentHead_].pairs[position_++];
    first = pair.first;
    second = pair.second;
    return true;
}

ContextHash::ContextHash() : slots_(kContextSlots, Slot{-1, -1}) {}

int32_t ContextHash::FindSlot(int32_t key) const {
    if (key < 0) return -1;
    int32_t slot = key % kContextSlots;
    for (int32_t steps = 0; slots_[slot].key != -1 && slots_[slot].key != key; ++steps) {
        if (steps == kContextSlots) return -1;
        slot = slot == kContextSlots - 1 ? 0 : slot + 1;
    }
    return slot;
}

void ContextHash::Add(int32_t key, int32_t amount) {
    const int32_t slot = FindSlot(key);
    if (slot < 0) return;
    Slot& s = slots_[slot];
    if (s.key == key) {
        const int64_t sum = static_cast<int64_t>(s.value) + amount;
        s.value = static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()));
    } else {
        s = Slot{key, amount};
    }
}

std::optional<int32_t> ContextHash::Get(int32_t key) const {
    const int32_t slot = FindSlot(key);
    if (slot < 0 || slots_[slot].key != key) return std::nullopt;
    return slots_[slot].value;
}

void ContextHash::Reset() { std::fill(slots_.begin(), slots_.end(), Slot{-1, -1}); }

}  // namespace pv
