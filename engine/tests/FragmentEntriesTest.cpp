#include "engine/FragmentEntries.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "engine/EngineState.h"
#include "engine/SentenceDriver.h"
#include "engine/WordPositions.h"
#include "engine/tests/ChartTestSupport.h"
#include "engine/tests/EngineTestSupport.h"

namespace pv {
namespace {

using test::Leaf;

class FragmentEntriesTest : public EngineTest {
protected:
    void TearDown() override {
        ClearCell(cell);
        EngineTest::TearDown();
    }
    std::vector<double> Scores() const {
        std::vector<double> scores;
        for (int k = 0; k < cell.count; ++k) scores.push_back(cell.entries[k]->score);
        return scores;
    }

    FragmentEntries cell = [] {
        FragmentEntries c;
        c.capacity = 400;
        return c;
    }();
};

TEST_F(FragmentEntriesTest, AnEqualCompleteEntryReplacesOnlyWithAHigherScore) {
    AddToCell(cell, Leaf(1, 5.0));
    AddToCell(cell, Leaf(2, 1.0));
    AddToCell(cell, Leaf(1, 3.0));  // equal, lower score: nothing happens
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 1.0}));
    EXPECT_EQ(cell.bestScore, 5.0);

    FE better = Leaf(2, 7.0);
    AddToCell(cell, better);  // equal, higher: replaces in place
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 7.0}));
    EXPECT_EQ(cell.entries[1]->index, 1);
    EXPECT_EQ(cell.bestScore, 7.0);
    EXPECT_EQ(cell.worstScore, 1.0);  // replacing leaves the worst score as it was
}

TEST_F(FragmentEntriesTest, WhatMakesTwoEntriesDifferent) {
    struct Case {
        const char* what;
        FE first;
        FE second;
        int count;
    };
    FE incomplete = Leaf(1, 0.0);
    incomplete.complete = 0;
    FE incompleteBetter = incomplete;
    incompleteBetter.score = 1.0;
    const FE base = Leaf(1, 0.0);
    FE farScore = Leaf(1, 1500.0);
    FE nearScore = Leaf(1, 900.0);
    FE otherLanguage = Leaf(1, 0.0);
    otherLanguage.language = 2;
    FE otherForm = Leaf(1, 0.0);
    otherForm.associated.SetBit(12);
    FE otherWordId = Leaf(1, 0.0);
    otherWordId.wordIds[0] = 7;
    FE otherRelation = Leaf(1, 0.0);
    otherRelation.relationCount = 1;
    const Case cases[] = {
        {"same analysis", base, Leaf(1, 0.0), 1},
        {"score within 1000", base, nearScore, 1},
        {"score beyond 1000", base, farScore, 2},
        {"source instance", base, Leaf(2, 0.0), 2},
        {"language", base, otherLanguage, 2},
        {"form attributes", base, otherForm, 2},
        {"word ids", base, otherWordId, 2},
        {"relations", base, otherRelation, 2},
        {"complete flag", base, incomplete, 2},
        {"incomplete entries are never merged", incomplete, incompleteBetter, 2},
    };
    for (const Case& c : cases) {
        ClearCell(cell);
        AddToCell(cell, c.first);
        AddToCell(cell, c.second);
        EXPECT_EQ(cell.count, c.count) << c.what;
    }
}

TEST_F(FragmentEntriesTest, DuplicatesAreFoundAmongManyEntriesInAnyOrder) {
    std::vector<int32_t> sources(60);
    std::iota(sources.begin(), sources.end(), 0);
    std::mt19937 random(3);
    std::shuffle(sources.begin(), sources.end(), random);
    for (int32_t s : sources) AddToCell(cell, Leaf(s, 0.0));
    SortCell(cell);  // the order list follows the new indexes
    std::shuffle(sources.begin(), sources.end(), random);
    for (int32_t s : sources) AddToCell(cell, Leaf(s, -1.0));
    EXPECT_EQ(cell.count, 60);
    AddToCell(cell, Leaf(sources[10], 2.0));
    EXPECT_EQ(cell.count, 60);
    for (int k = 0; k < cell.count; ++k) {
        const FE& entry = *cell.entries[k];
        EXPECT_EQ(entry.score, entry.sourceInstance == sources[10] ? 2.0 : 0.0) << k;
    }
}

