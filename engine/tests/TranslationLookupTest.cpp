#include "engine/TranslationLookup.h"

#include <filesystem>
#include <map>

#include "datagen/AttributeWriters.h"
#include "datagen/CollocationWriter.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/tests/ChartTestSupport.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/tests/TempDir.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

CollocationRecord Entry(int32_t id, const char* text, uint8_t language, int16_t partOfSpeech,
                        double targetScore = 0.0) {
    CollocationRecord r;
    r.id = id;
    r.text = text;
    r.language = language;
    r.partOfSpeech = partOfSpeech;
    r.templateId = 5;
    r.sourceScore = 1.0;
    r.targetScore = targetScore;
    return r;
}

CollocationRecord Source(int32_t id, const char* text, const char* translations, int32_t classId = 0,
                         int16_t partOfSpeech = 1) {
    CollocationRecord r = Entry(id, text, kEnglish, partOfSpeech);
    r.translations = translations;
    r.classId = classId;
    return r;
}

CollocationRecord Equivalent(int32_t id, const char* text, uint8_t language, int32_t classId,
                             int16_t partOfSpeech, uint8_t flag) {
    CollocationRecord r = Entry(id, text, language, partOfSpeech);
    r.classId = classId;
    r.flag = flag;
    return r;
}

// Groups 3 (values 12, 13), 4 (60, 61), 5 (80, 81), 6 (70, 71), 164 (50,
// 51) and the capitalisation, 214 (769, 770).
AttributeTables FormTables() {
    const std::map<int32_t, WordArray> groups = {
        {3, {12, 13}}, {4, {60, 61}}, {5, {80, 81}}, {6, {70, 71}}, {164, {50, 51}}, {214, {769, 770}}};
    std::vector<AttributeDef> attributes;
    for (int32_t id = 0; id <= 214; ++id)
        attributes.push_back(MakeAttribute(id, groups.contains(id) ? groups.at(id) : WordArray{}));
    std::vector<int32_t> valueAttributes(771, 0);
    for (const auto& [group, values] : groups)
        for (int32_t v : values) valueAttributes[v] = group;
    AttributeTables tables;
    tables.SetAttributes(attributes, valueAttributes);
    return tables;
}

class TranslationLookupTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        EngineTest::SetUpTestSuite();
        std::vector<CollocationRecord> records = {
            Source(10, "house", "20;21;30"),
            Entry(20, "къща", kBulgarian, 1, 0.5),
            Entry(21, "дом", kBulgarian, 1, 0.25),
            Entry(30, "maison", kFrench, 1, 0.1),
            Source(11, "tree", "40;41"),
            Entry(40, "arbre-neutral", 0, 1),
            Entry(41, "дърво", kBulgarian, 1),
            Source(12, "car", "", 7),
            Equivalent(50, "кола-0", kBulgarian, 7, 1, 0),
            Equivalent(51, "кола-1", kBulgarian, 7, 1, 1),
            Equivalent(52, "кола-прил", kBulgarian, 7, 2, 1),
            Equivalent(53, "voiture", kFrench, 7, 1, 1),
            Source(13, "bike", "", 8),
            Equivalent(60, "колело", kBulgarian, 8, 1, 0),
            Source(14, "and", "", 9, 257),
            Equivalent(61, "и", kBulgarian, 9, 257, 0),
            Source(17, "home", "24"),
            Source(18, "Haus", "24"),
            Entry(24, "уютен", kBulgarian, 2),
            Source(15, "big", "22"),
            Entry(22, "голям", kBulgarian, 2),
            Source(16, "2026", "23"),
        };
        for (CollocationRecord& r : records) {
            if (r.id == 17) r.inheritedGroups = {{5, 214}};
            if (r.id == 18) r.inheritedGroups = {{214}};
            if (r.id == 24) r.inheritedGroups = {{5, 214}};
        }
        records[1].associatedAttributes = {70};
        records.back().templateId = 0;
        records.back().associatedAttributes = {12};
        records[records.size() - 2].associatedAttributes = {70};
        std::filesystem::create_directories(data->path("data"));
        WriteCollocationFiles(data->path("data/cols"), records);
        LoadCollocations(data->dir());
    }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    void SetUp() override {
        EngineTest::SetUp();
        GrammarTables() = FormTables();
        Engine().instances.Clear();
    }
    void TearDown() override {
        ClearCell(cell);
        EngineTest::TearDown();
    }

    // The leaf of dictionary entry id, read as a word with the given
    // attributes, at window position 3.
    void AddSource(int32_t id, const AttributeSet& reading = {}) {
        const Collocation source = LoadCollocationFromFile(id);
        FE leaf = test::Leaf(Engine().instances.AddCollocation(source, 3), source.sourceScore);
        leaf.inherited = reading;
        AppendEntry(cell, leaf);
    }
    std::vector<std::u16string> Targets() const {
        std::vector<std::u16string> texts;
        for (int k = 0; k < cell.count; ++k) {
            const int32_t target = cell.entries[k]->targetInstance;
            texts.push_back(target < 0 ? u"-" : Engine().instances[target].text);
        }
        return texts;
    }

    static inline testing::TempDir* data = new testing::TempDir;
    FragmentEntries& cell = Engine().temporaryCell;
};

