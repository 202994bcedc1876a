#include "engine/ContextScoring.h"

#include <filesystem>
#include <cmath>
#include <vector>

#include "datagen/ContextStoreWriter.h"
#include "datagen/RelationWriter.h"
#include "engine/ContextScoringAncestors.h"
#include "engine/ContextScoringRelations.h"
#include "engine/EngineState.h"
#include "engine/SentenceDriver.h"
#include "engine/tests/ChartTestSupport.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/DataPath.h"
#include "lexdb/tests/TempDir.h"
#include "morphology/Attributes.h"
#include "morphology/PhraseRules.h"

namespace pv {
namespace {

// Classes: 10 is-a 11 is-a 12; 30, 31, 32 form a loop; 100 .. 130 a chain
// longer than any record; relation 50 (type 7) relates 11 to 20 with weight 2
// and is itself a concept with the id kRelationIdBase + 50.
constexpr int32_t kRelation = 7;
constexpr int32_t kSameClass = 4;
constexpr int32_t kRelationConcept = kRelationIdBase + 50;

std::vector<RelationRecord> Relations() {
    std::vector<RelationRecord> records = {
        {0, 10, 11, 0, 1}, {0, 11, 12, 0, 2}, {0, 30, 31, 0, 3}, {0, 31, 32, 0, 4},
        {0, 32, 30, 0, 5}, {kRelation, 11, 20, 2000, 50},
    };
    for (int32_t i = 0; i < 30; ++i) records.push_back({0, 100 + i, 101 + i, 0, 100 + i});
    return records;
}

// The stores are written and loaded once for all tests, being large.
class ContextScoringTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        EngineTest::SetUpTestSuite();
        dir_ = new testing::TempDir;
        const std::string base = dir_->dir() + "/";
        std::filesystem::create_directories(base + "DATA");
        WriteRelationTable(ResolveDataPath(base, "DATA\\RELS.DAT"), Relations());
        WriteExtendedRelations(ResolveDataPath(base, "DATA\\EXTREL.DAT"),
                               ResolveDataPath(base, "DATA\\EXTREL.IDX"),
                               {{500, {{kRelation, 501, 20}}}});
        WriteContextStore(ResolveDataPath(base, "DATA\\CD"),
                          {{500, {{600, 5}, {601, -100}}}, {502, {{600, 3}}}});
        WriteContextStore(ResolveDataPath(base, "DATA\\RCD"),
                          {{10, {{700, 7}}}, {11, {{701, 100}}}, {12, {{702, 1000}}}});

        EngineState& engine = Engine();
        savedDataDir_ = engine.dataDir;
        engine.dataDir = base;
        LoadRelationTable(engine);
        LoadContextStores(engine);
    }
    static void TearDownTestSuite() {
        EngineState& engine = Engine();
        engine.dataDir = savedDataDir_;
        LoadRelationTable(engine);
        LoadContextStores(engine);
        StartAncestorRecords(engine);
        delete dir_;
    }
    void SetUp() override {
        EngineTest::SetUp();
        savedTables_ = GrammarTables();
        savedPhrases_ = Phrases();
        std::vector<uint8_t> ancestorIsFirst(kRelation + 1, 0);
        ancestorIsFirst[kRelation] = 1;
        GrammarTables().SetRelationDefinitions(ancestorIsFirst);
        StartAncestorRecords(Engine());
        ResetContextScoring(Engine());
    }
    void TearDown() override {
        GrammarTables() = savedTables_;
        Phrases() = savedPhrases_;
        StartAncestorRecords(Engine());
        ResetContextScoring(Engine());
        EngineTest::TearDown();
    }

    // An instance of a class with the meaning of its translation.
    int32_t Instance(int32_t classId, int32_t meaningId = 0, int32_t language = kEnglish,
                     int32_t position = 0) {
        Collocation record;
        record.classId = classId;
        record.meaningId = meaningId;
        record.language = language;
        return Engine().instances.AddCollocation(record, position);
    }

    // A leaf of one class at a window position, translated into target.
    FE Word(int32_t classId, int start, int32_t target = -1) {
        FE entry = test::Leaf(Instance(classId, 0, kEnglish, start), 0.0, start);
        entry.wordIds[0] = classId;
        entry.wordIdCount = 1;
        entry.targetInstance = target;
        return entry;
    }

    std::vector<int32_t> Chain(int32_t classId) {
        AncestorRecord record;
        record.ids[0] = classId;
        GetAncestors(record, Engine().relations.get(), GrammarTables());
        return std::vector<int32_t>(record.ids.begin(), record.ids.begin() + record.count);
    }

    static FragmentEntries CellOf(std::vector<FE>& entries) {
        FragmentEntries cell;
        for (FE& entry : entries) cell.entries.push_back(&entry);
        cell.count = static_cast<int32_t>(entries.size());
        return cell;
    }

