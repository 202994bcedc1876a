#include "engine/PlanSearch.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/EngineState.h"
#include "textutil/ErrorReporter.h"

namespace pv {

namespace {

constexpr double kSegmentCost = 2.0;

// How far a segment may trail the best of its language and still grow: the
// same-language segments differ in the relations and the language of their
// last part, which still change the score of what they grow into.
constexpr double kOutscoredMargin = 2.0;

double SegmentPlanScore(const Chart& chart, const FE& entry, int start) {
    return chart.PlanScore[start] + entry.score + entry.planBonus - kSegmentCost;
}

// The entry a plan entry names, or null when its cell no longer holds it.
const FE* SegmentEntry(const Chart& chart, const PlanEntry& segment) {
    if (segment.start < 0 || segment.start >= kChartRows || segment.span < 0) return nullptr;
    const std::vector<FragmentEntries>& row = chart.rows[segment.start];
    if (static_cast<std::size_t>(segment.span) >= row.size()) return nullptr;
    const FragmentEntries& cell = row[segment.span];
    if (segment.index < 0 || segment.index >= cell.count) return nullptr;
    return cell.entries[segment.index];
}

}  // namespace

void AddCellToPlan(int i, int a) {
    Chart& chart = Engine().chart;
    const FragmentEntries& cell = chart.Cell(i, a - i);
    if (cell.count == 0 || a + 1 >= kChartRows) return;
    const int e = a + 1;
    chart.pathBest[e] = std::max(chart.pathBest[e], chart.pathBest[i] + chart.gain[i] + cell.bestScore);
    chart.pathFloor[e] = std::max(chart.pathFloor[e], chart.pathFloor[i] + cell.worstScore);
    for (int k = 0; k < cell.count; ++k) {
        const FE& entry = *cell.entries[k];
        if (!entry.planEligible) continue;
        const double v = SegmentPlanScore(chart, entry, i);
        if (entry.language < kSegmentLanguages) {
            double& best = chart.segmentBest[e][entry.language];
            best = std::max(best, v);
        }
        if (v > chart.PlanScore[e]) {
            chart.PlanScore[e] = v;
            chart.plan[e] = {entry.start, entry.span, entry.index};
        }
    }
}

bool OutscoredSegment(const FE& entry, int start, int e) {
    const Chart& chart = Engine().chart;
    if (!entry.planEligible || entry.language >= kSegmentLanguages || start < 0 || e >= kChartRows) return false;
    return SegmentPlanScore(chart, entry, start) < chart.segmentBest[e][entry.language] - kOutscoredMargin;
}

int PruneStart(int a) {
    const Chart& chart = Engine().chart;
    if (a <= 1 || a >= kChartRows) return -1;
    std::array<int, kChartRows> boundaries{};
    for (int e = a; e > 0;) {
        const PlanEntry& segment = chart.plan[e];
        // A segment must start before its end; anything else is a broken plan.
        if (segment.start < 0 || segment.start >= e) {
            ShowErrorBox(u"Error!");
            break;
        }
        ++boundaries[e];
        for (const FE* part = SegmentEntry(chart, segment); part && part->rightChild;) {
            const FE* right = part->rightChild;
            if (right->start >= 0 && right->start <= a) ++boundaries[right->start];
            if (right->span <= 0) break;
            part = right;
        }
        e = segment.start;
    }
    int best = -1;
    for (int p = 1; p < a; ++p) {
        if (!chart.ActiveStart[p]) continue;
        if (best < 0 || boundaries[p] < boundaries[best]) best = p;
    }
    return best;
}

}  // namespace pv
