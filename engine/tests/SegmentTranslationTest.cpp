#include <filesystem>
#include <string>
#include <vector>

#include "datagen/CollocationWriter.h"
#include "datagen/MorphologyFixture.h"
#include "engine/Engine.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/SentenceDriver.h"
#include "engine/TranslationLookup.h"
#include "engine/tests/ChartTestSupport.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/tests/TempDir.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using namespace fixture;

constexpr int32_t kFeminine = 9, kPlural = 12;
constexpr int32_t kNumber = 3, kCapitals = 214;
constexpr int32_t kBookSource = 10, kNewBookSource = 11;

// A noun entry.
CollocationRecord Entry(int32_t id, const char* text, uint8_t language) {
    CollocationRecord r;
    r.id = id;
    r.text = text;
    r.language = language;
    r.partOfSpeech = 1;
    r.templateId = 5;
    return r;
}

CollocationRecord Source(int32_t id, const char* text, const char* translations) {
    CollocationRecord r = Entry(id, text, kEnglish);
    r.sourceScore = 1.0;
    r.translations = translations;
    return r;
}

// A Bulgarian entry whose words take their number from the context.
CollocationRecord Target(int32_t id, const char* text, WordArray wordIds, std::vector<WordArray> required) {
    CollocationRecord r = Entry(id, text, kBulgarian);
    r.wordIds = std::move(wordIds);
    r.requiredAttributes = std::move(required);
    r.inheritedGroups.assign(r.wordIds.size(), WordArray{kNumber, kCapitals});
    return r;
}

// The sentence driver prints each segment of the plan as the synthesis of
// the entry the plan chose for it.
class SegmentTranslationTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        EngineTest::SetUpTestSuite();
        std::filesystem::create_directories(data->path("data"));
        WriteCollocationFiles(data->path("data/cols"),
                              {Source(kBookSource, "book", "20"), Source(kNewBookSource, "new book", "21"),
                               Target(20, "книга", {kKniga}, {{}}),
                               Target(21, "нова книга", {kNov, kKniga}, {{kFeminine}, {}})});
        LoadCollocations(data->dir());
    }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }

    // Words at the window positions, all analysed already.
    void SetWindow(const std::vector<std::pair<std::u16string, std::u16string>>& words) {
        EngineState& engine = Engine();
        for (std::size_t i = 0; i < words.size(); ++i) {
            engine.Window[i].word = words[i].first;
            engine.Window[i].mark = words[i].second;
        }
        engine.N = engine.P = static_cast<int>(words.size());
    }

    // The translations of dictionary entry `id` read in the plural, as the
    // chart cell (start, span) and the plan segment ending after it.
    void PlacePluralReading(int32_t id, int start, int span) {
        EngineState& engine = Engine();
        FragmentEntries& leaves = engine.temporaryCell;
        const Collocation source = LoadCollocationFromFile(id);
        FE leaf = test::Leaf(engine.instances.AddCollocation(source, start), source.sourceScore, start, span);
        GrammarTables().SetAttribute(leaf.inherited, kPlural);
        AppendEntry(leaves, leaf);
        FindTranslations(leaves);
        for (int k = 0; k < leaves.count; ++k) AddToCell(engine.chart.Cell(start, span), *leaves.entries[k]);
        ClearCell(leaves);
        engine.chart.plan[start + span + 1] = {static_cast<int16_t>(start), static_cast<int16_t>(span), 0};
    }

    // "new books xyz books": a two-word entry, a word without an entry and a
    // one-word entry.
    void PlaceSegments() {
        PlacePluralReading(kNewBookSource, 0, 1);
        PlacePluralReading(kBookSource, 3, 0);
    }

    static inline testing::TempDir* data = new testing::TempDir;
};

TEST_F(SegmentTranslationTest, SegmentsAreTheirEntriesInflectedAndWordsWithoutEntriesStandAsTheyAre) {
    SetWindow({{u"new", {}}, {u"books", {}}, {u"xyz", {}}, {u"books", {}}});
    PlaceSegments();
    EXPECT_EQ(Utf8Encode(ProcessToken({}, {})), "Нови книги xyz книги");
    EXPECT_EQ(Engine().N, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SegmentTranslationTest, EveryBatchEntryGetsTheTranslationsOfItsOwnWords) {
    SetWindow({{u"new", u"##1!"}, {u"books", u"##1!"}, {u"xyz", u"##2!"}, {u"books", u"##3!"}});
    PlaceSegments();
    std::u16string joined = ProcessToken({}, {});
    EXPECT_EQ(Utf8Encode(joined), "##1!Нови книги##1! ##2!xyz ##3!книги##3!");
    const char* expected[] = {"Нови книги ", "xyz ", "книги "};
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(Utf8Encode(ExtractEntryResult(joined, k)), expected[k - 1]) << k;
}

}  // namespace
}  // namespace pv