    static inline testing::TempDir* dir_ = nullptr;
    static inline std::string savedDataDir_;
    AttributeTables savedTables_;
    PhraseTables savedPhrases_;
};

TEST_F(ContextScoringTest, AncestorChainsFollowTheParentRelationAndStop) {
    std::vector<int32_t> longChain;
    for (int32_t c = 100; c < 100 + kMaxAncestorChain; ++c) longChain.push_back(c);
    const struct {
        int32_t classId;
        std::vector<int32_t> chain;
    } cases[] = {
        {10, {10, 11, 12}},
        {999, {999}},                                 // no parent
        {30, {30, 31, 32}},                           // the loop ends at the repeated class
        {100, longChain},                             // at most 19 ids
        {kRelationConcept, {kRelationConcept, 11, 12}},  // type 7 counts its first id
    };
    for (const auto& c : cases) EXPECT_EQ(Chain(c.classId), c.chain) << c.classId;

    GrammarTables().SetRelationDefinitions({});
    EXPECT_EQ(Chain(kRelationConcept), (std::vector<int32_t>{kRelationConcept, 20}));
}

TEST_F(ContextScoringTest, AncestorRecordsLastAsLongAsTheirLatestInstance) {
    AncestorRecords& records = Engine().ancestors;
    const AttributeTables& tables = GrammarTables();
    const RelationHash* relations = Engine().relations.get();
    EXPECT_EQ(records.AncestorRecordOf(0, 1, relations, tables), -1);

    const int32_t ten = records.AncestorRecordOf(10, 3, relations, tables);
    ASSERT_GE(ten, 0);
    EXPECT_EQ(records[ten].count, 3);
    EXPECT_EQ(records.AncestorRecordOf(10, 5, relations, tables), ten);
    EXPECT_EQ(records.AncestorRecordOf(10, 2, relations, tables), ten);
    EXPECT_EQ(records[ten].position, 5);
    // Same home record: the second class probes on to the next one.
    const int32_t colliding = records.AncestorRecordOf(10 + kAncestorRecords, 3, relations, tables);
    EXPECT_NE(colliding, ten);
    EXPECT_EQ(records.Find(10 + kAncestorRecords), colliding);
    const int32_t kept = records.AncestorRecordOf(12, -1, relations, tables);

    records.ReleaseBefore(4);
    EXPECT_EQ(records.Find(10), ten);
    EXPECT_EQ(records[ten].position, 1);
    EXPECT_EQ(records.Find(10 + kAncestorRecords), -1);
    records.ReleaseBefore(100);
    EXPECT_EQ(records.Find(10), -1);
    EXPECT_EQ(records.Find(12), kept);
    // A record made again in a freed slot moves once per shift; once kept
    // for good it no longer moves.
    EXPECT_EQ(records.AncestorRecordOf(10, 7, relations, tables), ten);
    records.ReleaseBefore(2);
    EXPECT_EQ(records[ten].position, 5);
    records.AncestorRecordOf(10, -1, relations, tables);
    records.ReleaseBefore(6);
    EXPECT_EQ(records.Find(10), ten);
    EXPECT_EQ(records[ten].position, -1);
    records.ReleaseBound();
    EXPECT_EQ(records.Find(12), kept);
    EXPECT_EQ(records.Find(10), ten);
}

TEST_F(ContextScoringTest, AFullRecordTableGivesNoRecordInsteadOfSearchingForever) {
    AncestorRecords& records = Engine().ancestors;
    for (int32_t c = 1; c <= kAncestorRecords; ++c)
        ASSERT_GE(records.AncestorRecordOf(c, -1, nullptr, GrammarTables()), 0) << c;
    EXPECT_EQ(records.AncestorRecordOf(kAncestorRecords + 1, -1, nullptr, GrammarTables()), -1);
    EXPECT_EQ(records.Find(kAncestorRecords + 1), -1);
}

TEST_F(ContextScoringTest, TheWindowShiftFreesTheRecordsOfDroppedPositions) {
    EngineState& engine = Engine();
    engine.N = 6;
    Instance(10, 0, kEnglish, 2);
    Instance(11, 0, kEnglish, 4);
    ASSERT_GE(engine.ancestors.Find(10), 0);
    ASSERT_TRUE(ShiftWindow(3));
    EXPECT_EQ(engine.ancestors.Find(10), -1);
    const int32_t eleven = engine.ancestors.Find(11);
    ASSERT_GE(eleven, 0);
    EXPECT_EQ(engine.ancestors[eleven].position, 1);
}

