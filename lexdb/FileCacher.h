// Random access to a cached file: its logical content is cut into 1,024-byte
// blocks, each compressed alone as a raw deflate stream (or stored) at the
// stored offset that the block table at the end of the file gives. Blocks are
// decompressed on first use and kept until the cacher is destroyed.
//
// Not thread-safe: one reader at a time (the container's file position is
// shared by every block load).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lexdb/Container.h"

namespace pv {

class FileCacher {
public:
    static constexpr int32_t kBlockSize = 1024;

    // Opens the container and reads the block table. Throws EngineError
    // "FileCacher.Init: " + cause.
    explicit FileCacher(const std::string& path);

    // Makes block index present. A block counts as cached from the moment its
    // buffer exists; a stream that fails to decode leaves the bytes decoded so
    // far (the rest zero) and marks the block damaged. Throws EngineError
    // "FileCacher.ReadBlock: " + cause for an index outside the table or an
    // offset that cannot be sought.
    void ReadBlock(int32_t index);

    // Copies count bytes from logical position into destination, touching
    // only the blocks that hold them. Not checked against size: callers bound
    // their reads. Throws EngineError "FileCacher.Read: " + cause.
    void Read(int64_t position, void* destination, int32_t count);

    int32_t size() const { return size_; }
    int32_t blockCount() const { return static_cast<int32_t>(offsets_.size()); }
    bool IsCached(int32_t index) const { return blocks_[index] != nullptr; }
    bool IsDamaged(int32_t index) const { return damaged_[index]; }

private:
    ContainerPtr container_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<int32_t> offsets_;
    std::vector<bool> damaged_;
    int32_t size_ = 0;
};

}  // namespace pv
