#include "engine/CollocationSearch.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "datagen/AttributeWriters.h"
#include "datagen/CollocationWriter.h"
#include "datagen/MorphologyFixture.h"
#include "engine/AnalysisPasses.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/SentenceDriver.h"
#include "engine/tests/ChartTestSupport.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/tests/TempDir.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

// Meaning ids of the window readings below.
constexpr int32_t kBig = 10, kHouse = 11, kOf = 13, kCards = 14, kWell = 20, kKnown = 21, kDash = 22;
constexpr int32_t kFirstOfTen = 30, kBadRowWord = 40;
// Attribute values: 1 word class, 2 gender, 3 number.
constexpr int32_t kNoun = 1, kAdjective = 2, kMasculine = 8, kFeminine = 9, kSingular = 11, kPlural = 12;
constexpr int32_t kNumberGroup = 3;

AttributeTables Groups() {
    const std::map<int32_t, WordArray> groups = {
        {1, {kNoun, kAdjective, kNumberValue, kUnknownWordValue}}, {2, {kMasculine, kFeminine}}, {3, {kSingular, kPlural}}};
    std::vector<AttributeDef> attributes;
    std::vector<int32_t> valueAttributes(800, 0);
    for (int32_t id = 0; id <= 3; ++id) {
        attributes.push_back(MakeAttribute(id, groups.contains(id) ? groups.at(id) : WordArray{}));
        if (groups.contains(id))
            for (int32_t v : groups.at(id)) valueAttributes[v] = id;
    }
    AttributeTables tables;
    tables.SetAttributes(attributes, valueAttributes);
    return tables;
}

CollocationRecord Entry(int32_t id, const char* text, WordArray wordIds, double score = 1.0) {
    CollocationRecord r;
    r.id = id;
    r.text = text;
    r.language = kEnglish;
    r.partOfSpeech = kNoun;
    r.templateId = 1;
    r.wordIds = std::move(wordIds);
    r.sourceScore = score;
    return r;
}

std::vector<CollocationRecord> Dictionary() {
    std::vector<CollocationRecord> records = {
        Entry(1001, "big", {kBig}),
        Entry(1002, "house", {kHouse}),
        Entry(1003, "big house", {kBig, kHouse}, 2.0),
        Entry(1004, "house of cards", {kHouse, kOf, kCards}, 3.0),
        Entry(1005, "well known", {kWell, kKnown}),
        Entry(1006, "well-dash", {kWell, kDash}),
        Entry(1007, "nine", {}),
        Entry(1008, "ten", {}),
        Entry(1009, "walk", {fixture::kWalk}),
    };
    records[0].partOfSpeech = kAdjective;
    records[1].associatedAttributes = {kSingular};
    records[1].inheritedGroups = {{kNumberGroup}};
    records[2].requiredAttributes = {{}, {kMasculine}};
    records[2].inheritedGroups = {{kNumberGroup}, {kNumberGroup}};
    records[3].requiredAttributes = {{kMasculine}};
    for (int32_t k = 0; k < 9; ++k) records[6].wordIds.push_back(kFirstOfTen + k);
    records[7].wordIds = records[6].wordIds;
    records[7].wordIds.push_back(kFirstOfTen + 9);
    return records;
}

// The word-id index of the records as the writer makes it, plus one record
// that names a header row beyond the file.
std::vector<IndexRecord> FirstWordIndexWithABadRow(const std::vector<CollocationRecord>& records) {
    std::vector<IndexRecord> index;
    for (std::size_t row = 0; row < records.size(); ++row)
        if (!records[row].wordIds.empty()) index.push_back({records[row].wordIds[0], static_cast<int32_t>(row)});
    index.push_back({kBadRowWord, 999});
    std::stable_sort(index.begin(), index.end(), [](const IndexRecord& a, const IndexRecord& b) { return a.key < b.key; });
    return index;
}

