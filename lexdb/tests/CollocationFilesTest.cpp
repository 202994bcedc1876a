#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "datagen/ByteWriter.h"
#include "datagen/CachedFileWriter.h"
#include "datagen/CollocationWriter.h"
#include "engine/EngineError.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/Container.h"
#include "lexdb/tests/TempDir.h"
#include "textutil/tests/CollectedErrors.h"

namespace pv {
namespace {

using testing::CollectedErrors;
using testing::TempDir;

CollocationRecord FullRecord() {
    CollocationRecord r;
    r.id = 70;
    r.templateId = 12;
    r.language = 2;
    r.classId = 900;
    r.partOfSpeech = -3;
    r.flag = 1;
    r.valueC = 7;
    r.sourceScore = 1.5;
    r.targetScore = -0.25;
    r.meaningId = 4242;
    r.text = "кола \"бърза\"";  // a blank and quotes: must be quoted in the text
    r.wordIds = {11, 12, 13};
    r.associatedAttributes = {5, 3};
    r.firstPrepositions = "НА|Over";
    r.requiredAttributes = {{9, 2, 4}};
    r.inheritedGroups = {{}, {6, 1}};
    r.secondPrepositions = "\xE2 x";  // Windows-1251 "в x"
    r.translations = "101;102";
    return r;
}

class CollocationFilesTest : public ::testing::Test {
protected:
    void Write(const std::vector<CollocationRecord>& records) {
        std::filesystem::create_directories(tmp.path("data"));
        WriteCollocationFiles(tmp.path("data/cols"), records);
    }
    CollocationFiles Open() { return CollocationFiles(tmp.dir()); }

