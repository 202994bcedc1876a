#include "lexdb/ColReaders.h"

#include <algorithm>

#include "engine/EngineError.h"
#include "lexdb/ByteReader.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

ColHeader ParseColHeader(std::string_view row) {
    ByteReader r(row);
    ColHeader h;
    h.textOffset = r.I32();
    h.templateId = r.I32();
    h.language = r.U8();
    h.classId = r.I32();
    h.partOfSpeech = r.I16();
    h.flag = r.U8();
    h.valueC = r.I16();
    h.firstScore = r.I32();
    h.secondScore = r.I32();
    h.meaningId = r.I32();
    return h;
}

std::string ColHdrReader::Get(int32_t row) {
    if (row < 0 || row >= RowCount())
        throw EngineError("ColHdrReader.Get: row " + std::to_string(row) + " outside the header file");
    std::string bytes(ColHeader::kSize, '\0');
    cacher_.Read(static_cast<int64_t>(row) * ColHeader::kSize, bytes.data(), ColHeader::kSize);
    return bytes;
}

std::string ColDataReader::Get(int64_t p, int32_t n) {
    try {
        const int64_t start = p - 1;
        if (start < 0 || start >= cacher_.size() || n <= 0) return {};
        std::string bytes(static_cast<std::size_t>(std::min<int64_t>(n, cacher_.size() - start)), '\0');
        cacher_.Read(start, bytes.data(), static_cast<int32_t>(bytes.size()));
        return bytes;
    } catch (const std::exception& error) {
        ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + u" in ColDataReader.Get");
        return {};
    }
}

IndexReader::IndexReader(const std::string& path) {
    if (path.empty()) return;
    cacher_ = std::make_unique<FileCacher>(path);
    count_ = cacher_->size() / 8;
}

IndexReader::Record IndexReader::Get(int32_t record) {
    if (record < 0 || record >= count_)
        throw EngineError("IndexReader.Get: record " + std::to_string(record) + " outside the index");
    char bytes[8];
    cacher_->Read(static_cast<int64_t>(record) * 8, bytes, 8);
    ByteReader r(std::string_view(bytes, 8));
    Record out;
    out.key = r.I32();
    out.value = r.I32();
    return out;
}

IndexReader::Found IndexReader::Find(int32_t key) {
    if (count_ == 0) return {false, 0};
    // Lower bound: the first of several records with the same key. Keys are
    // mostly spread evenly (record numbers, word ids), so the search guesses
    // the place from the keys at both ends of the range and touches one or
    // two blocks of the file where halving would touch a dozen. A guess that
    // does not halve the range is followed by a halving step, which bounds
    // the probes by twice those of a binary search.
    int64_t lowKey = Get(0).key;
    if (lowKey >= key) return {lowKey == key, 0};
    int64_t highKey = Get(count_ - 1).key;
    if (highKey < key) return {false, 0};
    // Record low - 1 has a key below `key` (lowKey), record high one not
    // below it (highKey); the first record with key is in (low - 1, high].
    int32_t low = 1, high = count_ - 1;
    bool guess = true;
    while (low < high) {
        const int32_t width = high - low;
        int32_t probe = low + width / 2;
        if (guess && highKey > lowKey) {
            const int64_t offset = (key - lowKey) * (width + 1) / (highKey - lowKey);
            probe = static_cast<int32_t>(std::clamp<int64_t>(low - 1 + offset, low, high - 1));
        }
        const int32_t probeKey = Get(probe).key;
        if (probeKey < key) {
            low = probe + 1;
            lowKey = probeKey;
        } else {
            high = probe;
            highKey = probeKey;
        }
        guess = 2 * (high - low) <= width;
    }
    return {Get(high).key == key, high};
}

}  // namespace pv
