// The attribute definition files written by the datagen writers and read
// back by the loaders, including damaged and missing files.
#include <gtest/gtest.h>

#include <filesystem>

#include "datagen/AttributeWriters.h"
#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "engine/EngineError.h"
#include "lexdb/Collocation.h"
#include "lexdb/DataPath.h"
#include "morphology/AttributeFiles.h"
#include "morphology/Attributes.h"
#include "morphology/tests/AttributeFixture.h"

namespace pv {
namespace {

class AttributeFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        base = test::FreshBase(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { std::filesystem::remove_all(base); }
    void Overwrite(const char* name, const std::string& bytes) {
        WriteFileAtomically(ResolveDataPath(base, name), bytes);
    }
    std::string base;
};

TEST_F(AttributeFilesTest, EveryPlainFileReadsBackAsWritten) {
    AttributeFileSet files = test::FixtureFiles();
    WriteAttributeFiles(base, files);
    AttributeTables tables;
    tables.LoadAttributes(base);
    tables.LoadRelationDefinitions(base);
    tables.LoadSP(base);
    tables.LoadImpliedValues(base);

    ASSERT_EQ(tables.AttributeCount(), 6);
    ASSERT_EQ(tables.ValueCount(), 50);
    for (int32_t v = 0; v < 50; ++v) EXPECT_EQ(tables.AttributeOf(v), files.valueAttributes[v]);
    EXPECT_EQ(tables.SP(), (std::vector<int32_t>{17, -4}));
    EXPECT_FALSE(tables.AncestorIsFirst(0));
    EXPECT_TRUE(tables.AncestorIsFirst(1));
    EXPECT_FALSE(tables.AncestorIsFirst(3));
    EXPECT_FALSE(tables.AncestorIsFirst(-1));
    EXPECT_EQ(tables.AddImplied({}, 2, 1), (WordArray{12}));
    AttributeSet set = test::SetOf({30});
    tables.SetAttribute(set, 40);
    EXPECT_EQ(tables.ValueOfAttribute(set, 3), 40);
    EXPECT_EQ(std::filesystem::file_size(ResolveDataPath(base, kAttributesFile)), 6u * 148u);
}

TEST_F(AttributeFilesTest, AMissingPlainFileIsAnErrorNamingIt) {
    WriteAttributeFiles(base, test::FixtureFiles());
    std::filesystem::remove(ResolveDataPath(base, kAttributeValuesFile));
    AttributeTables tables;
    try {
        tables.LoadAttributes(base);
        FAIL() << "no error";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("ATTRVALS.DAT"), std::string::npos) << e.what();
    }
    std::filesystem::remove(ResolveDataPath(base, kImpliedValuesFile));
    EXPECT_THROW(tables.LoadImpliedValues(base), EngineError);
}

TEST_F(AttributeFilesTest, RecordsAreSizeDivRecordSizeAndWordRangesAreBounded) {
    WriteAttributeFiles(base, test::FixtureFiles());
    // A broken attribute record: words -5..900; a trailing partial record.
    ByteWriter broken;
    broken.Bytes(EncodeAttributes({MakeAttribute(0, {}), MakeAttribute(1, {1, 2})}));
    std::size_t start = broken.size();
    broken.Bytes(EncodeAttributes({MakeAttribute(2, {11, 12})}));
    broken.PatchI32(start + 4, -5);
    broken.PatchI32(start + 8, 900);
    broken.Bytes("\x01\x02\x03");
    Overwrite(kAttributesFile, broken.bytes());
    Overwrite(kAttributeValuesFile, EncodeAttributeValues({0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2}) + "\x07");
    Overwrite(kImpliedValuesFile, EncodeImpliedValues({{1, 1, 2}}) + std::string(11, '\x05'));

    AttributeTables tables;
    tables.LoadAttributes(base);
    tables.LoadImpliedValues(base);
    EXPECT_EQ(tables.AttributeCount(), 3);
    EXPECT_EQ(tables.ValueCount(), 13);
    EXPECT_EQ(tables.AddImplied({}, 1, 1), (WordArray{2}));
    AttributeSet set;
    tables.SetAttribute(set, 11);
    tables.SetAttribute(set, 12);
    EXPECT_EQ(set, test::SetOf({12}));
    EXPECT_EQ(tables.ValueOfAttribute(set, 2), 12);
}

TEST(AttributeWritersTest, RefuseWhatTheReadersCannotHold) {
    AttributeDef outside = MakeAttribute(1, {1});
    outside.last = 33;
    EXPECT_THROW(EncodeAttributes({outside}), WriterError);
    EXPECT_THROW(EncodeRelationDefinitions({2}), WriterError);
    EntryTemplate tooLong;
    for (int i = 0; i < 40; ++i) tooLong.slots[3].push_back(1000 + i);  // 40 × 5 - 1 characters
    EXPECT_THROW(EncodeEntryTemplates({tooLong}), WriterError);
    EXPECT_THROW(MakeAttribute(1, {-1}), WriterError);
}

TEST(EntryTemplatesTest, ApplyTemplateAddsEachSlotToItsWord) {
    EntryTemplate used;
    used.inUse = true;
    used.slots[0] = {214, 2};
    used.slots[1] = {2};
    used.slots[9] = {5};
    EntryTemplate unused;
    unused.slots[0] = {9};
    std::string payload = EncodeEntryTemplates({unused, used});
    ASSERT_EQ(payload.size(), 2u * 1559u);

    AttributeTables tables;
    tables.LoadEntryTemplates(static_cast<int64_t>(payload.size()), payload);
    ASSERT_EQ(tables.EntryTemplates().size(), 2u);
    EXPECT_EQ(tables.EntryTemplates()[1].slots[0], (WordArray{214, 2}));

    std::vector<WordArray> inherited = {{2}};
    tables.ApplyTemplate(inherited, 2, 1);
    EXPECT_EQ(inherited, (std::vector<WordArray>{{2, 214}, {2}}));

    for (int32_t number : {0, -1, 2}) {  // not in use, negative, out of range
        std::vector<WordArray> untouched = {{2}};
        tables.ApplyTemplate(untouched, 2, number);
        EXPECT_EQ(untouched, (std::vector<WordArray>{{2}})) << number;
    }

    Collocation entry;
    entry.wordIds = {100, 200};
    entry.inheritedGroups = {{214}};
    tables.ApplyTemplate(entry, 1);
    EXPECT_EQ(entry.inheritedGroups, (std::vector<WordArray>{{214, 2}, {2}}));

    // An entry of twelve words takes the ten slots only.
    std::vector<WordArray> many;
    tables.ApplyTemplate(many, 12, 1);
    ASSERT_EQ(many.size(), 10u);
    EXPECT_EQ(many[9], (WordArray{5}));
}

TEST(EntryTemplatesTest, DamagedBlocksGiveOnlyWhatIsComplete) {
    EntryTemplate used;
    used.inUse = true;
    used.slots[0] = {7};
    std::string payload = EncodeEntryTemplates({used, used});

    AttributeTables tables;
    tables.LoadEntryTemplates(20000001, payload);
    EXPECT_TRUE(tables.EntryTemplates().empty());
    tables.LoadEntryTemplates(-1559, payload);
    EXPECT_TRUE(tables.EntryTemplates().empty());
    // The count covers one and a half records; a truncated payload.
    tables.LoadEntryTemplates(1559 + 700, payload);
    EXPECT_EQ(tables.EntryTemplates().size(), 1u);
    tables.LoadEntryTemplates(2 * 1559, std::string_view(payload).substr(0, 1600));
    EXPECT_EQ(tables.EntryTemplates().size(), 1u);

    // A length byte above 150 reads the 150 characters of the slot and no more.
    std::string odd = payload.substr(0, 1559);
    odd[49] = static_cast<char>(255);
    odd.replace(50, 150, std::string(149, ' ') + "8");
    odd[200] = '9';  // the next slot's length byte
    tables.LoadEntryTemplates(1559, odd);
    ASSERT_EQ(tables.EntryTemplates().size(), 1u);
    EXPECT_EQ(tables.EntryTemplates()[0].slots[0], (WordArray{8}));
}

TEST_F(AttributeFilesTest, DefinitionsLoadWithTemplatesFromTheirContainer) {
    WriteAttributeFiles(base, test::FixtureFiles());
    EntryTemplate used;
    used.inUse = true;
    used.slots[0] = {214};
    const std::string templatesPath = ResolveDataPath(base, kEntryTemplatesFile);
    WriteCountedContainer(templatesPath, EncodeEntryTemplates({used}));

    AttributeTables tables;
    tables.LoadAttributeDefinitions(base);
    EXPECT_EQ(tables.ValueCount(), 50);
    EXPECT_TRUE(tables.AncestorIsFirst(1));
    ASSERT_EQ(tables.EntryTemplates().size(), 1u);
    EXPECT_EQ(tables.EntryTemplates()[0].slots[0], (WordArray{214}));

    // A container cut short gives no templates, and so does a missing one.
    std::string image = ContainerImage({CountedContent(1559, EncodeEntryTemplates({used}))});
    Overwrite(kEntryTemplatesFile, image.substr(0, image.size() - 6));
    tables.LoadEntryTemplatesFile(base);
    EXPECT_TRUE(tables.EntryTemplates().empty());
    std::filesystem::remove(templatesPath);
    tables.LoadAttributeDefinitions(base);
    EXPECT_TRUE(tables.EntryTemplates().empty());
    EXPECT_EQ(tables.ValueCount(), 50);
}

}  // namespace
}  // namespace pv
