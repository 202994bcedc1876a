// The fifteen phrase tables written by the datagen writer and loaded back,
// with damaged files and records that name nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "datagen/ByteWriter.h"
#include "datagen/CollocationWriter.h"
#include "datagen/ContainerWriter.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/DataPath.h"
#include "textutil/tests/CollectedErrors.h"
#include "morphology/PhraseFiles.h"
#include "morphology/tests/PhraseFixture.h"

namespace pv {
namespace {

using test::kAP;
using test::kNP;
using test::kVP;
using test::PhraseDataDir;
using test::Rule;

PhraseTableSet FullSet() {
    PhraseTableSet set;
    PhraseSource np = Rule({{{{kAP, 0}, {5, 1}}, 0}, {{}, 0}, {{{kNP, 0}}, 7}}, "именна група");
    np.p1 = 11;
    np.p2 = -12;
    np.p3 = 13;
    np.b1 = 1;
    np.b2 = 255;
    np.score1 = 1.5;
    np.score2 = -0.25;
    np.entryId = 70;
    np.s = {{1, 4, 2, 3}};
    np.i = {{5, 6, 7}, {8, 9, 10}};
    np.conditions = {{6, 2}, {7, 3}};
    np.j = {{-2, 300, 4}};
    np.relations = {{65535, 0, 2, 1}};
    np.links = {{0.75, 1}, {2.0, 0}};
    np.p = {{-3, 71, 9}, {4, -1, 5}};
    set.phrases.push_back(np);
    set.phrases.push_back(Rule({{{{kVP, 0}}, -4}}));

    SynthPhraseSource first;
    first.value = 42;
    first.relations = {{3, 1, 0, 2}};
    BuildStepSource step;
    step.a = 1;
    step.b = -1;
    step.c = 9;
    step.text1 = std::string(100, 'x');
    step.text2 = "на";
    step.conditions = {{4, 1}};
    step.assignments = {{}, {{8, 0}, {9, 1}}};
    step.slotConditions = {{{5, 0}}};
    first.steps = {step, BuildStepSource{}};
    set.synthPhrases = {first, SynthPhraseSource{-7, {}, {}}};
    return set;
}

void WriteEntries(const std::string& base) {
    std::filesystem::create_directories(base + "data");
    CollocationRecord entry;
    entry.id = 70;
    entry.text = "red car";
    entry.wordIds = {101, 102};
    CollocationRecord other;
    other.id = 71;
    other.text = "car";
    WriteCollocationFiles(base + "data/cols", {entry, other});
    LoadCollocations(base);
}

TEST(PhraseTablesTest, EveryTableReadsBackAsWritten) {
    PhraseDataDir dir;
    WriteEntries(dir.base());
    CollocationInstances instances;
    const PhraseTables tables = dir.WriteAndLoad(FullSet(), instances);

    ASSERT_EQ(tables.phrases.size(), 2u);
    const PhraseEntry& np = tables.phrases[0];
    EXPECT_EQ(np.name, u"именна група");
    EXPECT_EQ(np.slotConditions, (std::vector<WordCondsArray>{{{kAP, 0}, {5, 1}}, {}, {{kNP, 0}}}));
    EXPECT_EQ(np.anchors, (std::vector<int32_t>{0, 0, 7}));
    EXPECT_EQ(np.p1, 11);
    EXPECT_EQ(np.p2, -12);
    EXPECT_EQ(np.p3, 13);
    EXPECT_EQ(np.b1, 1);
    EXPECT_EQ(np.b2, 255);
    EXPECT_DOUBLE_EQ(np.score1, 1.5);
    EXPECT_DOUBLE_EQ(np.score2, -0.25);
    EXPECT_EQ(np.s, (std::vector<PhraseSElement>{{1, 4, 2, 3}}));
    EXPECT_EQ(np.i, (std::vector<PhraseIElement>{{5, 6, 7}, {8, 9, 10}}));
    EXPECT_EQ(np.conditions, (WordCondsArray{{6, 2}, {7, 3}}));
    EXPECT_EQ(np.j, (std::vector<PhraseJElement>{{-2, 300, 4}}));
    EXPECT_EQ(np.relations, (std::vector<PhraseRelation>{{65535, 0, 2, 1}}));
    EXPECT_EQ(np.links, (std::vector<PhraseLink>{{0.75, 1}, {2.0, 0}}));

    // The entries named by the phrase and by its list P are instances bound
    // to no window position; entry id -1 names none.
    ASSERT_EQ(instances.Count(), 2);
    EXPECT_EQ(np.entryInstance, 0);
    EXPECT_EQ(instances[0].text, u"red car");
    EXPECT_EQ(instances[0].wordIds, (WordArray{101, 102}));
    EXPECT_EQ(instances[0].position, -1);
    EXPECT_EQ(np.p, (std::vector<PhrasePElement>{{-3, 1, 9}, {4, -1, 5}}));
    EXPECT_EQ(instances[1].text, u"car");

    const PhraseEntry& vp = tables.phrases[1];
    EXPECT_EQ(vp.entryInstance, -1);
    EXPECT_EQ(vp.name, u"");
    EXPECT_EQ(vp.anchors, (std::vector<int32_t>{-4}));

    ASSERT_EQ(tables.synthPhrases.size(), 2u);
    const SynthPhraseEntry& synth = tables.synthPhrases[0];
    EXPECT_EQ(synth.value, 42);
    EXPECT_EQ(synth.relations, (std::vector<PhraseRelation>{{3, 1, 0, 2}}));
    ASSERT_EQ(synth.steps.size(), 2u);
    const BuildStep& step = synth.steps[0];
    EXPECT_EQ(step.a, 1);
    EXPECT_EQ(step.b, -1);
    EXPECT_EQ(step.c, 9);
    EXPECT_EQ(step.text1, std::u16string(100, u'x'));
    EXPECT_EQ(step.text2, u"на");
    EXPECT_EQ(step.conditions, (WordCondsArray{{4, 1}}));
    EXPECT_EQ(step.assignments, (std::vector<WordCondsArray>{{}, {{8, 0}, {9, 1}}}));
    EXPECT_EQ(step.slotConditions, (std::vector<WordCondsArray>{{{5, 0}}}));
    EXPECT_TRUE(synth.steps[1].conditions.empty());
    EXPECT_EQ(tables.synthPhrases[1].value, -7);
}

TEST(PhraseTablesTest, LoadingStartsFromEmptyTablesAndTheListPFileIsOptional) {
    PhraseDataDir dir;
    testing::CollectedErrors errors;
    CollocationInstances instances;
    PhraseTableSet set = FullSet();
    set.phrases[0].entryId = 0;
    WritePhraseTables(dir.base(), set);
    std::filesystem::remove(ResolveDataPath(dir.base(), kPhrasePFile));

    PhraseTables tables = dir.Load(instances);
    tables.Load(dir.base(), instances);
    ASSERT_EQ(tables.phrases.size(), 2u);
    ASSERT_EQ(tables.synthPhrases.size(), 2u);
    EXPECT_EQ(tables.phrases[0].slotConditions.size(), 3u);
    EXPECT_TRUE(tables.phrases[0].p.empty());
    EXPECT_EQ(tables.phrases[0].entryInstance, -1);
    EXPECT_EQ(instances.Count(), 0);
    EXPECT_TRUE(errors.texts.empty());
}

// Records are appended to what the earlier files loaded; this writes one
// file by hand on top of a written set.
class PhraseRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        PhraseTableSet set;
        set.phrases = {Rule({{{{kNP, 0}}, 0}}), Rule({})};
        SynthPhraseSource synth;
        synth.steps.resize(1);
        set.synthPhrases = {synth};
        WritePhraseTables(dir.base(), set);
    }
    void Replace(const char* file, const std::string& payload) {
        WriteCountedContainer(ResolveDataPath(dir.base(), file), payload);
    }
    PhraseTables Load() { return dir.Load(instances); }