WordEntry Reading(int32_t id, WordArray attributes = {}, double readingWeight = 0.0, int32_t partOfSpeech = kNoun) {
    WordEntry reading;
    reading.id = id;
    reading.partOfSpeech = partOfSpeech;
    reading.attributes = std::move(attributes);
    reading.readingWeight = readingWeight;
    return reading;
}

class CollocationSearchTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        EngineTest::SetUpTestSuite();
        const std::vector<CollocationRecord> records = Dictionary();
        std::filesystem::create_directories(data->path("data"));
        WriteCollocationFiles(data->path("data/cols"), records);
        WriteIndexFile(data->path("data/colsWRDID.HSH"), FirstWordIndexWithABadRow(records));
        LoadCollocations(data->dir());
    }
    void SetUp() override {
        EngineTest::SetUp();
        GrammarTables() = Groups();
    }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }

    // Window position i holds word with these readings.
    void Place(int i, const std::u16string& word, std::vector<WordEntry> readings = {}, double weight = 0.0) {
        WordEntryArr& slot = Engine().Window[i];
        slot = WordEntryArr{};
        slot.word = word;
        slot.weight = weight;
        slot.meanings = std::move(readings);
        Engine().N = std::max(Engine().N, i + 1);
    }

    // The collocation steps of the fragment pass for positions from..to - 1.
    void Search(int from, int to) {
        EngineState& engine = Engine();
        for (int a = from; a < to; ++a) {
            for (int q = a; q >= 0 && a - q < kMaxLeafWords; --q) {
                TryCollocationSQL(q, a, engine.temporaryCell);
                AddFragments(q, a);
                ClearCell(engine.temporaryCell);
            }
            for (int q = a; q >= 0; --q) ExtendPartialMatches(q, a);
        }
        engine.P = to;
    }

    FragmentEntries& Cell(int q, int a) { return Engine().chart.Cell(q, a - q); }

    // The texts of the source collocations of chart cell (q, a - q).
    std::vector<std::u16string> Leaves(int q, int a) {
        std::vector<std::u16string> texts;
        const FragmentEntries& cell = Cell(q, a);
        for (int k = 0; k < cell.count; ++k) texts.push_back(Engine().instances[cell.entries[k]->sourceInstance].text);
        return texts;
    }

    static inline testing::TempDir* data = new testing::TempDir;
};

using Texts = std::vector<std::u16string>;