    TempDir tmp;
};

TEST_F(CollocationFilesTest, EntryRoundTripsEveryField) {
    Write({CollocationRecord{}, FullRecord()});
    CollocationFiles files = Open();
    const Collocation c = files.LoadById(70);
    EXPECT_EQ(c.text, u"кола \"бърза\"");
    EXPECT_EQ(c.wordIds, (WordArray{11, 12, 13}));
    EXPECT_EQ(c.associatedAttributes, (WordArray{5, 3}));
    EXPECT_EQ(c.firstPrepositions, u"|на|over|");
    // Required lists sorted and padded to one per word; inherited padded.
    EXPECT_EQ(c.requiredAttributes, (std::vector<WordArray>{{2, 4, 9}, {}, {}}));
    EXPECT_EQ(c.inheritedGroups, (std::vector<WordArray>{{}, {6, 1}, {}}));
    EXPECT_EQ(c.secondPrepositions, u"|в x|");
    EXPECT_EQ(c.translations, "101;102");
    EXPECT_EQ(c.templateId, 12);
    EXPECT_EQ(c.language, 2);
    EXPECT_EQ(c.classId, 900);
    EXPECT_EQ(c.partOfSpeech, -3);
    EXPECT_EQ(c.valueC, 7);
    EXPECT_DOUBLE_EQ(c.sourceScore, 1.5);
    EXPECT_DOUBLE_EQ(c.targetScore, -0.25);
    EXPECT_EQ(c.meaningId, 4242);

    const ColHeader h = ParseColHeader(files.headers.Get(1));
    EXPECT_EQ(h.flag, 1);
    EXPECT_EQ(h.firstScore, 1500);
    EXPECT_GT(h.textOffset, 0);
}

TEST(CollocationText, DelimitedFieldsAndDefaults) {
    struct Case {
        const char* text;
        std::u16string headword;
        WordArray wordIds;
        WordArray associated;
        std::u16string firstPrepositions;
        std::u16string secondPrepositions;
    };
    const Case cases[] = {
        // Unquoted blank: "b" becomes the word-id field and shifts the rest.
        {"a b|1", u"a", {0}, {1}, u"||", u""},
        {"x|1;;3|7", u"x", {1, 0, 3}, {7}, u"||", u""},
        {"", u"", {}, {}, u"||", u""},
        {"\xFF\xFE|1", u"", {1}, {}, u"||", u""},  // a headword that is not UTF-8
        {"\"a \"\"q\"\"\"|2||Up|||", u"a \"q\"", {2}, {}, u"|up|", u"||"},
        {"w|;x;+4", u"w", {0, 0, 4}, {}, u"||", u""},
    };
    for (const Case& c : cases) {
        Collocation entry;
        ParseCollocationText(c.text, entry);
        EXPECT_EQ(entry.text, c.headword) << c.text;
        EXPECT_EQ(entry.wordIds, c.wordIds) << c.text;
        EXPECT_EQ(entry.associatedAttributes, c.associated) << c.text;
        EXPECT_EQ(entry.firstPrepositions, c.firstPrepositions) << c.text;
        EXPECT_EQ(entry.secondPrepositions, c.secondPrepositions) << c.text;
        EXPECT_EQ(entry.requiredAttributes.size(), c.wordIds.size()) << c.text;
    }
}

TEST_F(CollocationFilesTest, TextLengthLimit) {
    CollocationRecord longest;
    longest.id = 1;
    longest.text = std::string(511, 'w');
    Write({longest});
    EXPECT_EQ(Open().LoadById(1).text, std::u16string(511, u'w'));

    longest.text += 'w';
    EXPECT_THROW(CollocationText(longest), WriterError);

    // 512 bytes without a 0 byte read as no text at all.
    WriteCachedFile(tmp.path("data/cols.DAT"), std::string(600, 'v'));
    const Collocation c = Open().LoadById(1);
    EXPECT_EQ(c.text, u"");
    EXPECT_EQ(c.firstPrepositions, u"||");
}

TEST_F(CollocationFilesTest, IndexesKeepEqualKeysInOrder) {
    std::vector<CollocationRecord> records(4);
    for (int i = 0; i < 4; ++i) {
        records[i].id = 50 - i;
        records[i].classId = 8;
        records[i].text = "row" + std::to_string(i);
        records[i].wordIds = {300 + i % 2};
    }
    records[3].id = 49;  // rows 1 and 3 share id 49: the first row wins
    Write(records);
    CollocationFiles files = Open();
    EXPECT_EQ(files.LoadById(49).text, u"row1");

    IndexReader::Found first = files.byClass.Find(8);
    ASSERT_TRUE(first.found);
    EXPECT_EQ(first.record, 0);
    std::vector<int32_t> rows;
    for (int32_t r = first.record; r < files.byClass.count() && files.byClass.Get(r).key == 8; ++r)
        rows.push_back(files.byClass.Get(r).value);
    EXPECT_EQ(rows, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(files.RowsOfClass(8), rows);
    EXPECT_TRUE(files.RowsOfClass(9).empty());
    EXPECT_EQ(files.RowOfId(49), 1);
    EXPECT_EQ(files.RowOfId(51), -1);
    EXPECT_EQ(files.RowOfId(49), 1);  // again, from what was kept

    const IndexReader::Found word = files.byFirstWord.Find(301);
    ASSERT_TRUE(word.found);
    EXPECT_EQ(files.byFirstWord.Get(word.record).value, 1);
    EXPECT_FALSE(files.byFirstWord.Find(302).found);
    EXPECT_FALSE(files.byId.Find(51).found);

    EXPECT_THROW(WriteIndexFile(tmp.path("bad.HSH"), {{2, 0}, {1, 0}}), WriterError);
}

TEST_F(CollocationFilesTest, LookupFilesAreStoredUnlessTheirContentReadsAsGzip) {
    CollocationRecord r = FullRecord();
    r.id = 0x8B1F;  // the index by id begins with the bytes 1F 8B
    Write({r});
    auto stored = [&](const char* name) {
        return ContainerIsStored(ContainerPtr(ContainerOpen(tmp.path(name))).get());
    };
    EXPECT_FALSE(stored("data/colsBYID.HSH"));
    for (const char* name :
         {"data/cols.HDR", "data/cols.DAT", "data/colsGLID.HSH", "data/colsWRDID.HSH"})
        EXPECT_TRUE(stored(name)) << name;
    CollocationFiles files = Open();
    EXPECT_EQ(files.RowOfId(0x8B1F), 0);
    EXPECT_EQ(files.LoadById(0x8B1F).text, u"кола \"бърза\"");
}

// The search guesses places from the keys; uneven keys must not mislead it:
// a long run of one key, negative keys, wide gaps and runs of duplicates.
TEST_F(CollocationFilesTest, IndexFindGivesTheFirstRecordOfAKeyHoweverKeysAreSpread) {
    std::vector<IndexRecord> records;
    for (int32_t k : {-2000000000, -7, -7}) records.push_back({k, 0});
    for (int i = 0; i < 3000; ++i) records.push_back({0, i});
    for (int32_t k = 1; k < 4000; k += 1 + k % 13)
        for (int copy = 0; copy <= k % 3; ++copy) records.push_back({k, copy});
    for (int32_t k : {1000000, 2000000000, 2000000000}) records.push_back({k, 0});
    WriteIndexFile(tmp.path("spread.HSH"), records);
    IndexReader index(tmp.path("spread.HSH"));
    ASSERT_EQ(index.count(), static_cast<int32_t>(records.size()));

    std::vector<int32_t> keys = {INT32_MIN, -2000000001, 999999, 1000001, 2000000001, INT32_MAX};
    for (const IndexRecord& r : records)
        for (int32_t d : {-1, 0, 1})
            if (int64_t k = int64_t{r.key} + d; k >= INT32_MIN && k <= INT32_MAX) keys.push_back(static_cast<int32_t>(k));
    for (int32_t key : keys) {
        const auto first = std::lower_bound(records.begin(), records.end(), key,
                                            [](const IndexRecord& r, int32_t k) { return r.key < k; });
        const bool present = first != records.end() && first->key == key;
        const IndexReader::Found found = index.Find(key);
        EXPECT_EQ(found.found, present) << key;
        if (present) {
            EXPECT_EQ(found.record, first - records.begin()) << key;
        }
    }
}

TEST_F(CollocationFilesTest, LanguagesOfATranslationListSkipUnknownIdsAndKeepTheOrder) {
    std::vector<CollocationRecord> records(2);
    records[0].id = 5;
    records[0].language = 2;
    records[1].id = 7;
    records[1].language = 3;
    Write(records);
    CollocationFiles files = Open();
    auto pairs = [&](const std::string& list) {
        std::vector<std::pair<int32_t, int32_t>> seen;
        for (const auto& [id, language] : files.LanguagesOfIds(list)) seen.emplace_back(id, language);
        return seen;
    };
    const std::vector<std::pair<int32_t, int32_t>> expected = {{7, 3}, {5, 2}};
    EXPECT_EQ(pairs("7;9;5"), expected);
    EXPECT_EQ(pairs("7;9;5"), expected);  // again, from what was kept
    EXPECT_TRUE(pairs("").empty());
}

TEST_F(CollocationFilesTest, EntriesOfAFirstWordAreSortedByKeyWithEqualKeysInIndexOrder) {
    const std::vector<WordArray> wordIds = {{7, 20}, {7}, {7, 3}, {7}, {7, 20, 1}, {8}};
    std::vector<CollocationRecord> records(wordIds.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].id = static_cast<int32_t>(i + 1);
        records[i].wordIds = wordIds[i];
    }
    Write(records);
    CollocationFiles files = Open();
    std::vector<std::pair<std::string, int32_t>> entries;
    for (const KeyedRow& entry : files.EntriesOfFirstWord(7)) entries.emplace_back(entry.key, entry.row);
    EXPECT_EQ(entries, (std::vector<std::pair<std::string, int32_t>>{
                           {"7", 1}, {"7", 3}, {"7;20", 0}, {"7;20;1", 4}, {"7;3", 2}}));
}

TEST_F(CollocationFilesTest, UnknownIdsBadRowsAndShortIndexes) {
    CollocationRecord r;
    r.id = 5;
    r.text = "five";
    Write({r});
    CollectedErrors errors;
    CollocationFiles files = Open();
    const Collocation unknown = files.LoadById(6);
    EXPECT_EQ(unknown.text, u"");
    EXPECT_EQ(unknown.sourceScore, -100.0);
    EXPECT_EQ(unknown.targetScore, -100.0);
    EXPECT_TRUE(errors.texts.empty());

    // An index that names a row beyond the header file.
    WriteIndexFile(tmp.path("data/colsBYID.HSH"), {{5, 3}});
    CollocationFiles broken = Open();
    EXPECT_EQ(broken.LoadById(5).text, u"");
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0].rfind(u"Exception in ColHdrReader.Get: ", 0), 0u);
    EXPECT_NE(errors.texts[0].find(u" in LoadCollocationFromFile"), std::u16string::npos);