TEST_F(ContextScoringTest, AddToContextGathersTheWordsOfMeaningsAndAncestors) {
    std::vector<FE> entries = {Word(10, 0, Instance(0, 500, kBulgarian)),
                               Word(0, 1, Instance(0, 502, kBulgarian))};
    FragmentEntries cell = CellOf(entries);
    AddToContext(cell);

    ContextTables& context = Engine().context;
    EXPECT_EQ(context.Meanings().Get(600), (5 + 50) + (3 + 50));
    EXPECT_EQ(context.Meanings().Get(601), -100 + 50);
    EXPECT_EQ(context.Classes().Get(700), 7);
    EXPECT_EQ(context.Classes().Get(701), 20);  // the parent weighs a fifth
    EXPECT_EQ(context.Classes().Get(702), 40);  // its parent a fifth of that
    EXPECT_TRUE(errors.empty());

    BeginText();
    EXPECT_EQ(context.Meanings().Get(600), std::nullopt);
    EXPECT_EQ(context.Classes().Get(700), std::nullopt);
}

TEST_F(ContextScoringTest, EvaluateEntryWeighsTheMeaningAndTheNearestAncestorInContext) {
    const int32_t record = Engine().ancestors.AncestorRecordOf(10, 0, Engine().relations.get(),
                                                               GrammarTables());
    const struct {
        int32_t meaning;
        int32_t record;
        std::vector<std::pair<int32_t, int32_t>> meanings, classes;
        double expected;
    } cases[] = {
        {-1, -1, {}, {}, 0.0},
        {600, -1, {}, {}, 10.0},
        {600, -1, {{600, 5}}, {}, 50.0},
        {600, -1, {{600, -50}}, {}, 1.0},  // never below 1
        {600, record, {}, {{10, 4}}, 10.0 + 4},
        {600, record, {}, {{11, 4}}, 10.0 + 0.7 * 4},
        {600, record, {}, {{12, 4}}, 10.0 + 0.49 * 4},
        {600, record, {}, {{11, 4}, {12, 100}}, 10.0 + 0.7 * 4},  // only the first found counts
    };
    ContextTables& context = Engine().context;
    for (const auto& c : cases) {
        BeginText();
        for (auto [key, value] : c.meanings) context.Meanings().Add(key, value);
        for (auto [key, value] : c.classes) context.Classes().Add(key, value);
        EXPECT_DOUBLE_EQ(EvaluateEntry(c.meaning, c.record), c.expected) << c.meaning << " " << c.expected;
    }
}

TEST_F(ContextScoringTest, ContextEvalAddsTheLogarithmOfTheContextWeight) {
    std::vector<FE> entries = {Word(999, 0, Instance(0, 500, kBulgarian)),
                               Word(999, 0, Instance(0, 501, kBulgarian)), Word(999, 0)};
    for (FE& entry : entries) entry.score = 1.0;
    Engine().context.Meanings().Add(500, 5);
    FragmentEntries cell = CellOf(entries);
    ContextEval(cell);
    EXPECT_DOUBLE_EQ(entries[0].score, 1.0 + 0.03 * std::log(50.0));
    EXPECT_DOUBLE_EQ(entries[1].score, 1.0 + 0.03 * std::log(10.0));
    EXPECT_DOUBLE_EQ(entries[2].score, 1.0);  // no translation, no context weight
}

TEST_F(ContextScoringTest, EveryTextAndBatchStartsWithAnEmptyContext) {
    ContextTables& context = Engine().context;
    context.Meanings().Add(600, 5);
    TranslateText(u"book");
    EXPECT_EQ(context.Meanings().Get(600), std::nullopt);
    context.Classes().Add(700, 5);
    BatchEntries batch;
    batch[0] = u"book";
    TranslateBatch(batch);
    EXPECT_EQ(context.Classes().Get(700), std::nullopt);
}

TEST_F(ContextScoringTest, RelationCacheProbesABoundedRunAndWrapsBeforeTheLastSlot) {
    RelationScoreCache cache;
    // (a, 0, h - a) all start at slot h; from 32,765 the run wraps to slot 0.
    for (int32_t home : {100, kRelationCacheSlots - 2}) {
        cache.Clear();
        for (int32_t a = 0; a < RelationScoreCache::kMaxLookupProbes; ++a) {
            ASSERT_EQ(RelationScoreCache::HomeSlot(a + 1, 0, home - a - 1), home);
            cache.Add(a + 1, 0, home - a - 1, static_cast<float>(a), a);
        }
        for (int32_t a = 0; a < RelationScoreCache::kMaxLookupProbes; ++a) {
            std::optional<RelationScoreCache::Hit> hit = cache.Get(a + 1, 0, home - a - 1);
            ASSERT_TRUE(hit) << home << " " << a;
            EXPECT_EQ(hit->value, a);
        }
        // One more in the run: finding it takes a 27th probe, which empties the cache.
        const int32_t a = RelationScoreCache::kMaxLookupProbes;
        cache.Add(a + 1, 0, home - a - 1, 1.0f, a);
        EXPECT_FALSE(cache.Get(a + 1, 0, home - a - 1));
        EXPECT_FALSE(cache.Get(1, 0, home - 1));
    }
    EXPECT_GE(RelationScoreCache::HomeSlot(INT32_MAX, INT32_MAX, INT32_MIN), 0);
}

