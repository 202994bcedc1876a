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
    // Lower bound: the first of several records with the same key.
    int32_t low = 0, high = count_;
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (Get(middle).key < key) low = middle + 1;
        else high = middle;
    }
    if (low < count_ && Get(low).key == key) return {true, low};
    return {false, 0};
}

}  // namespace pv