TEST_F(FragmentEntriesTest, AFullCellTakesOnlyWhatBeatsItsLowestEntry) {
    cell.capacity = 3;
    AddToCell(cell, Leaf(1, 5.0));
    AddToCell(cell, Leaf(2, 1.0));
    AddToCell(cell, Leaf(3, 3.0));
    AddToCell(cell, Leaf(4, 1.0));  // exactly the worst score: dropped
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 1.0, 3.0}));

    AddToCell(cell, Leaf(5, 2.0));  // replaces the lowest entry in its place
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 2.0, 3.0}));
    EXPECT_EQ(cell.entries[1]->sourceInstance, 5);
    EXPECT_EQ(cell.worstScore, 2.0);

    // Above the old worst score but below every entry: no entry is lost for it.
    AddToCell(cell, Leaf(6, 1.5));
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 2.0, 3.0}));

    AddToCell(cell, Leaf(7, 9.0));
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 9.0, 3.0}));
    EXPECT_EQ(cell.bestScore, 9.0);
    EXPECT_EQ(cell.worstScore, 3.0);
    // The replaced entry's place in the order list moved with it.
    AddToCell(cell, Leaf(7, 10.0));
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 10.0, 3.0}));
}

TEST_F(FragmentEntriesTest, SortCellOrdersByScoreAndRenumbers) {
    int32_t source = 0;
    for (double score : {1.0, 5.0, -2.0, 3.0, 5.0}) AddToCell(cell, Leaf(source++, score));
    SortCell(cell);
    EXPECT_EQ(Scores(), (std::vector<double>{5.0, 5.0, 3.0, 1.0, -2.0}));
    for (int k = 0; k < cell.count; ++k) EXPECT_EQ(cell.entries[k]->index, k);
    EXPECT_LT(cell.entries[0]->sourceInstance, cell.entries[1]->sourceInstance);  // equal scores keep their order
}

TEST_F(FragmentEntriesTest, CellsGiveTheirEntriesBackToThePool) {
    FEManager& pool = Engine().pool;
    pool.FreeFE(pool.ReserveFE());  // the first strip exists
    const int32_t free = pool.FreeCount();
    for (int i = 0; i < 5; ++i) AddToCell(cell, Leaf(i, 0.0));
    EXPECT_EQ(pool.FreeCount(), free - 5);
    cell.count = 4;  // the last one is a spare, as after a failed rule
    TrimCell(cell);
    EXPECT_EQ(cell.entries.size(), 4u);
    EXPECT_EQ(pool.FreeCount(), free - 4);
    AddToCell(cell, Leaf(9, 0.0));
    ClearCell(cell);
    EXPECT_EQ(pool.FreeCount(), free);
    EXPECT_TRUE(errors.empty());
}

TEST_F(FragmentEntriesTest, TheWindowShiftFreesDroppedRowsAndMovesEveryEntryOnce) {
    EngineState& engine = Engine();
    Chart& chart = engine.chart;
    FEManager& pool = engine.pool;
    pool.FreeFE(pool.ReserveFE());
    const int32_t free = pool.FreeCount();
    for (int i = 0; i < 6; ++i) AddWordToCurrentPhrase(u"w", {});

    AddToCell(chart.Cell(0, 0), Leaf(1, 0.0, 0, 0));
    AddToCell(chart.Cell(1, 2), Leaf(2, 0.0, 1, 2));
    AddToCell(chart.Cell(3, 0), Leaf(3, 0.0, 3, 0));
    AddToCell(chart.Cell(4, 0), Leaf(4, 0.0, 4, 0));
    FE parent = Leaf(5, 0.0, 3, 1);
    parent.children[1] = chart.Cell(3, 0).entries[0];
    parent.children[2] = chart.Cell(4, 0).entries[0];
    parent.slots[0] = parent.children[1];  // the same sub-entry twice
    parent.leftChild = parent.children[1];
    parent.rightChild = parent.children[2];
    AddToCell(chart.Cell(3, 1), parent);
    PartialMatch match;
    match.key = "3;4";
    match.components[0] = {3, 0, 0};
    match.components[1] = {4, 0, 1};
    match.componentCount = 2;
    chart.Cell(3, 1).partialMatches.push_back(match);
    EXPECT_EQ(pool.FreeCount(), free - 5);

    ASSERT_TRUE(ShiftWindow(2));
    EXPECT_EQ(pool.FreeCount(), free - 3);  // rows 0 and 1 gave theirs back
    const FE& moved = *chart.Cell(1, 1).entries[0];
    EXPECT_EQ(moved.start, 1);
    EXPECT_EQ(moved.children[1], chart.Cell(1, 0).entries[0]);
    EXPECT_EQ(moved.children[1]->start, 1);
    EXPECT_EQ(moved.rightChild->start, 2);
    EXPECT_EQ(chart.Cell(1, 1).partialMatches[0].components[1].start, 2);

    ASSERT_TRUE(ShiftWindow(3));
    ResetEngine();
    EXPECT_EQ(pool.FreeCount(), free);
    EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace pv