TEST_F(ContextScoringTest, RelationScoreOfClassesAncestorsMeaningsAndDistance) {
    const int32_t bgFirst = Instance(0, 500, kBulgarian);
    const int32_t bgSecond = Instance(0, 501, kBulgarian);
    const int32_t frSecond = Instance(0, 501, kFrench);
    FE noClass = Word(10, 0);
    noClass.wordIds[0] = -1;
    noClass.wordIdCount = 0;
    FE twoClasses = Word(10, 0);
    twoClasses.wordIds[1] = 30;
    twoClasses.wordIdCount = 2;
    // 11, the parent of 10, is related to 20 with weight 2: depth 1 gives 9 points.
    const double related = 9 * 2.0 * 0.1;
    const double meanings = 0.075 * std::log(20.0 + 40.0);
    const struct {
        const char* name;
        int32_t kind;
        FE x, y;
        double expected;
    } cases[] = {
        {"no class", kSameClass, noClass, Word(10, 1), 0.0},
        {"same class, adjacent", kSameClass, Word(10, 0), Word(10, 1), 1.0 / 1.01},
        {"no relation", kRelation, Word(20, 0), Word(10, 1), 0.0},
        {"ancestor, 5 apart", kRelation, Word(10, 0), Word(20, 5), related / 1.05},
        {"ancestor, later first", kRelation, Word(10, 5), Word(20, 0), related / 1.05},
        {"two classes", kRelation, twoClasses, Word(20, 1), related / 2 * 1.05 / 1.01},
        {"target meanings", kRelation, Word(10, 0, bgFirst), Word(20, 5, bgSecond),
         (related + meanings) / 1.05},
        {"target in another language", kRelation, Word(10, 0, bgFirst), Word(20, 5, frSecond),
         related / 1.05},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(RelationScore(c.kind, c.x, c.y), c.expected, 1e-6) << c.name;
        EXPECT_NEAR(RelationScore(c.kind, c.x, c.y), c.expected, 1e-6) << c.name << ", cached";
    }
}

TEST_F(ContextScoringTest, RelationsAndPendingRulesScoreOnceTheirSlotsAreBound) {
    // Rule 0 renders through phrase 0 (relating slots 1 and 2) or phrase 1
    // (relating slots 1 and 3).
    PhraseTables& tables = Phrases();
    tables.synthPhrases.resize(2);
    tables.synthPhrases[0].relations = {{kSameClass, 1, 2, 0}};
    tables.synthPhrases[1].relations = {{kSameClass, 1, 3, 0}};
    tables.phrases.resize(1);
    tables.phrases[0].links = {{0.5, 0}, {0.2, 1}};

    FE x = Word(10, 0), y = Word(10, 1), z = Word(10, 2);
    FE entry;
    entry.slots[1] = &x;
    entry.slots[2] = &y;
    entry.relations[0] = {kSameClass, 1, 2, 0};
    entry.relations[1] = {kSameClass, 1, 3, 0};
    entry.relationCount = 2;
    entry.pendingRules[0] = 0;
    entry.pendingCount = 1;

    EXPECT_EQ(ChooseSynthesis(0, entry.slots), 0);
    EXPECT_EQ(ChooseSynthesis(1, entry.slots), -1);
    EvaluateRelations(entry);
    EXPECT_NEAR(entry.score, 1.0 / 1.01, 1e-6);
    ASSERT_EQ(entry.relationCount, 1);
    EXPECT_EQ(entry.relations[0].secondSlot, 3);
    EXPECT_EQ(entry.pendingCount, 1);  // phrase 1 cannot be scored yet

    entry.slots[3] = &z;
    EvaluateRelations(entry);
    const double choice = 0.5 + 1.0 / 1.01;  // beats 0.2 + 1 / 1.02
    EXPECT_NEAR(entry.score, 1.0 / 1.01 + 1.0 / 1.02 + choice, 1e-6);
    EXPECT_EQ(entry.relationCount, 0);
    EXPECT_EQ(entry.pendingCount, 0);

    tables.phrases[0].links[1].weight = 2.0;
    EXPECT_EQ(ChooseSynthesis(0, entry.slots), 1);
}

}  // namespace
}  // namespace pv
