// Our readable phrase rules compiled into the phrase tables and read back
// by the engine's loader, and the faults the compiler reports.
#include "datagen/build/PhraseRuleSource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "datagen/build/SourceText.h"
#include "engine/CollocationInstances.h"
#include "lexdb/tests/TempDir.h"
#include "morphology/PhraseTables.h"

namespace pv {
namespace {

const AttributeInventory& Inventory() {
    static const AttributeInventory inventory = ParseAttributeInventory(
        "attribute 1 category\n  1 noun\n  2 adjective\n"
        "attribute 3 grammatical-number\n  11 singular\n  12 plural\n",
        "attributes.txt");
    return inventory;
}

TEST(PhraseRuleSourceTest, ARuleReadsBackAsWritten) {
    const char* source =
        "# adjective and noun\n"
        "rule weight 0.5 languages 1,2 target 2 plan reset\n"
        "  slot adjective !plural template 7\n"
        "  slot noun @singular\n"
        "  agree 1 grammatical-number 0\n"
        "  agree 2 prep1 1 form\n"
        "  inherit 2 all\n"
        "  inherit 1 grammatical-number associated\n"
        "  assign 0 2 propagate\n"
        "  default 3 none\n"
        "  default 4 none from 0\n"  // a source slot must be above 0
        "  relation 5 0 1 2\n"
        "  set noun\n"
        "  clearform 12\n"
        "  template #!1 #!2\n";
    PhraseTableSet tables;
    EXPECT_THROW(ParsePhraseRules(source, "np.txt", Inventory(), tables), SourceError);

    tables = {};
    std::string fixed = source;
    fixed.replace(fixed.find("from 0"), 6, "from 2");
    ParsePhraseRules(fixed, "np.txt", Inventory(), tables);
    testing::TempDir dir;
    WritePhraseTables(dir.dir(), tables);
    CollocationInstances instances;
    PhraseTables loaded;
    loaded.Load(dir.dir(), instances);

    ASSERT_EQ(loaded.phrases.size(), 1u);
    const PhraseEntry& rule = loaded.phrases[0];
    EXPECT_DOUBLE_EQ(rule.score1, 0.5);
    EXPECT_EQ(rule.p2, (1 << 1) | (1 << 2));
    EXPECT_EQ(rule.p3, 2);
    EXPECT_EQ(rule.b1, 1);
    EXPECT_EQ(rule.b2, 1);
    ASSERT_EQ(rule.SlotCount(), 2);
    EXPECT_EQ(rule.slotConditions[0], (WordCondsArray{{2, 0}, {12, 1}}));
    EXPECT_EQ(rule.slotConditions[1], (WordCondsArray{{1, 0}, {11, 2}}));
    EXPECT_EQ(rule.anchors, (std::vector<int32_t>{7, 0}));
    EXPECT_EQ(rule.s, (std::vector<PhraseSElement>{{1, 3, 0, 0}, {2, -1, 1, 1}}));
    EXPECT_EQ(rule.i, (std::vector<PhraseIElement>{{2, -1, 0}, {1, 3, 1}}));
    EXPECT_EQ(rule.j, (std::vector<PhraseJElement>{{0, 2, 1}}));
    EXPECT_EQ(rule.p, (std::vector<PhrasePElement>{{3, -1, 0}, {4, -1, 2}}));
    EXPECT_EQ(rule.relations, (std::vector<PhraseRelation>{{5, 0, 1, 2}}));
    EXPECT_EQ(rule.conditions, (WordCondsArray{{1, 0}, {12, 3}}));
    EXPECT_EQ(rule.name, u"#!1 #!2");
}

TEST(PhraseRuleSourceTest, ItemsMakeTheRulesOwnSynthesisPhrase) {
    PhraseTableSet tables;
    ParsePhraseRules("rule\n  slot noun\n  template #!1\n"
                     "rule\n  slot adjective\n  slot noun\n  template #!1 #!2\n"
                     "  item 6 #!2 #!1\n  slotop 2 clearform plural\n  slotop 1 setform 11\n"
                     "  item 0\n",
                     "np.txt", Inventory(), tables);
    testing::TempDir dir;
    WritePhraseTables(dir.dir(), tables);
    CollocationInstances instances;
    PhraseTables loaded;
    loaded.Load(dir.dir(), instances);

    ASSERT_EQ(loaded.phrases.size(), 2u);
    EXPECT_TRUE(loaded.phrases[0].links.empty());
    ASSERT_EQ(loaded.phrases[1].links, (std::vector<PhraseLink>{{1.0, 0}}));
    ASSERT_EQ(loaded.synthPhrases.size(), 1u);
    const std::vector<BuildStep>& items = loaded.synthPhrases[0].steps;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].c, 6);
    EXPECT_EQ(items[0].text1, u"#!2 #!1");
    ASSERT_EQ(items[0].assignments.size(), 3u);
    EXPECT_EQ(items[0].assignments[1], (WordCondsArray{{11, 2}}));
    EXPECT_EQ(items[0].assignments[2], (WordCondsArray{{12, 3}}));
    EXPECT_EQ(items[1].c, 0);
    EXPECT_EQ(items[1].text1, u"");  // an item that prints nothing
}

