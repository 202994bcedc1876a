// The collocation instance table: slots handed out, freed, reused and
// released as the window moves.
#include <gtest/gtest.h>

#include "engine/CollocationInstances.h"

namespace pv {
namespace {

Collocation Entry(std::u16string text) {
    Collocation c;
    c.text = std::move(text);
    c.wordIds = {1, 2};
    c.requiredAttributes = {{3}};
    c.inheritedGroups = {{4}};
    c.associatedAttributes = {5};
    c.classId = 7;
    return c;
}

TEST(CollocationInstancesTest, FreedSlotsAreClearedAndReusedOnceEach) {
    CollocationInstances table;
    EXPECT_EQ(table.AddCollocation(Entry(u"a"), 0), 0);
    EXPECT_EQ(table.AddCollocation(Entry(u"b"), 1), 1);
    EXPECT_EQ(table.AddCollocation(Entry(u"c"), 2), 2);
    EXPECT_EQ(table[0].ancestorRecord, -1);

    table.FreeCol(1);
    table.FreeCol(1);  // a second free must not hand the slot out twice
    table.FreeCol(0);
    table.FreeCol(3);
    table.FreeCol(-1);
    EXPECT_TRUE(table.IsFree(1));
    EXPECT_TRUE(table[1].wordIds.empty());
    EXPECT_TRUE(table[1].requiredAttributes.empty());
    EXPECT_TRUE(table[1].inheritedGroups.empty());
    EXPECT_TRUE(table[1].associatedAttributes.empty());
    EXPECT_EQ(table[1].position, -1);
    EXPECT_EQ(table[1].text, u"b");

    EXPECT_EQ(table.AddCollocation(Entry(u"d"), 5), 0);
    EXPECT_EQ(table.AddCollocation(Entry(u"e"), 5), 1);
    EXPECT_EQ(table.AddCollocation(Entry(u"f"), 5), 3);
    EXPECT_EQ(table[1].text, u"e");
    EXPECT_EQ(table[1].wordIds, (WordArray{1, 2}));
    EXPECT_FALSE(table.IsFree(1));
}

TEST(CollocationInstancesTest, WindowShiftReleasesEarlyPositionsAndKeepsUnboundInstances) {
    CollocationInstances table;
    table.SetAncestorResolver([](const Collocation& c, int32_t position) { return c.classId * 100 + position; });
    table.AddCollocation(Entry(u"rule entry"), -1);
    table.AddCollocation(Entry(u"at 1"), 1);
    table.AddCollocation(Entry(u"at 2"), 2);
    table.AddCollocation(Entry(u"at 5"), 5);
    EXPECT_EQ(table[3].ancestorRecord, 705);

    table.ReleaseBefore(3);
    EXPECT_FALSE(table.IsFree(0));
    EXPECT_EQ(table[0].position, -1);
    EXPECT_TRUE(table.IsFree(1));
    EXPECT_TRUE(table.IsFree(2));
    EXPECT_EQ(table[3].position, 2);
}

TEST(CollocationInstancesTest, RestoringTheBaseCountDropsTextInstancesAndTheirFreeSlots) {
    CollocationInstances table;
    table.AddCollocation(Entry(u"rule entry"), -1);
    table.RememberBaseCount();
    table.AddCollocation(Entry(u"x"), 0);
    table.AddCollocation(Entry(u"y"), 1);
    table.FreeCol(2);
    table.RestoreBaseCount();
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.BaseCount(), 1);
    EXPECT_EQ(table.AddCollocation(Entry(u"z"), 0), 1);
    EXPECT_EQ(table.AddCollocation(Entry(u"w"), 0), 2);
    EXPECT_EQ(table[0].text, u"rule entry");

    table.Clear();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.BaseCount(), 0);
}

}  // namespace
}  // namespace pv
