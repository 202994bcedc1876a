#include "engine/SentenceDriver.h"

#include "engine/EngineState.h"
#include "engine/WordPositions.h"
#include "engine/tests/EngineTestSupport.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using SentenceDriverTest = EngineTest;

std::u16string Word(int i) { return u"w" + Utf8Decode(std::to_string(i)); }
std::u16string Capitalised(int i) { return u"W" + Utf8Decode(std::to_string(i)); }

TEST_F(SentenceDriverTest, CellCapacityFollowsComplexity) {
    const int expected[] = {400, 80, 80, 40, 30, 20, 10, 10, 10};
    for (int span = 0; span < 9; ++span) EXPECT_EQ(CellCapacity(span), expected[span]) << span;
    Complexity = 20;
    ApplyComplexity();
    EXPECT_EQ(Limits.c150, 3000);
    EXPECT_EQ(CellCapacity(0), 800);
    EXPECT_EQ(CellCapacity(4), 60);  // (2 * 60) / 3 + 20
    Complexity = 10;
    ApplyComplexity();
}

TEST_F(SentenceDriverTest, WindowWaitsThenEmitsOneLeadingSegmentPerToken) {
    for (int i = 1; i < 69; ++i) EXPECT_EQ(ProcessToken(Word(i), {}), u"") << i;
    EXPECT_EQ(Engine().N, 68);
    // From the 69th word on every token commits the first segment of the plan;
    // only the first of them begins a sentence.
    for (int i = 69; i <= 200; ++i) {
        EXPECT_EQ(ProcessToken(Word(i), {}), i == 69 ? Capitalised(1) : Word(i - 68)) << i;
        EXPECT_EQ(Engine().N, 68);
        EXPECT_EQ(Engine().P, 68);
    }
    std::u16string rest;
    for (int i = 133; i <= 200; ++i) rest += (rest.empty() ? u"" : u" ") + Word(i);
    EXPECT_EQ(ProcessToken({}, {}), rest);
    EXPECT_EQ(Engine().N, 0);
    EXPECT_EQ(ProcessToken({}, {}), u"");
}

TEST_F(SentenceDriverTest, FlushEmptiesAWindowFilledBeyondTheAnalysedPositions) {
    // A token cut into many parts can leave more words than one evaluation takes.
    for (int i = 1; i <= 80; ++i) AddWordToCurrentPhrase(Word(i), {});
    std::u16string flushed = ProcessToken({}, {});
    std::u16string expected;
    for (int i = 1; i <= 80; ++i) expected += i > 1 ? u" " + Word(i) : Capitalised(i);
    EXPECT_EQ(flushed, expected);
    EXPECT_EQ(Engine().N, 0);
}

TEST_F(SentenceDriverTest, ShiftMovesWordsPlanAndScores) {
    EngineState& engine = Engine();
    for (int i = 0; i < 80; ++i) AddWordToCurrentPhrase(Word(i), u"##1!");
    engine.P = 69;
    Chart& chart = engine.chart;
    chart.plan[10] = {7, 2, 1};   // start 7 >= 3: moves to entry 7 as start 4
    chart.plan[5] = {1, 3, 0};    // start 1 < 3: entry 2 becomes a one-word segment
    chart.PlanScore[10] = -5.0;
    chart.ActiveStart[8] = 0;
    ASSERT_TRUE(ShiftWindow(3));

    EXPECT_EQ(engine.N, 77);
    EXPECT_EQ(engine.P, 66);
    EXPECT_EQ(engine.Window[0].word, Word(3));
    EXPECT_EQ(engine.Window[76].word, Word(79));  // beyond slot 69 as well
    EXPECT_EQ(engine.Window[76].mark, u"##1!");
    for (int i = 77; i < 80; ++i) EXPECT_TRUE(engine.Window[i].word.empty()) << i;

    EXPECT_EQ(chart.plan[7].start, 4);
    EXPECT_EQ(chart.plan[7].span, 2);
    EXPECT_EQ(chart.plan[7].index, 1);
    EXPECT_EQ(chart.plan[2].start, 1);
    EXPECT_EQ(chart.plan[2].span, 0);
    EXPECT_EQ(chart.plan[0].start, -1);
    EXPECT_EQ(chart.plan[69].start, 68);
    EXPECT_EQ(chart.PlanScore[7], -5.0);
    EXPECT_EQ(chart.PlanScore[69], -6900.0);
    EXPECT_EQ(chart.pathFloor[69], -1000.0);
    EXPECT_EQ(chart.ActiveStart[5], 0);
    EXPECT_EQ(chart.ActiveStart[68], 1);

    // Every row again has a cell for each span up to 70 - i, sized by span.
    for (int i = 0; i < kChartRows; ++i) {
        ASSERT_EQ(chart.rows[i].size(), static_cast<std::size_t>(71 - i)) << i;
        EXPECT_EQ(chart.rows[i][0].capacity, 400);
        EXPECT_EQ(chart.rows[i].back().count, 0);
    }
    EXPECT_EQ(chart.rows[0][70].bestScore, -1e38);
    EXPECT_EQ(chart.rows[0][4].capacity, 30);
}

TEST_F(SentenceDriverTest, FailedEngineStartIsReportedInsteadOfWaiting) {
    EngineReady = false;
    EngineFailed = true;
    std::u16string result = TranslateText(u"дума");
    EngineFailed = false;
    EngineReady = true;
    // Every token says why it was not translated (FixResult joins "!!!" to the word before).
    EXPECT_NE(result.find(u"!!! Not Translated!!! Exception the dictionary data could not be loaded"),
              std::u16string::npos)
        << Utf8Encode(result);
}

}  // namespace
}  // namespace pv
