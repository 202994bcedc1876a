// Readers of the collocation files: fixed 34-byte header rows, zero-ended
// entry texts, and sorted (key, value) index files, each through a
// FileCacher so that only the blocks a lookup touches are decompressed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "lexdb/FileCacher.h"

namespace pv {

// One header row of the ".HDR" file.
struct ColHeader {
    static constexpr int32_t kSize = 34;
    int32_t textOffset = 0;  // 0-based, in the ".DAT" file
    int32_t templateId = 0;
    uint8_t language = 0;
    int32_t classId = 0;
    int16_t partOfSpeech = 0;
    uint8_t flag = 0;  // an equivalent is accepted only when it is 1
    int16_t valueC = 0;
    int32_t firstScore = 0;   // × 1000
    int32_t secondScore = 0;  // × 1000
    int32_t meaningId = 0;
};
ColHeader ParseColHeader(std::string_view row);  // row holds kSize bytes

class ColHdrReader {
public:
    explicit ColHdrReader(const std::string& path) : cacher_(path) {}
    int32_t RowCount() const { return cacher_.size() / ColHeader::kSize; }
    // The 34 bytes of a row. Throws EngineError for a row outside the file.
    std::string Get(int32_t row);

private:
    FileCacher cacher_;
};

class ColDataReader {
public:
    explicit ColDataReader(const std::string& path) : cacher_(path) {}
    // At most n bytes from 1-based position p on, fewer at the end of the
    // file, none when p - 1 lies outside it. Errors are shown in an error box
    // and give an empty string.
    std::string Get(int64_t p, int32_t n);

private:
    FileCacher cacher_;
};

class IndexReader {
public:
    struct Record {
        int32_t key = 0;
        int32_t value = 0;
    };
    struct Found {
        bool found = false;
        int32_t record = 0;
    };

    // An empty path gives a reader with no file and no records.
    explicit IndexReader(const std::string& path);
    int32_t count() const { return count_; }
    // Throws EngineError for a record outside the file.
    Record Get(int32_t record);
    // The first record with key (records are sorted by key).
    Found Find(int32_t key);

private:
    std::unique_ptr<FileCacher> cacher_;
    int32_t count_ = 0;
};

}  // namespace pv
