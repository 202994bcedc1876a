#include "engine/Chart.h"

#include "engine/EngineSettings.h"

namespace pv {

namespace {

FragmentEntries EmptyCell(int span, double bestScore) {
    FragmentEntries cell;
    cell.capacity = CellCapacity(span);
    cell.bestScore = bestScore;
    return cell;
}

// Appends the cells that row i lacks, up to span 70 - i.
void FillRow(std::vector<FragmentEntries>& row, int i, double bestScore) {
    for (int span = static_cast<int>(row.size()); span <= kChartRows - i; ++span)
        row.push_back(EmptyCell(span, bestScore));
}

PlanEntry OneWordSegment(int e) { return {static_cast<int16_t>(e - 1), 0, 0}; }

}  // namespace

void Chart::Initialise() {
    rows.assign(kChartRows, {});
    for (int i = 0; i < kChartRows; ++i) FillRow(rows[i], i, -1000.0);
    for (int i = 0; i < kChartRows; ++i) {
        plan[i] = OneWordSegment(i);
        pathBest[i] = -100.0 * i;
        pathFloor[i] = i == 0 ? 0.0 : -1000.0;
        gain[i] = 0.0;
        PlanScore[i] = -100.0 * i;
        ActiveStart[i] = 1;
    }
}

void Chart::Shift(int r, int wordCount) {
    for (int i = 0; i < kChartRows; ++i) {
        if (i + r < kChartRows) {
            rows[i] = std::move(rows[i + r]);
            for (FragmentEntries& cell : rows[i])
                for (FE* fe : cell.entries) fe->start = static_cast<int16_t>(fe->start - r);
            // A moved row keeps its cells, but start i has room for longer
            // spans than start i + r had.
            FillRow(rows[i], i, -1e38);
            ActiveStart[i] = ActiveStart[i + r];
        } else {
            rows[i].clear();
            FillRow(rows[i], i, -1e38);
            ActiveStart[i] = 1;
        }
    }
    for (int e = 0; e < kChartRows; ++e) {
        if (e > 0 && e + r < kChartRows && plan[e + r].start >= r) {
            plan[e] = plan[e + r];
            plan[e].start = static_cast<int16_t>(plan[e].start - r);
        } else {
            plan[e] = OneWordSegment(e);
        }
    }
    for (int i = 0; i < kChartRows; ++i) {
        if (i + r < kChartRows && i <= wordCount) {
            pathBest[i] = pathBest[i + r];
            pathFloor[i] = pathFloor[i + r];
            gain[i] = gain[i + r];
            PlanScore[i] = PlanScore[i + r];
        } else {
            pathBest[i] = -100.0 * i;
            pathFloor[i] = i == 0 ? 0.0 : -1000.0;
            gain[i] = 0.0;
            PlanScore[i] = -100.0 * i;
        }
    }
}

}  // namespace pv
