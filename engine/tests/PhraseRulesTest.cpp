// Phrase rules in the chart on rule sets written with the phrase table
// writer: binary combination, rules of three slots, unary rules, the checks
// that reject a rule, and the limits of the cells.
#include "engine/PhraseRules.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "datagen/CollocationWriter.h"
#include "datagen/PhraseTableWriter.h"
#include "engine/AnalysisPasses.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/PhraseRuleDefaults.h"
#include "engine/tests/ChartTestSupport.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/tests/TempDir.h"
#include "morphology/PhraseRules.h"
#include "morphology/tests/PhraseFixture.h"

namespace pv {
namespace {

using test::kAP;
using test::kNP;
using test::kVP;

// Values 4 to 9 are the values of attribute 2 (say, number and gender).
constexpr int32_t kAgreementGroup = 2;
constexpr int32_t kEnglishOnly = 1 << kEnglish;
// Dictionary entries that rules name: a default for an empty slot, and a
// rule's own collocation.
constexpr int32_t kDefaultEntry = 70, kOwnEntry = 71;

PhraseSource Rule(std::vector<int32_t> categories, double weight, int32_t mask = kEnglishOnly) {
    PhraseSource rule;
    for (int32_t category : categories) rule.slots.push_back({{{category, 0}}, 0});
    rule.score1 = weight;
    rule.p2 = mask;
    rule.b1 = 1;
    return rule;
}

class PhraseRulesTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        EngineTest::SetUpTestSuite();
        CollocationRecord fallback;
        fallback.id = kDefaultEntry;
        fallback.text = "it";
        fallback.classId = 3;
        fallback.partOfSpeech = kNP;
        CollocationRecord own = fallback;
        own.id = kOwnEntry;
        own.text = "phrase";
        own.classId = 9;
        std::filesystem::create_directories(dictionary->path("data"));
        WriteCollocationFiles(dictionary->path("data/cols"), {fallback, own});
        LoadCollocations(dictionary->dir());
    }
    static void TearDownTestSuite() {
        delete dictionary;
        dictionary = nullptr;
    }
    void SetUp() override {
        EngineTest::SetUp();
        GrammarTables() = test::CategoryTables();
        Engine().instances.Clear();
        ClearStaticEntries();
    }
    void TearDown() override {
        Phrases() = PhraseTables{};
        SimplePhraseRules().Clear();
        ClearStaticEntries();
        EngineTest::TearDown();
    }

    void Load(const std::vector<PhraseSource>& rules) {
        GrammarTables() = test::CategoryTables();
        PhraseTableSet set;
        set.phrases = rules;
        WritePhraseTables(dir.base(), set);
        LoadPhrases(dir.base(), Engine().instances);
        BuildSimplePhrases();
    }

    struct LeafSpec {
        int32_t category = kNP;
        double score = -1.0;
        WordArray inherited;
        WordArray associated;
        uint8_t language = kEnglish;
        std::string text = "word";
        std::string prepositions;  // "|"-enclosed, lower case
        int32_t templateId = 0;
    };

    static LeafSpec Spec(int32_t category, double score, WordArray inherited = {}, WordArray associated = {}) {
        LeafSpec spec;
        spec.category = category;
        spec.score = score;
        spec.inherited = std::move(inherited);
        spec.associated = std::move(associated);
        return spec;
    }

    // A one-word leaf at start with its own source collocation.
    static FE* Put(int start, const LeafSpec& spec) {
        Collocation source;
        source.text = std::u16string(spec.text.begin(), spec.text.end());
        source.firstPrepositions = std::u16string(spec.prepositions.begin(), spec.prepositions.end());
        source.templateId = spec.templateId;
        FE leaf = test::Leaf(Engine().instances.AddCollocation(source, start), spec.score, start);
        leaf.category = spec.category;
        leaf.language = spec.language;
        GrammarTables().SetAttribute(leaf.inherited, spec.category);
        GrammarTables().FromList(leaf.inherited, spec.inherited);
        GrammarTables().FromList(leaf.associated, spec.associated);
        FragmentEntries& cell = Engine().chart.Cell(start, 0);
        AddToCell(cell, leaf);
        return cell.entries[cell.count - 1];
    }
    static FragmentEntries& Cell(int start, int span) { return Engine().chart.Cell(start, span); }

