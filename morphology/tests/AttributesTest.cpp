#include "morphology/Attributes.h"

#include <gtest/gtest.h>

#include "morphology/tests/AttributeFixture.h"
#include "textutil/tests/CollectedErrors.h"

namespace pv {
namespace {

using test::SetOf;

class AttributesTest : public ::testing::Test {
protected:
    AttributeTables tables = test::LoadFixture("ops");
};

TEST(AttributeSetTest, BitsWrapAt1056AndNegativeBitsNameNothing) {
    AttributeSet set;
    set.SetBit(1061);
    EXPECT_TRUE(set.TestBit(5));
    EXPECT_TRUE(set.TestBit(1061));
    set.ClearBit(5);
    EXPECT_FALSE(set.TestBit(1061));
    set.SetBit(-1);
    EXPECT_EQ(set, AttributeSet{});
    EXPECT_FALSE(set.TestBit(-1));
    set.SetBit(1055);
    EXPECT_EQ(set.words[32], 0x80000000u);
}

TEST_F(AttributesTest, SetAttributeReplacesTheValueOfItsAttributeOnly) {
    AttributeSet set;
    tables.SetAttribute(set, 1);
    tables.SetAttribute(set, 11);
    tables.SetAttribute(set, 3);
    EXPECT_EQ(set, SetOf({3, 11}));
    tables.SetAttribute(set, 40);
    tables.SetAttribute(set, 30);  // attribute 3 spans words 0 and 1
    EXPECT_EQ(set, SetOf({3, 11, 30}));
}

TEST_F(AttributesTest, SetAttributeIgnoresIdsOutsideTheValueTable) {
    AttributeSet set = SetOf({2});
    tables.SetAttribute(set, 50);
    tables.SetAttribute(set, -3);
    EXPECT_EQ(set, SetOf({2}));
}

TEST_F(AttributesTest, SetAttributeOfAValueWithoutDefinedAttributeReportsAndKeepsTheSet) {
    testing::CollectedErrors errors;
    AttributeSet set = SetOf({2});
    tables.SetAttribute(set, 45);
    EXPECT_EQ(set, SetOf({2}));
    ASSERT_EQ(errors.texts.size(), 1u);
    EXPECT_EQ(errors.texts[0],
              u"Exception value 45 belongs to attribute 99, which is not defined in SetAttribute(N=45)");
}

TEST_F(AttributesTest, ValueOfAttributeInASet) {
    EXPECT_EQ(tables.ValueOfAttribute(SetOf({2, 12}), 1), 2);
    EXPECT_EQ(tables.ValueOfAttribute(SetOf({40}), 3), 40);
    // Two values of one attribute in the same word: no single value.
    EXPECT_EQ(tables.ValueOfAttribute(SetOf({1, 2}), 1), -1);
    // Two values in different words: the first word with exactly one bit wins.
    EXPECT_EQ(tables.ValueOfAttribute(SetOf({30, 40}), 3), 30);
    EXPECT_EQ(tables.ValueOfAttribute(SetOf({12}), 1), -1);
    EXPECT_EQ(tables.ValueOfAttribute(SetOf({1}), 0), -1);   // first > last
    EXPECT_EQ(tables.ValueOfAttribute(SetOf({1}), 77), -1);  // no such attribute
}

TEST_F(AttributesTest, MergeAndFromListSetEachValueInTurn) {
    AttributeSet target = SetOf({1, 11});
    tables.Merge(target, SetOf({2, 40}));
    EXPECT_EQ(target, SetOf({2, 11, 40}));

    AttributeSet set;
    tables.FromList(set, {7, 12, 8, 99});
    EXPECT_EQ(set, SetOf({8, 12}));
}

TEST_F(AttributesTest, CompatibleOnAttribute) {
    struct Case {
        std::initializer_list<int> a, b;
        int32_t attribute;
        bool compatible;
    };
    const Case cases[] = {
        {{1}, {1}, 1, true},        {{1}, {2}, 1, false},     {{1}, {}, 1, true},
        {{}, {2}, 1, true},         {{1, 11}, {1, 12}, 1, true}, {{30}, {40}, 3, false},
        {{1}, {2}, 0, true},        {{1}, {2}, 77, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tables.Compatible(SetOf(c.a), SetOf(c.b), c.attribute), c.compatible)
            << "attribute " << c.attribute;
}

TEST_F(AttributesTest, SetValueReplacesOrAppends) {
    WordArray list = {1, 7};
    tables.SetValue(list, 3);
    tables.SetValue(list, 12);
    tables.SetValue(list, 65536 + 8);  // taken as 16-bit: 8
    EXPECT_EQ(list, (WordArray{3, 8, 12}));
    tables.SetValue(list, 20);  // attribute 0 holds no bits, yet replaces its own kind
    tables.SetValue(list, 21);
    EXPECT_EQ(list, (WordArray{3, 8, 12, 21}));
    tables.SetValue(list, 60);  // no known attribute: added once, replacing nothing
    tables.SetValue(list, 60);
    EXPECT_EQ(list, (WordArray{3, 8, 12, 21, 60}));
}

TEST_F(AttributesTest, RemoveAttributeMovesTheLastValueIntoTheGap) {
    WordArray list = {3, 7, 9};
    tables.RemoveAttribute(list, 4);
    EXPECT_EQ(list, (WordArray{3, 9}));
    list = {7, 3, 9, 8};
    tables.RemoveAttribute(list, 4);
    EXPECT_EQ(list, (WordArray{8, 3, 9}));
    tables.RemoveAttribute(list, 2);
    EXPECT_EQ(list, (WordArray{8, 3, 9}));
}

TEST_F(AttributesTest, ValueListQueriesAndMerge) {
    WordArray list = {3, 7, 12};
    EXPECT_EQ(tables.ValueOfAttribute(list, 4), 7);
    EXPECT_EQ(tables.ValueOfAttribute(list, 5), -1);
    tables.Merge(list, {8, 9});
    EXPECT_EQ(list, (WordArray{3, 8, 12, 9}));
}

TEST_F(AttributesTest, AddImpliedPutsImpliedValuesFirstInFileOrder) {
    EXPECT_EQ(tables.AddImplied({12, 2}, 1, 1), (WordArray{12, 8, 2}));
    EXPECT_EQ(tables.AddImplied({}, 1, 1), (WordArray{11, 8}));
    EXPECT_EQ(tables.AddImplied({3}, 1, 2), (WordArray{3}));
}

TEST(WordArrayTest, MembershipSubsetAndSort) {
    WordArray list = {9, 3};
    AddIfMissing(list, 3);
    AddIfMissing(list, 5);
    EXPECT_EQ(list, (WordArray{9, 3, 5}));
    EXPECT_TRUE(Contains(list, 5));
    EXPECT_FALSE(Contains(list, 4));
    SortAscending(list);
    EXPECT_EQ(list, (WordArray{3, 5, 9}));

    EXPECT_TRUE(IsSubset({3, 5, 9}, {}));
    EXPECT_TRUE(IsSubset({3, 5, 9}, {3, 9}));
    EXPECT_FALSE(IsSubset({3, 5, 9}, {3, 4}));
    EXPECT_FALSE(IsSubset({3, 5}, {5, 9}));
    EXPECT_FALSE(IsSubset({}, {1}));
}

TEST_F(AttributesTest, FindByAttributeAndSortConditions) {
    WordCondsArray conds = {{12, 1}, {7, 0}, {8, 2}};
    EXPECT_EQ(tables.FindByAttribute(conds, 4), (WordCond{7, 0}));
    EXPECT_EQ(tables.FindByAttribute(conds, 1), (WordCond{0, 0}));
    SortByValue(conds);
    EXPECT_EQ(conds, (WordCondsArray{{7, 0}, {8, 2}, {12, 1}}));
}

TEST(WordCondsTest, ConditionsOfEachModeAgainstTheirSet) {
    AttributeSet own = SetOf({1, 11}), associated = SetOf({7});
    struct Case {
        WordCondsArray conds;
        bool ownHolds, associatedHolds, allHold;
    };
    const Case cases[] = {
        {{}, true, true, true},
        {{{1, 0}}, true, true, true},
        {{{2, 0}}, false, true, false},
        {{{2, 1}, {11, 0}}, true, true, true},
        {{{11, 1}}, false, true, false},
        {{{7, 2}}, true, true, true},
        {{{7, 3}}, true, false, false},
        {{{1, 2}}, true, false, false},   // 1 is in the own set only
        {{{1, 0}, {7, 2}, {9, 3}}, true, true, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(CheckOwnConditions(c.conds, own), c.ownHolds) << i;
        EXPECT_EQ(CheckAssociatedConditions(c.conds, associated), c.associatedHolds) << i;
        EXPECT_EQ(CheckConditions(c.conds, own, associated), c.allHold) << i;
    }
}

TEST_F(AttributesTest, AddedValuesExtendTheValueTable) {
    int32_t value = tables.AddValue(1, u"SubPhrase 1 for ()");
    EXPECT_EQ(value, 50);
    EXPECT_EQ(tables.ValueCount(), 51);
    EXPECT_EQ(tables.AttributeOf(value), 1);
    EXPECT_EQ(tables.ValueName(value), u"SubPhrase 1 for ()");
    EXPECT_EQ(tables.ValueName(3), u"");
    // The new value takes bit 50 and still clears the other phrase categories.
    AttributeSet set = SetOf({2});
    tables.SetAttribute(set, value);
    EXPECT_TRUE(set.TestBit(50));
    EXPECT_FALSE(set.TestBit(2));
}

}  // namespace
}  // namespace pv
