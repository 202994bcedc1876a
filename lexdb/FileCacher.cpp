#include "lexdb/FileCacher.h"

#include <algorithm>
#include <cstring>

#include "engine/EngineError.h"
#include "lexdb/ByteReader.h"

namespace pv {

namespace {

[[noreturn]] void Fail(const char* operation, const std::string& cause) {
    throw EngineError(std::string(operation) + ": " + cause);
}

}  // namespace

FileCacher::FileCacher(const std::string& path) : container_(ContainerOpen(path)) {
    if (!container_) Fail("FileCacher.Init", "cannot open " + path);
    const int64_t fileSize = ContainerFileSize(container_.get());
    char tail[8];
    if (fileSize < 8 || !ContainerRawRead(container_.get(), fileSize - 8, tail, 8))
        Fail("FileCacher.Init", "no block table in " + path);
    ByteReader tailReader(std::string_view(tail, 8));
    const int32_t size = tailReader.I32();
    const int32_t count = tailReader.I32();
    // Every logical byte needs a block, and the table must fit in the file.
    if (size < 0 || count < 0 || 8 + 4 * static_cast<int64_t>(count) > fileSize ||
        static_cast<int64_t>(count) * kBlockSize < size)
        Fail("FileCacher.Init", "bad block table in " + path);

    std::string table(4 * static_cast<std::size_t>(count), '\0');
    if (!ContainerRawRead(container_.get(), fileSize - 8 - static_cast<int64_t>(table.size()), table.data(),
                          table.size()))
        Fail("FileCacher.Init", "cannot read the block table of " + path);
    ByteReader tableReader(table);
    offsets_.resize(static_cast<std::size_t>(count));
    for (int32_t& offset : offsets_) offset = tableReader.I32();
    blocks_.resize(offsets_.size());
    damaged_.resize(offsets_.size());
    size_ = size;
}

void FileCacher::ReadBlock(int32_t index) {
    if (index < 0 || index >= blockCount())
        Fail("FileCacher.ReadBlock", "block " + std::to_string(index) + " outside the table");
    if (blocks_[index]) return;
    blocks_[index] = std::make_unique<char[]>(kBlockSize);  // zero-filled
    char* block = blocks_[index].get();
    const int64_t start = static_cast<int64_t>(index) * kBlockSize;
    const int expected = static_cast<int>(std::clamp<int64_t>(size_ - start, 0, kBlockSize));
    if (!ContainerRestartAt(container_.get(), offsets_[index])) {
        damaged_[index] = true;
        Fail("FileCacher.ReadBlock", "cannot seek to offset " + std::to_string(offsets_[index]));
    }
    int got = ContainerRead(container_.get(), block, kBlockSize);
    // A failed decode is not an error here: the block keeps what was decoded.
    got = std::max(got, 0);
    if (got < expected) damaged_[index] = true;
    // Bytes behind the logical end (stored mode reads on into the table) stay zero.
    std::memset(block + std::min(got, expected), 0, static_cast<std::size_t>(kBlockSize - std::min(got, expected)));
}

void FileCacher::Read(int64_t position, void* destination, int32_t count) {
    if (position < 0 || count < 0) Fail("FileCacher.Read", "negative position or count");
    try {
        auto* out = static_cast<char*>(destination);
        const int64_t end = position + count;
        const int32_t first = static_cast<int32_t>(position / kBlockSize);
        const int32_t last = static_cast<int32_t>(end / kBlockSize);
        const int32_t offset = static_cast<int32_t>(position % kBlockSize);
        if (first == last) {
            // A read of nothing at the very end of the file has no block to fetch.
            if (count == 0 && first >= blockCount()) return;
            ReadBlock(first);
            std::memcpy(out, blocks_[first].get() + offset, static_cast<std::size_t>(count));
            return;
        }
        ReadBlock(first);
        std::memcpy(out, blocks_[first].get() + offset, static_cast<std::size_t>(kBlockSize - offset));
        out += kBlockSize - offset;
        for (int32_t index = first + 1; index < last; ++index) {
            ReadBlock(index);
            std::memcpy(out, blocks_[index].get(), kBlockSize);
            out += kBlockSize;
        }
        if (const int32_t tail = static_cast<int32_t>(end % kBlockSize); tail > 0) {
            ReadBlock(last);
            std::memcpy(out, blocks_[last].get(), static_cast<std::size_t>(tail));
        }
    } catch (const std::exception& error) {
        Fail("FileCacher.Read", error.what());
    }
}

}  // namespace pv