    test::PhraseDataDir dir;
    static inline testing::TempDir* dictionary = new testing::TempDir;
};

TEST_F(PhraseRulesTest, ABinaryRuleBuildsTheEntryOfBothCells) {
    PhraseSource np = Rule({kAP, kNP}, 0.5);
    np.i = {{2, -1, 0}, {2, -1, 1}, {1, kAgreementGroup, 0}};  // sets of the noun, number of the adjective
    np.j = {{0, 2, 0}, {1, 1, 0}};                             // slot 0: the noun, slot 1: the adjective
    np.p = {{3, kDefaultEntry, 0}};
    np.relations = {{5, 0, 6, 1}};  // slot 6 stays empty, so the relation stays open
    np.conditions = {{7, 2}};       // value 7 into the associated set
    Load({np});
    FE* adjective = Put(0, Spec(kAP, -1.0, {4}));
    FE* noun = Put(1, Spec(kNP, -2.0, {5}, {6}));
    noun->targetInstance = 42;

    CombineCells(1, 1);

    ASSERT_EQ(Cell(0, 1).count, 1);
    const FE& n = *Cell(0, 1).entries[0];
    EXPECT_EQ(n.start, 0);
    EXPECT_EQ(n.span, 1);
    EXPECT_EQ(n.rule, 0);
    EXPECT_TRUE(n.complete);
    EXPECT_TRUE(n.planEligible);
    EXPECT_DOUBLE_EQ(n.score, -3.0 + 0.5);
    EXPECT_EQ(n.children[1], adjective);
    EXPECT_EQ(n.children[2], noun);
    EXPECT_EQ(n.leftChild, adjective);
    EXPECT_EQ(n.rightChild, noun);
    EXPECT_EQ(n.slots[0], noun);
    EXPECT_EQ(n.slots[1], adjective);
    ASSERT_NE(n.slots[3], nullptr);
    EXPECT_EQ(n.slots[3], StaticEntry(n.slots[3]->sourceInstance));
    EXPECT_EQ(Engine().instances[n.slots[3]->sourceInstance].text, u"it");
    EXPECT_EQ(n.slots[3]->start, -1);  // bound to no window position
    EXPECT_EQ(n.sourceInstance, noun->sourceInstance);
    EXPECT_EQ(n.targetInstance, 42);
    EXPECT_EQ(n.category, kNP);
    EXPECT_TRUE(n.inherited.TestBit(4));   // the adjective's value replaced the noun's
    EXPECT_FALSE(n.inherited.TestBit(5));
    EXPECT_TRUE(n.associated.TestBit(7));  // the operation replaced the noun's 6
    EXPECT_FALSE(n.associated.TestBit(6));
    ASSERT_EQ(n.relationCount, 1);
    EXPECT_EQ(n.relations[0].kind, 5);
    EXPECT_EQ(n.relations[0].secondSlot, 6);
    EXPECT_EQ(n.language, kEnglish);
}

// Two translations of one word that score alike build equal phrases, of
// which the cell keeps one: the one made from the translation listed first.
TEST_F(PhraseRulesTest, OfEqualCombinationsTheFirstListedTranslationIsKept) {
    PhraseSource np = Rule({kAP, kNP}, 0.5);
    np.i = {{2, -1, 0}, {2, -1, 1}};  // the noun's sets and target
    Load({np});
    Put(0, Spec(kAP, -1.0));
    Put(1, Spec(kNP, -2.0))->targetInstance = 41;
    Put(1, Spec(kNP, -2.0, {}, {6}))->targetInstance = 42;
    // Equal but for their targets, as two translations of one reading are.
    FE& first = *Cell(1, 0).entries[0];
    FE& second = *Cell(1, 0).entries[1];
    second.associated = first.associated;
    second.sourceInstance = first.sourceInstance;

    CombineCells(1, 1);

    ASSERT_EQ(Cell(0, 1).count, 1);
    EXPECT_EQ(Cell(0, 1).entries[0]->targetInstance, 41);
}

