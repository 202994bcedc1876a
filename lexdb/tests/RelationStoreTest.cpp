#include "lexdb/RelationStore.h"

#include <gtest/gtest.h>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/RelationWriter.h"
#include "textutil/tests/CollectedErrors.h"
#include "lexdb/tests/TempDir.h"

namespace pv {
namespace {

using testing::CollectedErrors;
using testing::TempDir;

TEST(RelationHash, LoadsTheTableAndAnswersEveryIndex) {
    TempDir tmp;
    const std::vector<RelationRecord> records = {
        {2, 10, 20, 1500, 0},
        {2, 10, 30, 250, 1},  // same type and first id as record 0
        {0, 30, 40, 1000, 2},
        {2, 11, 20, -500, 3},
    };
    WriteRelationTable(tmp.path("RELS.DAT"), records);
    auto hash = LoadRelationHash(tmp.path("RELS.DAT"));
    ASSERT_EQ(hash->size(), 4);
    EXPECT_TRUE(hash->AInRel(2, 10));
    EXPECT_EQ(hash->RelAtoArrPos(2, 10), 0);
    EXPECT_EQ(hash->RelAtoArrPos(0, 30), 2);
    EXPECT_FALSE(hash->AInRel(1, 10));
    EXPECT_EQ(hash->RelBtoArrPos(2, 20), 0);

    RelationMatch m = hash->FindRel(2, 10, 30);
    EXPECT_TRUE(m.found);
    EXPECT_DOUBLE_EQ(m.weight, 0.25);
    EXPECT_EQ(m.relationId, 1);
    EXPECT_DOUBLE_EQ(hash->FindRel(2, 11, 20).weight, -0.5);
    EXPECT_FALSE(hash->FindRel(2, 10, 40).found);
    EXPECT_EQ(hash->IdToArrPos(3), 3);
    EXPECT_EQ(hash->IdToArrPos(9), -1);

    EXPECT_EQ(LoadRelationHash(tmp.path("absent"))->size(), 0);
}

TEST(RelationHash, ProbingWrapsAndAFullIndexIsReported) {
    // Seven slots: the triple slot of (0, 3, 3) is |1×3 + 3| mod 7 = 6, the
    // last; (0, 10, 3) lands there too and wraps to slot 0.
    RelationHash hash(true, 7);
    hash.AddRel({0, 3, 3, 1000, 1});
    hash.AddRel({0, 10, 3, 2000, 2});
    EXPECT_DOUBLE_EQ(hash.FindRel(0, 10, 3).weight, 2.0);
    EXPECT_DOUBLE_EQ(hash.FindRel(0, 3, 3).weight, 1.0);

    CollectedErrors errors;
    RelationHash tiny(false, 2);
    tiny.AddRel({0, 1, 1, 0, 1});
    tiny.AddRel({0, 2, 2, 0, 2});
    tiny.AddRel({0, 3, 3, 0, 3});  // no free slot
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0], u"Exception relation index full in RelationHash.AddRel");
    EXPECT_TRUE(tiny.FindRel(0, 2, 2).found);
    EXPECT_FALSE(tiny.FindRel(0, 3, 3).found);  // ends after one round
    EXPECT_FALSE(tiny.AInRel(0, 1));             // not indexed by first id
}

class RelationLoaderTest : public ::testing::Test {
protected:
    void Write(const std::vector<ExtRelKey>& keys) {
        WriteExtendedRelations(tmp.path("EXTREL.DAT"), tmp.path("EXTREL.IDX"), keys);
    }
    RelationLoader Open() { return RelationLoader(tmp.path("EXTREL.DAT"), tmp.path("EXTREL.IDX")); }
    TempDir tmp;
};

TEST_F(RelationLoaderTest, FindsEntriesByKeySecondIdAndType) {
    std::vector<ExtRelEntry> many;
    for (int32_t i = 0; i < 20000; ++i) many.push_back({static_cast<uint16_t>(i % 3), i / 3, i});
    Write({{4, {{1, 7, 70}, {2, 7, 71}, {1, 9, 90}}}, {8, many}, {12, {}}});
    RelationLoader loader = Open();
    EXPECT_EQ(loader.headCount(), 3u);
    EXPECT_EQ(loader.trailingSize(), 10 * (3 + 20000));

    RelationMatch m = loader.InRel(2, 4, 7);
    EXPECT_TRUE(m.found);
    EXPECT_DOUBLE_EQ(m.weight, 71.0);  // not scaled
    EXPECT_EQ(m.relationId, 0);
    EXPECT_DOUBLE_EQ(loader.InRel(1, 4, 9).weight, 90.0);
    EXPECT_FALSE(loader.InRel(3, 4, 7).found);
    EXPECT_DOUBLE_EQ(loader.InRel(1, 8, 6666).weight, 19999.0);
    EXPECT_FALSE(loader.InRel(0, 12, 0).found);
    EXPECT_FALSE(loader.InRel(0, 5, 0).found);
    EXPECT_FALSE(loader.InRel(0, 99, 0).found);  // beyond every key

    EXPECT_THROW(Write({{5, {}}, {4, {}}}), WriterError);
    EXPECT_THROW(Write({{5, {{1, 7, 0}, {1, 7, 0}}}}), WriterError);
}

TEST_F(RelationLoaderTest, MissingDamagedAndHostileFiles) {
    CollectedErrors errors;
    EXPECT_EQ(Open().headCount(), 0u);
    EXPECT_TRUE(errors.texts.empty());

    // A head that claims more entries than its stream holds keeps the real ones.
    Write({{4, {{1, 7, 70}}}});
    ByteWriter head;
    for (int32_t v : {4, 10, 10 * 100000, 0}) head.I32(v);
    WriteCountedContainer(tmp.path("EXTREL.IDX"), head.bytes());
    RelationLoader loader = Open();
    EXPECT_TRUE(loader.InRel(1, 4, 7).found);

    // Unsorted heads are refused with a message.
    ByteWriter unsorted;
    for (int32_t v : {9, 10, 10, 0, 4, 10, 10, 0}) unsorted.I32(v);
    WriteCountedContainer(tmp.path("EXTREL.IDX"), unsorted.bytes());
    EXPECT_EQ(Open().headCount(), 0u);
    ASSERT_FALSE(errors.texts.empty());
    EXPECT_NE(errors.texts.back().find(u" in RelationLoader.InitCompressedMode/IndexFile"), std::u16string::npos);

    testing::WriteFileBytes(tmp.path("EXTREL.DAT"), "ab");
    EXPECT_EQ(Open().headCount(), 0u);
    EXPECT_NE(errors.texts.back().find(u" in RelationLoader.InitCompressedMode/DataFile"), std::u16string::npos);
}

}  // namespace
}  // namespace pv