TEST_F(TranslationLookupTest, TwoTranslationsOfOneWordAreTwoLeaves) {
    AddSource(10);
    FindTranslations(cell);
    ASSERT_EQ(Targets(), (std::vector<std::u16string>{u"къща", u"дом"}));
    EXPECT_EQ(cell.entries[0]->sourceInstance, cell.entries[1]->sourceInstance);
    EXPECT_DOUBLE_EQ(cell.entries[0]->score, 1.5);
    EXPECT_DOUBLE_EQ(cell.entries[1]->score, 1.25);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(cell.entries[k]->index, k);
        EXPECT_TRUE(cell.entries[k]->planEligible);
        EXPECT_EQ(Engine().instances[cell.entries[k]->targetInstance].position, 3);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(TranslationLookupTest, TheTargetLanguageChoosesAmongTheListAndItsNeutralEntries) {
    struct Case {
        int32_t source;
        int32_t target;
        std::vector<std::u16string> texts;
    };
    const Case cases[] = {
        {10, kFrench, {u"maison"}},
        {11, kFrench, {u"arbre-neutral"}},  // no French entry: the language-0 ones
        {11, kBulgarian, {u"дърво"}},       // an own entry: the neutral one is not used
        {10, kGerman, {u"house"}},          // nothing at all: the word itself
        {10, kEnglish, {u"house"}},         // already in the target language
    };
    for (const Case& c : cases) {
        ClearCell(cell);
        TargetLanguage = c.target;
        AddSource(c.source);
        FindTranslations(cell);
        EXPECT_EQ(Targets(), c.texts) << c.source << " into " << c.target;
    }
}

TEST_F(TranslationLookupTest, ClassEquivalentsAcceptedFirstThenTheOthers) {
    struct Case {
        int32_t source;
        std::u16string text;
    };
    const Case cases[] = {
        {12, u"кола-1"},  // flag 1, same part of speech, target language
        {13, u"колело"},  // only a flag-0 equivalent
        {14, u"and"},     // part of speech 257 takes no flag-0 equivalent
    };
    for (const Case& c : cases) {
        ClearCell(cell);
        AddSource(c.source);
        FindTranslations(cell);
        EXPECT_EQ(Targets(), std::vector<std::u16string>{c.text}) << c.source;
    }
}

TEST_F(TranslationLookupTest, AnEntryWithoutTemplateTranslatesAsItself) {
    AddSource(16);
    FindTranslations(cell);
    ASSERT_EQ(Targets(), std::vector<std::u16string>{u"2026"});
    const FE& leaf = *cell.entries[0];
    EXPECT_NE(leaf.targetInstance, leaf.sourceInstance);
    EXPECT_EQ(Engine().instances[leaf.targetInstance].position, 3);
    EXPECT_TRUE(leaf.associated.TestBit(12));
    EXPECT_DOUBLE_EQ(leaf.score, 1.0);
}

TEST_F(TranslationLookupTest, NounsKeepTheNumberCaseAndGenderOfTheirReading) {
    AttributeSet reading;
    for (int32_t v : {13, 50, 61, 81}) reading.SetBit(v);
    struct Case {
        int32_t source;
        std::vector<int32_t> form;
    };
    const Case cases[] = {
        {10, {13, 50, 61, 70}},  // a noun: groups 3, 164 and 4, then its own values
        {15, {70}},              // an adjective: its own values only
    };
    for (const Case& c : cases) {
        ClearCell(cell);
        AddSource(c.source, reading);
        FindTranslations(cell);
        AttributeSet expected;
        for (int32_t v : c.form) expected.SetBit(v);
        EXPECT_EQ(cell.entries[0]->associated, expected) << c.source;
    }
}

// A translation takes a value of its reading only where the source word
// too takes that group from the text, and a capital only from a word that
// is not spelled with one of its own.
TEST_F(TranslationLookupTest, TranslationsTakeOnlyTheValuesTheTextGaveTheSource) {
    AttributeSet reading;
    for (int32_t v : {81, 769}) reading.SetBit(v);
    const std::pair<int32_t, std::vector<int32_t>> cases[] = {{17, {81, 769}}, {18, {}}};
    for (const auto& [source, form] : cases) {
        ClearCell(cell);
        AddSource(source, reading);
        FindTranslations(cell);
        AttributeSet expected;
        for (int32_t v : form) expected.SetBit(v);
        EXPECT_EQ(cell.entries[0]->associated, expected) << source;
    }
}

TEST_F(TranslationLookupTest, ABrokenSourceIsReported) {
    FE leaf = test::Leaf(999, 0.0);
    AppendEntry(cell, leaf);
    FindTranslations(cell);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], u"Exception source instance 999 is not in the table in FindTranslations()");
    EXPECT_EQ(cell.entries[0]->targetInstance, -1);
}

}  // namespace
}  // namespace pv