// Right parts that differ only in what a rule does not read give equal
// results, of which the cell keeps the better; parts that differ in what it
// reads must each give their own.
TEST_F(PhraseRulesTest, RightPartsCombineAsOneOnlyWhereTheRuleCannotTellThemApart) {
    enum Difference { kForms, kLanguage, kReading };
    struct Case {
        const char* name;
        std::vector<PhraseIElement> inherit;
        std::vector<PhraseJElement> assign;
        Difference difference;
        double secondScore;
        uint8_t leftLanguage;
        std::vector<int> kept;  // which right parts (1 or 2) the results hold
    };
    const std::vector<PhraseIElement> formsOfRight = {{2, -1, 0}, {2, -1, 1}};
    const std::vector<PhraseIElement> setOfRight = {{2, -1, 0}};
    const std::vector<PhraseJElement> rightInSlot = {{0, 2, 0}};
    const Case cases[] = {
        {"forms inherited", formsOfRight, {}, kForms, -2.0, kEnglish, {1, 2}},
        {"forms not read", setOfRight, rightInSlot, kForms, -2.0, kEnglish, {1}},
        {"forms not read, second better", setOfRight, rightInSlot, kForms, -0.5, kEnglish, {2}},
        {"reading inherited", setOfRight, {}, kReading, -2.0, kEnglish, {1, 2}},
        {"nothing read", {}, {}, kReading, -2.0, kEnglish, {1}},
        {"nothing read, languages", {}, {}, kLanguage, -1.0, kEnglish, {1}},
        {"nothing read, languages make the result's", {}, {}, kLanguage, -2.0, 0, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetEngine();
        PhraseSource rule = Rule({kAP, kNP}, 0.5, (1 << kEnglish) | (1 << kBulgarian) | 1);
        rule.i = c.inherit;
        rule.j = c.assign;
        Load({rule});
        LeafSpec left = Spec(kAP, -1.0);
        left.language = c.leftLanguage;
        Put(0, left);
        FE* first = Put(1, Spec(kNP, -1.0));
        LeafSpec other = Spec(kNP, c.secondScore, {}, c.difference == kForms ? WordArray{6} : WordArray{});
        if (c.difference == kLanguage) other.language = kBulgarian;
        FE* second = Put(1, other);
        if (c.difference != kReading) second->sourceInstance = first->sourceInstance;
        SortCell(1, 0);

        CombineCells(1, 1);

        std::vector<int> kept;
        for (int k = 0; k < Cell(0, 1).count; ++k)
            kept.push_back(Cell(0, 1).entries[k]->rightChild == first ? 1 : 2);
        std::sort(kept.begin(), kept.end());
        EXPECT_EQ(kept, c.kept);
    }
}

// Left entries of one cell whose conditions pick different rules each start
// their own rules; those that meet the same conditions start the same ones.
TEST_F(PhraseRulesTest, EachLeftEntryStartsTheRulesItsConditionsAllow) {
    std::vector<PhraseSource> rules;
    // Rules 0 and 1 test the left part's own set, rule 2 its associated
    // set; rule 2 weighs more, so its result replaces the equal one of rule 0.
    for (const auto& [value, mode] : {std::pair{4, 0}, {5, 0}, {6, 2}}) {
        PhraseSource rule = Rule({kAP, kNP}, mode == 2 ? 1.0 : 0.5);
        rule.slots[0].conditions.push_back({value, mode});
        rule.i = {{1, -1, 0}, {1, -1, 1}};  // the left part's sets: results of different left parts differ
        rules.push_back(rule);
    }
    Load(rules);
    FE* four = Put(0, Spec(kAP, -1.0, {4}));
    FE* five = Put(0, Spec(kAP, -1.5, {5}));
    FE* alsoFour = Put(0, Spec(kAP, -2.0, {4}, {6}));
    Put(1, Spec(kNP, -1.0));

    CombineCells(1, 1);

    std::vector<std::pair<int32_t, FE*>> built;
    for (int k = 0; k < Cell(0, 1).count; ++k)
        built.emplace_back(Cell(0, 1).entries[k]->rule, Cell(0, 1).entries[k]->leftChild);
    std::sort(built.begin(), built.end());
    std::vector<std::pair<int32_t, FE*>> expected = {{0, four}, {1, five}, {2, alsoFour}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(built, expected);
}

TEST_F(PhraseRulesTest, AThreeSlotRuleGrowsThroughAnIntermediateEntry) {
    PhraseSource np = Rule({kAP, kAP, kNP}, 1.0);
    np.entryId = kOwnEntry;
    Load({np});
    FE* first = Put(0, Spec(kAP, -1.0));
    FE* second = Put(1, Spec(kAP, -2.0));
    FE* noun = Put(2, Spec(kNP, -4.0));

    CombineCells(1, 1);
    ASSERT_EQ(Cell(0, 1).count, 1);
    const FE& part = *Cell(0, 1).entries[0];
    EXPECT_FALSE(part.complete);
    EXPECT_FALSE(part.planEligible);
    EXPECT_EQ(GrammarTables().AttributeOf(part.category), kPhraseCategoryAttribute);
    EXPECT_NE(part.category, kAP);
    EXPECT_DOUBLE_EQ(part.score, -3.0);

    CombineCells(2, 2);
    EXPECT_EQ(Cell(1, 1).count, 0);  // no rule starts with the second adjective and a noun
    ASSERT_EQ(Cell(0, 2).count, 1);
    const FE& n = *Cell(0, 2).entries[0];
    EXPECT_TRUE(n.complete);
    EXPECT_EQ(n.children[1], first);
    EXPECT_EQ(n.children[2], second);
    EXPECT_EQ(n.children[3], noun);
    EXPECT_EQ(n.leftChild, &part);
    EXPECT_DOUBLE_EQ(n.score, -7.0 + 1.0);
    // The rule's own collocation stands for the phrase.
    EXPECT_EQ(Engine().instances[n.sourceInstance].text, u"phrase");
    EXPECT_EQ(n.wordIds[0], 9);
    EXPECT_EQ(n.wordIdCount, 1);
}

TEST_F(PhraseRulesTest, LanguagesOfThePartsAndTheTargetDecideTheCost) {
    struct Case {
        const char* name;
        int32_t mask;
        uint8_t left, right;
        int32_t ruleTarget;
        int expectedCount;
        double cost;
        uint8_t language;
    };
    const int32_t both = (1 << kEnglish) | (1 << kBulgarian);
    const Case cases[] = {
        {"both accepted, mixed", both, kEnglish, kBulgarian, 0, 1, -1.5, kEnglish},
        {"right not accepted", kEnglishOnly, kEnglish, kBulgarian, 0, 1, -2.0, kEnglish},
        {"left not accepted", 1 << kBulgarian, kEnglish, kBulgarian, 0, 1, -2.0, kBulgarian},
        {"neither accepted", 1 << kGerman, kEnglish, kBulgarian, 0, 0, 0, 0},
        {"same language", kEnglishOnly, kEnglish, kEnglish, kBulgarian, 1, 0.0, kEnglish},
        {"other target language", kEnglishOnly, kEnglish, kEnglish, kGerman, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetEngine();
        PhraseSource np = Rule({kAP, kNP}, 0.0, c.mask);
        np.p3 = c.ruleTarget;
        Load({np});
        LeafSpec left = Spec(kAP, -1.0), right = Spec(kNP, -1.0);
        left.language = c.left;
        right.language = c.right;
        Put(0, left);
        Put(1, right);
        CombineCells(1, 1);
        ASSERT_EQ(Cell(0, 1).count, c.expectedCount);
        if (c.expectedCount == 0) continue;
        EXPECT_DOUBLE_EQ(Cell(0, 1).entries[0]->score, -2.0 + c.cost);
        EXPECT_EQ(Cell(0, 1).entries[0]->language, c.language);
    }
}

TEST_F(PhraseRulesTest, ConditionsAgreementAndTemplatesDecideWhetherARuleApplies) {
    struct Case {
        const char* name;
        std::function<void(PhraseSource&)> rule;
        LeafSpec adjective, noun;
        bool applies;
    };
    auto agreeing = [](uint8_t formFlag) {
        return [formFlag](PhraseSource& r) {
            r.j = {{0, 2, 0}};
            r.s = {{1, kAgreementGroup, 0, formFlag}};
        };
    };
    auto member = [](PhraseSource& r) {
        r.j = {{1, 1, 0}};
        r.s = {{2, -1, 1, 0}, {2, kAgreementGroup, 1, 0}};  // a found member ends the checks
    };
    LeafSpec adjective = Spec(kAP, -1.0, {4});
    adjective.prepositions = "|at|in|";
    LeafSpec noun = Spec(kNP, -1.0, {5});
    noun.text = "In";
    LeafSpec otherWord = noun;
    otherWord.text = "on";
    LeafSpec withTemplate = noun;
    withTemplate.templateId = 9;
    const Case cases[] = {
        {"no checks", [](PhraseSource&) {}, adjective, noun, true},
        {"forbidden value present", [](PhraseSource& r) { r.slots[0].conditions.push_back({4, 1}); },
         adjective, noun, false},
        {"required associated value missing", [](PhraseSource& r) { r.slots[1].conditions.push_back({8, 2}); },
         adjective, noun, false},
        {"number conflict", agreeing(0), adjective, noun, false},
        {"number conflict on a form agreement", agreeing(1), adjective, noun, true},
        {"same number", agreeing(0), adjective, Spec(kNP, -1.0, {4}), true},
        {"word in the preposition list", member, adjective, noun, true},
        {"word not in the list", member, adjective, otherWord, false},
        {"template anchor met", [](PhraseSource& r) { r.slots[1].anchor = 9; }, adjective, withTemplate, true},
        {"template anchor missed", [](PhraseSource& r) { r.slots[1].anchor = 9; }, adjective, noun, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetEngine();
        PhraseSource np = Rule({kAP, kNP}, 0.0);
        c.rule(np);
        Load({np});
        Put(0, c.adjective);
        Put(1, c.noun);
        CombineCells(1, 1);
        EXPECT_EQ(Cell(0, 1).count, c.applies ? 1 : 0);
    }
}

TEST_F(PhraseRulesTest, UnaryRulesAppendTheirResultsToTheCell) {
    struct Case {
        const char* name;
        std::function<void(PhraseSource&)> rule;
        bool applies;
    };
    const Case cases[] = {
        {"applies", [](PhraseSource&) {}, true},
        {"other target language", [](PhraseSource& r) { r.p3 = kGerman; }, false},
        {"language not in the mask", [](PhraseSource& r) { r.p2 = 1 << kGerman; }, false},
        {"agreement fails",
         [](PhraseSource& r) {
             r.j = {{0, 1, 0}};
             r.s = {{1, -2, 0, 0}};  // the word is not in its own second preposition field
         },
         false},
        {"template anchor missed", [](PhraseSource& r) { r.slots[0].anchor = 3; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetEngine();
        PhraseSource vp = Rule({kNP}, 0.25);
        vp.i = {{1, -1, 0}};
        vp.conditions = {{kVP, 0}};
        c.rule(vp);
        Load({vp});
        FE* noun = Put(0, Spec(kNP, -2.0));
        ApplyUnaryRules(0, 0);
        FragmentEntries& cell = Cell(0, 0);
        ASSERT_EQ(cell.count, c.applies ? 2 : 1);
        if (!c.applies) continue;
        const FE& v = *cell.entries[1];
        EXPECT_EQ(v.index, 1);
        EXPECT_EQ(v.children[1], noun);
        EXPECT_EQ(v.category, kVP);
        EXPECT_DOUBLE_EQ(v.score, -1.75);
        EXPECT_DOUBLE_EQ(cell.bestScore, -1.75);
    }
}

TEST_F(PhraseRulesTest, UnaryRulesStopOneShortOfTheCellLimit) {
    Complexity = 1;
    ApplyComplexity();
    PhraseSource again = Rule({kNP}, 0.0);  // its result takes the rule again
    again.i = {{1, -1, 0}};
    Load({again});
    Put(0, Spec(kNP, -1.0));
    ApplyUnaryRules(0, 0);
    EXPECT_EQ(Cell(0, 0).count, 150 * 1 - 1);
    Complexity = 10;
    ApplyComplexity();
}

TEST_F(PhraseRulesTest, ThePhrasePassPutsACombinationIntoThePlan) {
    Load({Rule({kAP, kNP}, 0.5)});
    Put(0, Spec(kAP, -1.0));
    Put(1, Spec(kNP, -1.0));
    PhrasePass(0);
    PhrasePass(1);
    const PlanEntry& segment = Engine().chart.plan[2];
    EXPECT_EQ(segment.start, 0);
    EXPECT_EQ(segment.span, 1);
    EXPECT_DOUBLE_EQ(Engine().chart.PlanScore[2], -1.5 - 2.0);
}

}  // namespace
}  // namespace pv