    PhraseDataDir dir;
    CollocationInstances instances;
};

std::string ConditionRecord(int32_t phrase, int32_t slot, int32_t value) {
    ByteWriter out;
    out.I32(phrase);
    out.I32(slot);
    out.I32(value);
    out.U8(0);
    out.I32(0);
    return out.bytes();
}

TEST_F(PhraseRecordTest, RecordsNamingMissingIndexesAreIgnored) {
    Replace(kPhraseConditionsFile, ConditionRecord(2, 0, 4) + ConditionRecord(-1, 0, 4) +
                                       ConditionRecord(1, -1, 4) + ConditionRecord(1, kMaxPhraseSlots, 4) +
                                       ConditionRecord(1, 2, 5));
    ByteWriter links;
    for (int32_t synth : {1, -1, 0}) {
        links.I32(0);
        links.I32(synth);
        links.I32(500);
    }
    Replace(kSynthLinksFile, links.bytes());
    ByteWriter stepConditions;
    for (int32_t build : {1, 0}) {
        stepConditions.I32(0);
        stepConditions.I32(build);
        stepConditions.I32(6);
        stepConditions.U8(1);
    }
    Replace(kBuildConditionsFile, stepConditions.bytes());
    ByteWriter assignments;
    for (auto [synth, build] : {std::pair{1, 0}, {0, 1}, {0, 0}}) {
        assignments.I32(synth);
        assignments.I32(build);
        assignments.I32(1);
        assignments.I32(8);
        assignments.U8(0);
    }
    Replace(kBuildAssignmentsFile, assignments.bytes());

    const PhraseTables tables = Load();
    ASSERT_EQ(tables.phrases.size(), 2u);
    EXPECT_EQ(tables.phrases[0].slotConditions, (std::vector<WordCondsArray>{}));
    // Only the last record counts; the slot list grows to hold slot 2.
    EXPECT_EQ(tables.phrases[1].slotConditions, (std::vector<WordCondsArray>{{}, {}, {{5, 0}}}));
    EXPECT_EQ(tables.phrases[1].anchors, (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(tables.phrases[0].links, (std::vector<PhraseLink>{{0.5, 0}}));
    const BuildStep& step = tables.synthPhrases[0].steps[0];
    EXPECT_EQ(step.conditions, (WordCondsArray{{6, 1}}));
    EXPECT_EQ(step.assignments, (std::vector<WordCondsArray>{{}, {{8, 0}}}));
}

TEST_F(PhraseRecordTest, TextsAreCutToTheirRoomAndBadUtf8ReadsAsEmpty) {
    auto phraseRecord = [](uint8_t length, const std::string& text) {
        ByteWriter out;
        out.Bytes(std::string(26, '\0'));
        out.U8(length);
        out.Bytes(text);
        out.Bytes(std::string(kPhraseNameRoom - text.size(), '\0'));
        return out.bytes();
    };
    Replace(kPhrasesFile, phraseRecord(200, std::string(100, 'n')) + phraseRecord(2, "\xC3") +
                              phraseRecord(2, "ab"));
    const PhraseTables tables = Load();
    ASSERT_EQ(tables.phrases.size(), 3u);
    EXPECT_EQ(tables.phrases[0].name, std::u16string(100, u'n'));
    EXPECT_EQ(tables.phrases[1].name, u"");
    EXPECT_EQ(tables.phrases[2].name, u"ab");
}

TEST_F(PhraseRecordTest, TheByteCountDecidesWhatLoads) {
    // Build step records of zeros all belong to synthesis phrase 0.
    const std::string path = ResolveDataPath(dir.base(), kBuildStepsFile);
    const std::string oneRecord(kBuildStepRecordSize, '\0');
    const int32_t oneCount = static_cast<int32_t>(kBuildStepRecordSize);
    struct Case {
        const char* what;
        std::string content;
        std::size_t steps;
    };
    const Case cases[] = {
        {"trailing bytes of a partial record", CountedContent(oneCount + 2, oneRecord + "xx"), 1},
        {"count shorter than four bytes", std::string("\x04\x00", 2), 0},
        {"payload shorter than the count", CountedContent(2 * oneCount, oneRecord), 0},
        {"negative count", CountedContent(-oneCount, oneRecord), 0},
        {"count at the cap", CountedContent(20000000, std::string(20000000, '\0')), 20000000 / kBuildStepRecordSize},
        {"count above the cap", CountedContent(20000001, std::string(20000001, '\0')), 0},
    };
    for (const Case& c : cases) {
        WriteContainer(path, c.content);
        EXPECT_EQ(Load().synthPhrases.at(0).steps.size(), c.steps) << c.what;
    }
    std::filesystem::remove(path);
    EXPECT_TRUE(Load().synthPhrases.at(0).steps.empty());
}

TEST(PhraseTableWriterTest, RefusesWhatTheLoaderCouldNotReadBack) {
    struct Case {
        const char* what;
        void (*spoil)(PhraseTableSet&);
    };
    const Case cases[] = {
        {"name over 100 bytes", [](PhraseTableSet& s) { s.phrases[0].name = std::string(101, 'a'); }},
        {"name not UTF-8", [](PhraseTableSet& s) { s.phrases[0].name = "\xFF"; }},
        {"text 2 over 30 bytes", [](PhraseTableSet& s) { s.synthPhrases[0].steps[0].text2 = std::string(31, 'a'); }},
        {"mode over one byte", [](PhraseTableSet& s) { s.phrases[0].conditions = {{1, 256}}; }},
        {"relation type over 16 bits", [](PhraseTableSet& s) { s.phrases[0].relations = {{70000, 0, 0, 0}}; }},
        {"list P value over 16 bits", [](PhraseTableSet& s) { s.phrases[0].p = {{40000, -1, 0}}; }},
        {"score out of range", [](PhraseTableSet& s) { s.phrases[0].score1 = 3e6; }},
        {"link to a missing synthesis phrase", [](PhraseTableSet& s) { s.phrases[0].links = {{1.0, 2}}; }},
        {"last slot without conditions", [](PhraseTableSet& s) { s.phrases[0].slots.push_back({}); }},
        {"anchor on a slot without conditions",
         [](PhraseTableSet& s) { s.phrases[0].slots.insert(s.phrases[0].slots.begin(), {{}, 3}); }},
        {"more slots than a rule can match",
         [](PhraseTableSet& s) { s.phrases[0].slots.assign(kMaxPhraseSlots + 1, {{{kNP, 0}}, 0}); }},
        {"assignments ending in an empty slot",
         [](PhraseTableSet& s) { s.synthPhrases[0].steps[0].assignments = {{{1, 0}}, {}}; }},
    };
    for (const Case& c : cases) {
        PhraseTableSet set = FullSet();
        c.spoil(set);
        EXPECT_THROW(EncodePhraseTables(set), WriterError) << c.what;
    }
    EXPECT_NO_THROW(EncodePhraseTables(FullSet()));
}

}  // namespace
}  // namespace pv
