#include "lexdb/ContextStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/ContextStoreWriter.h"
#include "lexdb/tests/TempDir.h"

namespace pv {
namespace {

using testing::TempDir;

constexpr int32_t N = kContextSlots;

std::vector<std::pair<int32_t, int32_t>> PairsOf(ContextDataHash& store, int32_t key) {
    store.Seek(key);
    std::vector<std::pair<int32_t, int32_t>> pairs;
    int32_t first, second;
    while (store.GetNextCBF(first, second)) pairs.emplace_back(first, second);
    return pairs;
}

class ContextStoreTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(tmp.path("Data")); }
    void Write(const std::vector<ContextStoreEntry>& entries) { WriteContextStore(tmp.path("Data/CD"), entries); }
    TempDir tmp;
};

TEST_F(ContextStoreTest, FindsEveryKeyThroughCollisionsAndTheWrap) {
    Write({
        {5, {{1, 10}, {2, 20}}},
        {N + 5, {{3, 30}}},       // same home slot as 5: the next one
        {N - 1, {{4, 40}}},       // the last slot
        {2 * N - 1, {{5, 50}}},   // home at the last slot, taken: wraps to slot 0
        {77, {}},                 // a head without pairs
    });
    ContextDataHash store(tmp.dir(), "cd");  // file names in any letter case
    EXPECT_EQ(store.headCount(), 5u);
    using P = std::vector<std::pair<int32_t, int32_t>>;
    EXPECT_EQ(PairsOf(store, 5), (P{{1, 10}, {2, 20}}));
    EXPECT_EQ(PairsOf(store, N + 5), (P{{3, 30}}));
    EXPECT_EQ(PairsOf(store, N - 1), (P{{4, 40}}));
    EXPECT_EQ(PairsOf(store, 2 * N - 1), (P{{5, 50}}));
    EXPECT_EQ(PairsOf(store, 5), (P{{1, 10}, {2, 20}}));  // cached, read again from the start

    store.Seek(77);
    EXPECT_EQ(store.currentHead(), 4);
    int32_t a, b;
    EXPECT_FALSE(store.GetNextCBF(a, b));

    for (int32_t missing : {6, 2 * N + 5, -5}) {
        store.Seek(missing);
        EXPECT_EQ(store.currentHead(), -1);
        EXPECT_FALSE(store.GetNextCBF(a, b));
    }
}

TEST_F(ContextStoreTest, MissingOrInconsistentFilesGiveAnEmptyStore) {
    ContextDataHash none(tmp.dir(), "CD");
    EXPECT_EQ(none.headCount(), 0u);
    EXPECT_TRUE(PairsOf(none, 5).empty());

    Write({{5, {{1, 1}}}});
    // A slot that names a head beyond the head file.
    ByteWriter hash;
    hash.I32(0);
    for (int32_t i = 0; i < N; ++i) hash.I32(i == 5 ? 3 : -1);
    WriteContainer(tmp.path("Data/CDHASH.DAT"), hash.bytes());
    ContextDataHash bad(tmp.dir(), "CD");
    EXPECT_EQ(bad.headCount(), 0u);
    EXPECT_TRUE(PairsOf(bad, 5).empty());

    // A short slot table.
    WriteContainer(tmp.path("Data/CDHASH.DAT"), hash.bytes().substr(0, 4000));
    EXPECT_EQ(ContextDataHash(tmp.dir(), "CD").headCount(), 0u);
}

TEST_F(ContextStoreTest, HostileCountsAndFullTablesStaySafe) {
    Write({{7, {{1, 2}}}});
    // The head claims a million pairs; the stream holds one.
    ByteWriter head;
    head.I32(7);
    head.I32(10);  // the first stream follows the 10-byte gzip header
    head.I32(1000000);
    head.I32(0);
    WriteCountedContainer(tmp.path("Data/CDHEAD.DAT"), head.bytes());
    ContextDataHash store(tmp.dir(), "CD");
    EXPECT_EQ(PairsOf(store, 7), (std::vector<std::pair<int32_t, int32_t>>{{1, 2}}));

    // Every slot taken by a head of another key: a missing key still ends.
    ByteWriter hash;
    hash.I32(0);
    for (int32_t i = 0; i < N; ++i) hash.I32(0);
    WriteContainer(tmp.path("Data/CDHASH.DAT"), hash.bytes());
    ContextDataHash full(tmp.dir(), "CD");
    EXPECT_TRUE(PairsOf(full, 8).empty());
}

TEST(ContextHash, AddsSumsAndProbesWithWrap) {
    ContextHash table;
    table.Add(3, 5);
    table.Add(3, 7);
    EXPECT_EQ(table.Get(3), 12);
    table.Add(N + 3, 1);  // congruent: next slot
    EXPECT_EQ(table.FindSlot(N + 3), 4);
    EXPECT_EQ(table.Get(N + 3), 1);
    table.Add(N - 1, 2);
    table.Add(2 * N - 1, 9);  // wraps to slot 0
    EXPECT_EQ(table.FindSlot(2 * N - 1), 0);
    EXPECT_EQ(table.Get(2 * N - 1), 9);
    table.Add(-4, 1);
    EXPECT_EQ(table.Get(-4), std::nullopt);
    EXPECT_EQ(table.Get(8), std::nullopt);

    table.Add(20, std::numeric_limits<int32_t>::max());
    table.Add(20, 10);
    EXPECT_EQ(table.Get(20), std::numeric_limits<int32_t>::max());

    table.Reset();
    EXPECT_EQ(table.Get(3), std::nullopt);
    EXPECT_EQ(table.FindSlot(2 * N - 1), N - 1);
}

}  // namespace
}  // namespace pv