TEST(PhraseRuleSourceTest, FaultsNameTheirLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"slot noun\n", "rules.txt:1: \"slot\" before the first rule"},
        {"rule\n  slot nouns\n", "rules.txt:2: unknown value \"nouns\""},
        {"rule\n  slot template 3\n", "rules.txt:2: a slot needs at least one condition"},
        {"rule\n  slot noun\n  agree 21 grammatical-number 0\n", "rules.txt:3: \"21\" is not a number from 1 to 20"},
        {"rule\n  slot noun\n  inherit 1 colour\n", "rules.txt:3: unknown attribute \"colour\""},
        {"rule weight heavy\n", "rules.txt:1: bad weight \"heavy\""},
        {"rule\nrule\n  slot noun\n", "rules.txt:1: a rule needs at least one slot"},
        {"rule\n  slot noun\n  swap 1 2\n", "rules.txt:3: unknown directive \"swap\""},
        {"rule\n  slot noun\n  slotop 1 set noun\n", "rules.txt:3: \"slotop\" before the rule's first \"item\""},
        {"rule\n  slot noun\n  item 0 #!1\n  slotop 1 swap noun\n", "rules.txt:4: unknown operation \"swap\""},
        {"rule\n  slot noun\n  item 0 #!1\n  slotop 31 set noun\n",
         "rules.txt:4: \"31\" is not a number from 1 to 30"},
        {"rule\n  slot noun\n  item\n", "rules.txt:3: wrong number of words for \"item\""},
    };
    for (const auto& c : cases) {
        PhraseTableSet tables;
        try {
            ParsePhraseRules(c.text, "rules.txt", Inventory(), tables);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const SourceError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(PhraseRuleSourceTest, TheFolderIsCompiledInFileNameOrder) {
    testing::TempDir dir;
    std::ofstream(dir.path("b.txt")) << "rule weight 2\n  slot noun\n";
    std::ofstream(dir.path("a.txt")) << "rule weight 1\n  slot adjective\n";
    std::ofstream(dir.path("notes.md")) << "rule\n";
    const PhraseTableSet tables = CompilePhraseRules(dir.dir(), Inventory());
    ASSERT_EQ(tables.phrases.size(), 2u);
    EXPECT_DOUBLE_EQ(tables.phrases[0].score1, 1.0);
    EXPECT_DOUBLE_EQ(tables.phrases[1].score1, 2.0);
    EXPECT_TRUE(CompilePhraseRules(dir.path("missing"), Inventory()).phrases.empty());
}

TEST(PhraseRuleSourceTest, OurRulesCompileWithOurInventory) {
    const std::string data = PV_TEST_DATA;
    const AttributeInventory inventory =
        ParseAttributeInventory(ReadWholeFile(data + "/attributes.txt"), "attributes.txt");
    const PhraseTableSet tables = CompilePhraseRules(data + "/phrases", inventory);
    EXPECT_FALSE(tables.phrases.empty());
    testing::TempDir dir;
    EXPECT_NO_THROW(WritePhraseTables(dir.dir(), tables));
}

}  // namespace
}  // namespace pv
