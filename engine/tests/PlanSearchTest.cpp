#include "engine/PlanSearch.h"

#include "engine/AnalysisPasses.h"
#include "engine/Engine.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/SentenceDriver.h"
#include "engine/WordPositions.h"
#include "engine/tests/ChartTestSupport.h"
#include "engine/tests/EngineTestSupport.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using test::Leaf;

class PlanSearchTest : public EngineTest {
protected:
    static FE* Put(int start, int span, double score, bool planEligible = true) {
        FE entry = Leaf(100 * start + span, score, start, span);
        entry.planEligible = planEligible;
        FragmentEntries& cell = Engine().chart.Cell(start, span);
        AddToCell(cell, entry);
        return cell.entries[cell.count - 1];
    }
    static void Words(int n) {
        for (int i = 1; i <= n; ++i) AddWordToCurrentPhrase(u"w" + Utf8Decode(std::to_string(i)), {});
    }
    static void Phrases(int last) {
        for (int a = 0; a <= last; ++a) PhrasePass(a);
    }
};

TEST_F(PlanSearchTest, OneWellScoredSpanBeatsWordByWordSegments) {
    struct Case {
        double spanScore;
        bool planEligible;
        int lastSegmentStart;
        double planScore;
    };
    // Three one-word entries of score 0 cost 3 segments (-6).
    const Case cases[] = {
        {0.0, true, 0, -2.0},
        {-3.9, true, 0, -5.9},
        {-4.5, true, 2, -6.0},
        {50.0, false, 2, -6.0},  // not plan-eligible: never a segment
    };
    for (const Case& c : cases) {
        ResetEngine();
        Put(0, 0, 0.0);
        Put(1, 0, 0.0);
        Put(2, 0, 0.0);
        Put(0, 2, c.spanScore, c.planEligible);
        Phrases(2);
        const PlanEntry& last = Engine().chart.plan[3];
        EXPECT_EQ(last.start, c.lastSegmentStart) << c.spanScore;
        EXPECT_EQ(last.span, 2 - c.lastSegmentStart) << c.spanScore;
        EXPECT_DOUBLE_EQ(Engine().chart.PlanScore[3], c.planScore) << c.spanScore;
    }
}

TEST_F(PlanSearchTest, ASegmentIsOutscoredOnlyByABetterOneOfItsLanguageEndingAtTheSamePlace) {
    struct Case {
        double spanScore;     // of the English span over both words
        uint8_t wordLanguage;  // of the second word alone
        bool outscored;
    };
    // The second word as a segment scores 0 - 2 - 2 = -4 in the plan.
    const Case cases[] = {
        {0.0, kEnglish, false},   // the span scores -2: within the margin
        {0.5, kEnglish, true},    // -1.5
        {5.0, kBulgarian, false},  // a span of another language does not count
    };
    for (const Case& c : cases) {
        ResetEngine();
        Put(0, 0, 0.0)->language = kEnglish;
        FE* word = Put(1, 0, 0.0);
        word->language = c.wordLanguage;
        Put(0, 1, c.spanScore)->language = kEnglish;
        Phrases(1);
        EXPECT_EQ(OutscoredSegment(*word, 1, 2), c.outscored) << c.spanScore;
        // The comparison moves with the window.
        Engine().chart.Shift(1, 1);
        EXPECT_EQ(OutscoredSegment(*word, 0, 1), c.outscored) << c.spanScore;
    }
}

TEST_F(PlanSearchTest, WithoutPlanEligibleEntriesThePlanStaysWordByWord) {
    Words(3);
    Put(0, 2, 10.0, false);
    EXPECT_EQ(ProcessToken({}, {}), u"W1 w2 w3");
}

TEST_F(PlanSearchTest, AMultiWordSegmentPrintsItsEntryInPlaceOfItsWords) {
    FEManager& pool = Engine().pool;
    Words(4);
    Put(1, 2, 0.0);  // a leaf without a target
    const int32_t free = pool.FreeCount();
    EXPECT_EQ(ProcessToken({}, {}), u"W1 <no translation>");
    EXPECT_EQ(Engine().N, 0);
    EXPECT_EQ(pool.FreeCount(), free + 1);  // the flush's shift returned the entry
}

TEST_F(PlanSearchTest, ASegmentAcrossBatchEntriesGoesToTheEntryOfItsFirstWord) {
    // "b" and "c" of entries 1 and 2 form one segment.
    Put(1, 1, 0.0);
    BatchEntries entries;
    entries[0] = u"a b";
    entries[1] = u"c";
    TranslateBatch(entries);
    EXPECT_EQ(entries[0], u"A <no translation> ");
    EXPECT_EQ(entries[1], u" ");
    EXPECT_EQ(entries[2], u"");
}

TEST_F(PlanSearchTest, PruningDropsStartsThatThePlanDoesNotUseAsBoundaries) {
    ASSERT_EQ(MaxPlans, 35);
    struct Case {
        const char* what;
        bool rightParts;
        std::vector<int> pruned;  // at positions 36, 37, 38, 39
    };
    const Case cases[] = {
        // The segment 2..5 leaves 3, 4 and 5 without a boundary.
        {"one long segment", false, {3, 4, 5, 1}},
        // Its right parts start at 4 and at 5: only 3 lies inside a part.
        {"right parts of the segment", true, {3, 1, 2, 4}},
    };
    for (const Case& c : cases) {
        ResetEngine();
        FE* segment = Put(2, 3, 0.0);
        if (c.rightParts) {
            FE* inner = Put(4, 1, 0.0, false);
            inner->rightChild = Put(5, 0, 0.0, false);
            segment->rightChild = inner;
        }
        std::vector<int> pruned;
        for (int a = 0; a < 40; ++a) {
            const auto before = Engine().chart.ActiveStart;
            PhrasePass(a);
            for (int p = 0; p < kChartRows; ++p)
                if (before[p] && !Engine().chart.ActiveStart[p]) pruned.push_back(p);
            EXPECT_EQ(pruned.size(), a > 35 ? static_cast<std::size_t>(a - 35) : 0u) << c.what << a;
        }
        EXPECT_EQ(pruned, c.pruned) << c.what;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(PlanSearchTest, ABrokenPlanIsReportedAndStillPrunes) {
    Engine().chart.plan[10].start = -1;
    EXPECT_EQ(PruneStart(10), 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], u"Error!");
    Engine().chart.ActiveStart[1] = 0;
    Engine().chart.plan[10] = {2, 7, 0};
    EXPECT_EQ(PruneStart(10), 3);  // 1 is inactive, 2 is a boundary
}

}  // namespace
}  // namespace pv