TEST_F(CollocationSearchTest, ReadingsDecideWhetherAnEntryMatchesAndWhatItScores) {
    struct Case {
        const char* what;
        WordArray bigAttributes, houseAttributes;
        double bigWeight, houseReadingWeight;
        Texts leaves;
        double score;
    };
    const Case cases[] = {
        {"the plural of the noun is taken over", {kAdjective}, {kNoun, kMasculine, kPlural}, 0, 0, {u"big house"}, 2.0},
        {"a required gender is missing", {kAdjective}, {kNoun, kFeminine, kPlural}, 0, 0, {}, 0},
        {"the words differ in number", {kAdjective, kSingular}, {kNoun, kMasculine, kPlural}, 0, 0, {}, 0},
        {"a cut token adds its weight, a spelling fix costs its own", {kAdjective}, {kNoun, kMasculine, kPlural}, 3.0,
         0.5, {u"big house"}, 4.5},
    };
    for (const Case& c : cases) {
        ResetEngine();
        Place(0, u"big", {Reading(kBig, c.bigAttributes, 0.0, kAdjective)}, c.bigWeight);
        Place(1, u"houses", {Reading(kHouse, c.houseAttributes, c.houseReadingWeight)});
        Search(0, 2);
        ASSERT_EQ(Leaves(0, 1), c.leaves) << c.what;
        if (c.leaves.empty()) continue;
        const FE& leaf = *Cell(0, 1).entries[0];
        EXPECT_DOUBLE_EQ(leaf.score, c.score) << c.what;
        EXPECT_TRUE(leaf.inherited.TestBit(kPlural)) << c.what;
        EXPECT_TRUE(leaf.inherited.TestBit(kNoun)) << c.what;  // its part of speech
        EXPECT_EQ(leaf.category, kNoun);
        EXPECT_TRUE(leaf.complete && leaf.planEligible);
        EXPECT_EQ(leaf.start, 0);
        EXPECT_EQ(leaf.span, 1);
        EXPECT_EQ(Engine().instances[leaf.sourceInstance].position, 0);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(CollocationSearchTest, OneWordEntryTakesTheValueOfItsReading) {
    Place(0, u"houses", {Reading(kHouse, {kNoun, kPlural}), Reading(kHouse, {kNoun, kSingular})});
    Search(0, 1);
    ASSERT_EQ(Leaves(0, 0), (Texts{u"house", u"house"}));
    EXPECT_TRUE(Cell(0, 0).entries[0]->inherited.TestBit(kPlural));
    EXPECT_FALSE(Cell(0, 0).entries[0]->inherited.TestBit(kSingular));
    EXPECT_TRUE(Cell(0, 0).entries[1]->inherited.TestBit(kSingular));
}

TEST_F(CollocationSearchTest, PartialMatchGrowsOverPositionsAndSurvivesAWindowShift) {
    // The first word must be masculine: a component that did not move with
    // the window would name the reading of "of" instead.
    Place(0, u"a");
    Place(1, u"house", {Reading(kHouse, {kNoun, kMasculine})});
    Place(2, u"of", {Reading(kOf)});
    Search(0, 3);
    ASSERT_EQ(Cell(1, 2).partialMatches.size(), 1u);
    EXPECT_EQ(Cell(1, 2).partialMatches[0].key, "11;13");
    EXPECT_EQ(Cell(1, 2).partialMatches[0].componentCount, 2);

    ASSERT_TRUE(ShiftWindow(1));
    Place(2, u"cards", {Reading(kCards)});
    Search(2, 3);
    EXPECT_EQ(Leaves(0, 2), Texts{u"house of cards"});
    EXPECT_EQ(Engine().instances[Cell(0, 2).entries[0]->sourceInstance].position, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(CollocationSearchTest, HyphensBetweenWords) {
    struct Case {
        std::u16string last;
        Texts wholeSpan;
    };
    const Case cases[] = {
        {u"known", {u"well known"}},  // the match is carried across the hyphen
        {u"-", {}},                   // a span ending in two hyphens has no leaves
    };
    for (const Case& c : cases) {
        ResetEngine();
        Place(0, u"well", {Reading(kWell)});
        Place(1, u"-", {Reading(kDash)});
        Place(2, c.last, {Reading(c.last == u"-" ? kDash : kKnown)});
        Search(0, 3);
        EXPECT_EQ(Leaves(0, 1), Texts{u"well-dash"});
        EXPECT_EQ(Leaves(0, 2), c.wholeSpan) << Utf8Encode(c.last);
    }
}

TEST_F(CollocationSearchTest, EntriesHaveAtMostNineWords) {
    for (int i = 0; i < 10; ++i) Place(i, u"w" + Utf8Decode(std::to_string(i)), {Reading(kFirstOfTen + i)});
    Search(0, 10);
    EXPECT_EQ(Leaves(0, 8), Texts{u"nine"});
    const Chart& chart = Engine().chart;
    for (int q = 0; q < 10; ++q)
        for (const FragmentEntries& cell : chart.rows[q]) {
            for (const PartialMatch& match : cell.partialMatches) EXPECT_LE(match.componentCount, 9);
            for (int k = 0; k < cell.count; ++k)
                EXPECT_NE(Engine().instances[cell.entries[k]->sourceInstance].text, u"ten");
        }
}

TEST_F(CollocationSearchTest, WordsWithoutEntries) {
    struct Case {
        std::u16string word;
        std::vector<WordEntry> readings;
        int32_t category;
        WordArray attributes;
        double score;
    };
    const Case cases[] = {
        {u"1", {Reading(-1, {}, 0, kNumberValue)}, kNumberValue, {383}, 0.0},
        {u"15", {Reading(-1, {}, 0, kNumberValue)}, kNumberValue, {kPlural, 383}, 0.0},
        {u"40", {Reading(-1, {}, 0, kNumberValue)}, kNumberValue, {kPlural}, 0.0},
        {u"§", {Reading(5, {}, 0, 768)}, 768, {}, 0.0},
        {u"xyz", {}, kUnknownWordValue, {kUnknownWordValue}, -1.0},
    };
    for (const Case& c : cases) {
        ResetEngine();
        Place(0, c.word, c.readings);
        Search(0, 1);
        ASSERT_EQ(Leaves(0, 0), Texts{c.word}) << Utf8Encode(c.word);
        const FE& leaf = *Cell(0, 0).entries[0];
        AttributeSet expected;
        for (int32_t v : c.attributes) expected.SetBit(v);
        EXPECT_EQ(leaf.inherited, expected) << Utf8Encode(c.word);
        EXPECT_EQ(leaf.category, c.category);
        EXPECT_DOUBLE_EQ(leaf.score, c.score);
        EXPECT_EQ(leaf.wordIdCount, 0);  // no class
        EXPECT_LE(Engine().instances[leaf.sourceInstance].templateId, 0);  // printed as itself
    }
}

TEST_F(CollocationSearchTest, ABadIndexRowIsReportedAndTheWordStillStands) {
    Place(0, u"bad", {Reading(kBadRowWord)});
    Search(0, 1);
    // Once while looking for the word's entries, once while keeping it as the
    // beginning of longer ones.
    const std::u16string cause = u"Exception ColHdrReader.Get: row 999 outside the header file";
    EXPECT_EQ(errors, (Texts{cause + u" in AddPermutationString", cause + u" in ExtendPartialMatches"}));
    EXPECT_EQ(Leaves(0, 0), Texts{u"bad"});
}

TEST_F(CollocationSearchTest, SpansAreLookedUpUnderTheirSpellings) {
    const std::pair<std::u16string, Texts> cases[] = {
        {u"well - known", {u"well - known", u"well  known", u"wellknown", u"well-known", u"well--known"}},
        {u"big house", {u"big house", u"bighouse", u"big-house"}},  // no repeats of the span itself
        {u"well -", {u"well -", u"well-"}},  // hyphen as blank would end in one; the others repeat
    };
    for (const auto& [w, spellings] : cases) EXPECT_EQ(SpanSpellings(w), spellings) << Utf8Encode(w);

    // "wal k" is not a word, but without its blank it is.
    Place(0, u"wal");
    Place(1, u"k");
    Search(0, 2);
    EXPECT_EQ(Leaves(0, 1), Texts{u"walk"});
}

TEST_F(CollocationSearchTest, ShiftMovesWhatLongSpansHold) {
    Chart& chart = Engine().chart;
    FE entry = test::Leaf(-1, 1.0, 5, 30);
    AppendEntry(chart.Cell(5, 30), entry);
    PartialMatch match;
    match.key = "1";
    match.components[0] = {3, 12, 0};
    match.componentCount = 1;
    chart.Cell(3, 12).partialMatches.push_back(match);
    NoteContent(chart.Cell(3, 12));
    chart.Shift(2, 60);
    ASSERT_EQ(chart.Cell(3, 30).count, 1);
    EXPECT_EQ(chart.Cell(3, 30).entries[0]->start, 3);
    ASSERT_EQ(chart.Cell(1, 12).partialMatches.size(), 1u);
    EXPECT_EQ(chart.Cell(1, 12).partialMatches[0].components[0].start, 1);
}

}  // namespace
}  // namespace pv
