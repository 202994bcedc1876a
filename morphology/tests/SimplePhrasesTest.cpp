// Phrase rules cut into binary rules, the sub-phrase values that join them
// and the indexes by category, on rule sets written and loaded back.
#include <gtest/gtest.h>

#include "engine/EngineSettings.h"
#include "morphology/SimplePhrases.h"
#include "morphology/tests/PhraseFixture.h"

namespace pv {
namespace {

using test::kAP;
using test::kNP;
using test::kVP;
using test::Rule;

class SimplePhrasesTest : public ::testing::Test {
protected:
    void Build(const std::vector<PhraseSource>& rules) {
        PhraseTableSet set;
        set.phrases = rules;
        loaded = dir.WriteAndLoad(set, instances);
        simple.Build(loaded.phrases, attributes);
    }

    test::PhraseDataDir dir;
    CollocationInstances instances;
    AttributeTables attributes = test::CategoryTables();
    PhraseTables loaded;
    SimplePhrases simple;
};

TEST_F(SimplePhrasesTest, AThreeSlotRuleBecomesAChainThroughASubPhrase) {
    PhraseSource rule = Rule({{{{kAP, 0}, {5, 1}}, 0}, {{{9, 0}, {kNP, 0}}, 0}, {{{kVP, 0}}, 0}}, "S");
    rule.p2 = 21;
    rule.p3 = 22;
    Build({Rule({{{{kNP, 0}}, 0}}), rule});

    ASSERT_EQ(simple.Rules().size(), 2u);
    ASSERT_EQ(attributes.ValueCount(), 11);
    const int32_t sub = 10;
    EXPECT_EQ(attributes.AttributeOf(sub), kPhraseCategoryAttribute);
    EXPECT_EQ(attributes.ValueName(sub), u"SubPhrase 1 for (S)");

    const SimplePhraseEntry& first = simple.Rules()[0];
    EXPECT_EQ(first.leftCategory, kAP);
    EXPECT_EQ(first.rightCategory, kNP);
    // Required categories leave the lists; the rest stays sorted by value.
    EXPECT_EQ(first.leftConditions, (WordCondsArray{{5, 1}}));
    EXPECT_EQ(first.rightConditions, (WordCondsArray{{9, 0}}));
    EXPECT_EQ(first.rightPosition, 1);
    EXPECT_EQ(first.result, sub);
    EXPECT_EQ(first.phrase, 1);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(first.p2, 21);
    EXPECT_EQ(first.p3, 22);

    const SimplePhraseEntry& second = simple.Rules()[1];
    EXPECT_EQ(second.leftCategory, sub);
    EXPECT_TRUE(second.leftConditions.empty());
    EXPECT_EQ(second.rightCategory, kVP);
    EXPECT_EQ(second.rightPosition, 2);
    EXPECT_EQ(second.result, 0);
    EXPECT_EQ(second.phrase, 1);
    EXPECT_EQ(second.index, 1);

    EXPECT_EQ(simple.Free(PhraseSide::Left, sub), (SimplePhrases::RuleList{1}));
    EXPECT_EQ(simple.Free(PhraseSide::Right, kVP), (SimplePhrases::RuleList{1}));
}

TEST_F(SimplePhrasesTest, EachCutGetsItsOwnNumberedSubPhrase) {
    const PhraseSlotSource np{{{kNP, 0}}, 0};
    Build({Rule({np, np, np, np}), Rule({np, np, np})});
    ASSERT_EQ(simple.Rules().size(), 5u);
    EXPECT_EQ(attributes.ValueName(10), u"SubPhrase 1 for ()");
    EXPECT_EQ(attributes.ValueName(11), u"SubPhrase 2 for ()");
    EXPECT_EQ(attributes.ValueName(12), u"SubPhrase 1 for ()");
    std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>> chain;  // left, right, position, result
    for (const SimplePhraseEntry& r : simple.Rules())
        chain.emplace_back(r.leftCategory, r.rightCategory, r.rightPosition, r.result);
    EXPECT_EQ(chain, (std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>>{
                         {kNP, kNP, 1, 10}, {10, kNP, 2, 11}, {11, kNP, 3, 0}, {kNP, kNP, 1, 12}, {12, kNP, 2, 0}}));
}

TEST_F(SimplePhrasesTest, CategoryIsTheLastCategoryConditionAndForbiddenOnesStay) {
    // After sorting by value, AP (3) comes after NP (1).
    Build({Rule({{{{kAP, 0}, {7, 0}, {kNP, 0}}, 0}, {{{kVP, 1}, {4, 0}}, 0}}),
           Rule({{{{6, 0}}, 0}, {{{8, 1}}, 0}})});
    const SimplePhraseEntry& rule = simple.Rules()[0];
    EXPECT_EQ(rule.leftCategory, kAP);
    EXPECT_EQ(rule.leftConditions, (WordCondsArray{{7, 0}}));
    EXPECT_EQ(rule.rightCategory, kVP);
    EXPECT_EQ(rule.rightConditions, (WordCondsArray{{kVP, 1}, {4, 0}}));
    const SimplePhraseEntry& plain = simple.Rules()[1];
    EXPECT_EQ(plain.leftCategory, 0);
    EXPECT_EQ(plain.rightCategory, 0);
    EXPECT_EQ(simple.Free(PhraseSide::Left, 0), (SimplePhrases::RuleList{1}));
}

TEST_F(SimplePhrasesTest, OneSlotPhrasesGoToTheUnaryIndexUnderTheirFirstCategory) {
    Build({Rule({{{{4, 0}, {kVP, 0}, {kNP, 0}}, 0}}), Rule({{{{5, 0}}, 0}}), Rule({}),
           Rule({{{{kVP, 1}}, 0}})});
    EXPECT_TRUE(simple.Rules().empty());
    EXPECT_EQ(simple.Unary(kVP), (SimplePhrases::RuleList{0, 3}));
    EXPECT_EQ(simple.Unary(0), (SimplePhrases::RuleList{1}));
    EXPECT_TRUE(simple.Unary(kNP).empty());
    EXPECT_TRUE(simple.Unary(99).empty());
    EXPECT_EQ(loaded.phrases[0].slotConditions[0], (WordCondsArray{{kNP, 0}, {kVP, 0}, {4, 0}}));
}

TEST_F(SimplePhrasesTest, AnchoredSidesAreIndexedApartAndSortedByAnchor) {
    const WordCondsArray np{{kNP, 0}};
    const WordCondsArray vp{{kVP, 0}};
    Build({Rule({{np, 9}, {vp, 0}}), Rule({{np, -2}, {vp, 5}}), Rule({{np, 3}, {vp, 1}}), Rule({{np, 0}, {vp, 0}})});
    EXPECT_EQ(simple.Anchored(PhraseSide::Left, kNP), (SimplePhrases::RuleList{2, 0}));
    EXPECT_EQ(simple.Free(PhraseSide::Left, kNP), (SimplePhrases::RuleList{1, 3}));
    EXPECT_EQ(simple.Anchored(PhraseSide::Right, kVP), (SimplePhrases::RuleList{2, 1}));
    EXPECT_EQ(simple.Free(PhraseSide::Right, kVP), (SimplePhrases::RuleList{0, 3}));
    EXPECT_TRUE(simple.Anchored(PhraseSide::Right, kNP).empty());
    EXPECT_EQ(simple.Rules()[1].leftAnchor, -2);
}

TEST_F(SimplePhrasesTest, TheStopFlagEndsTheBuildAndARebuildStartsOver) {
    const WordCondsArray np{{kNP, 0}};
    EngineStop = true;
    Build({Rule({{np, 0}, {np, 0}})});
    EngineStop = false;
    EXPECT_TRUE(simple.Rules().empty());
    simple.Build(loaded.phrases, attributes);
    simple.Build(loaded.phrases, attributes);
    EXPECT_EQ(simple.Rules().size(), 1u);
    EXPECT_EQ(simple.Free(PhraseSide::Left, kNP), (SimplePhrases::RuleList{0}));
}

}  // namespace
}  // namespace pv
