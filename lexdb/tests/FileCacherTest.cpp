#include "lexdb/FileCacher.h"

#include <gtest/gtest.h>

#include <functional>

#include "datagen/ByteWriter.h"
#include "datagen/CachedFileWriter.h"
#include "engine/EngineError.h"
#include "lexdb/Scramble.h"
#include "lexdb/tests/TempDir.h"

namespace pv {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

std::string Content(std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text.push_back(static_cast<char>((i * 7 + i / 1024) % 251));
    return text;
}

std::string ReadRange(FileCacher& cacher, int64_t position, int32_t count) {
    std::string out(static_cast<std::size_t>(count), '\0');
    cacher.Read(position, out.data(), count);
    return out;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EngineError& error) {
        return error.what();
    }
    return "";
}

TEST(FileCacher, RoundTripsEveryLengthInBothModes) {
    TempDir tmp;
    for (bool stored : {false, true})
        for (std::size_t size : {0u, 1u, 1023u, 1024u, 1025u, 3000u, 4096u}) {
            const std::string content = Content(size);
            WriteCachedFile(tmp.path("f"), content, stored);
            FileCacher cacher(tmp.path("f"));
            ASSERT_EQ(cacher.size(), static_cast<int32_t>(size));
            EXPECT_EQ(cacher.blockCount(), static_cast<int32_t>((size + 1023) / 1024));
            EXPECT_EQ(ReadRange(cacher, 0, cacher.size()), content) << size << " stored " << stored;
            for (std::size_t start : {0u, 1u, 1000u, 1023u, 1024u, 2047u})
                for (std::size_t length : {0u, 1u, 24u, 1024u, 2000u})
                    if (start + length <= size) {
                        EXPECT_EQ(ReadRange(cacher, static_cast<int64_t>(start), static_cast<int32_t>(length)),
                                  content.substr(start, length));
                    }
        }
}

TEST(FileCacher, FetchesOnlyTheBlocksThatAReadTouches) {
    TempDir tmp;
    WriteCachedFile(tmp.path("f"), Content(3 * 1024));
    FileCacher cacher(tmp.path("f"));

    ReadRange(cacher, 1000, 24);  // ends exactly at the boundary of block 1
    EXPECT_TRUE(cacher.IsCached(0));
    EXPECT_FALSE(cacher.IsCached(1));

    ReadRange(cacher, 2048, 1024);  // ends at the end of the file: no block 3
    EXPECT_TRUE(cacher.IsCached(2));
    EXPECT_FALSE(cacher.IsCached(1));

    ReadRange(cacher, 1500, 0);  // nothing copied, only the block of the position
    EXPECT_TRUE(cacher.IsCached(1));
    ReadRange(cacher, 3072, 0);  // the position is the end: nothing to fetch
}

TEST(FileCacher, InitRejectsMissingAndMalformedFiles) {
    TempDir tmp;
    EXPECT_EQ(ErrorOf([&] { FileCacher c(tmp.path("absent")); }).rfind("FileCacher.Init: ", 0), 0u);

    WriteFileBytes(tmp.path("short"), "abc");
    EXPECT_EQ(ErrorOf([&] { FileCacher c(tmp.path("short")); }).rfind("FileCacher.Init: ", 0), 0u);

    struct Table {
        int32_t size, count;
    };
    // A table bigger than the file, a negative count, too few blocks for the size.
    for (Table table : {Table{10, 1000}, Table{0, -1}, Table{5000, 1}, Table{-1, 0}}) {
        ByteWriter w;
        w.Bytes(std::string(16, 'x'));
        w.I32(0);
        w.I32(table.size);
        w.I32(table.count);
        WriteFileBytes(tmp.path("bad"), w.bytes());
        EXPECT_EQ(ErrorOf([&] { FileCacher c(tmp.path("bad")); }).rfind("FileCacher.Init: ", 0), 0u)
            << table.size << " " << table.count;
    }
}

TEST(FileCacher, DamagedBlockKeepsItsNeighboursAndIsMarked) {
    TempDir tmp;
    const std::string content = Content(3 * 1024);
    std::string image = CachedFileImage(content);
    // The table gives block 1's offset; make its stream start with a
    // reserved block type.
    const std::size_t table = image.size() - 8 - 3 * 4;
    const uint32_t offset1 = static_cast<uint8_t>(image[table + 4]) | static_cast<uint8_t>(image[table + 5]) << 8;
    image[offset1] = static_cast<char>(0xFF ^ ScrambleKey(offset1));
    WriteFileBytes(tmp.path("f"), image);

    FileCacher cacher(tmp.path("f"));
    const std::string all = ReadRange(cacher, 0, cacher.size());
    EXPECT_EQ(all.substr(0, 1024), content.substr(0, 1024));
    EXPECT_EQ(all.substr(2048), content.substr(2048));
    EXPECT_FALSE(cacher.IsDamaged(0));
    EXPECT_TRUE(cacher.IsDamaged(1));
    EXPECT_FALSE(cacher.IsDamaged(2));
}

TEST(FileCacher, ReadsOutsideTheTableAndBadOffsetsRaise) {
    TempDir tmp;
    WriteCachedFile(tmp.path("f"), Content(1500));
    FileCacher cacher(tmp.path("f"));
    char buffer[2048];
    EXPECT_EQ(ErrorOf([&] { cacher.Read(2048, buffer, 10); }).rfind("FileCacher.Read: FileCacher.ReadBlock: ", 0),
              0u);
    EXPECT_EQ(ErrorOf([&] { cacher.Read(-1, buffer, 10); }).rfind("FileCacher.Read: ", 0), 0u);

    std::string image = CachedFileImage(Content(1500));
    const std::size_t table = image.size() - 8 - 2 * 4;
    for (int i = 0; i < 4; ++i) image[table + 4 + i] = static_cast<char>(0xFF);  // block 1 at offset -1
    WriteFileBytes(tmp.path("g"), image);
    FileCacher broken(tmp.path("g"));
    EXPECT_EQ(ErrorOf([&] { broken.ReadBlock(1); }).rfind("FileCacher.ReadBlock: ", 0), 0u);
    EXPECT_TRUE(broken.IsCached(1));
    EXPECT_EQ(ReadRange(broken, 0, 1000), Content(1000));
}

}  // namespace
}  // namespace pv