    IndexReader none("");
    EXPECT_EQ(none.count(), 0);
    EXPECT_FALSE(none.Find(0).found);
    WriteCachedFile(tmp.path("short.HSH"), "1234567");
    IndexReader shortIndex(tmp.path("short.HSH"));
    EXPECT_FALSE(shortIndex.Find(0x34333231).found);

    // Text reads past the end are shortened or empty.
    EXPECT_EQ(files.texts.Get(1, 100), std::string("five\0", 5));
    EXPECT_EQ(files.texts.Get(3, 2), "ve");
    EXPECT_EQ(files.texts.Get(6, 10), "");
    EXPECT_EQ(files.texts.Get(0, 10), "");
}

TEST_F(CollocationFilesTest, ProcessWideDatabase) {
    CollocationRecord r;
    r.id = 9;
    r.text = "nine";
    std::filesystem::create_directories(tmp.path("Data"));
    WriteCollocationFiles(tmp.path("Data/COLS"), {r});
    LoadCollocations(tmp.dir() + "/");  // "data/cols" matches any letter case
    EXPECT_EQ(LoadCollocationFromFile(9).text, u"nine");

    try {
        LoadCollocations(tmp.path("nowhere"));
        FAIL() << "missing files must raise";
    } catch (const EngineError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("LoadCollocations:FileCacher.Init: ", 0), 0u);
    }
    EXPECT_EQ(LoadCollocationFromFile(9).text, u"nine");  // the open database stays
}

}  // namespace
}  // namespace pv
