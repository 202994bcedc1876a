#include "engine/Chart.h"

#include <algorithm>

#include "engine/EngineSettings.h"
#include "engine/FragmentEntries.h"

namespace pv {

namespace {

// Appends the cells that row i lacks, up to span 70 - i. Every row has room
// for the longest row, so that a row moved to a lower start grows in place.
void FillRow(std::vector<FragmentEntries>& row, int i, double bestScore) {
    row.reserve(kChartRows + 1);
    for (int span = static_cast<int>(row.size()); span <= kChartRows - i; ++span) {
        FragmentEntries& cell = row.emplace_back();
        cell.spanInRow = static_cast<int16_t>(span);
        cell.capacity = CellCapacity(span);
        cell.bestScore = bestScore;
    }
}

void ReleaseRow(std::vector<FragmentEntries>& row) {
    for (FragmentEntries& cell : row) ReleaseEntries(cell);
}

PlanEntry OneWordSegment(int e) { return {static_cast<int16_t>(e - 1), 0, 0}; }

// Moves an entry and the sub-entries that lie in the moved part of the
// window down by r. Entries before it (rule defaults bound to no position)
// keep their start; the stamp keeps an entry shared by several parents, or
// reached again through its own cell, from moving twice.
void MoveDown(FE* entry, int r, uint32_t stamp) {
    if (!entry || entry->shiftStamp == stamp || entry->start < r) return;
    entry->shiftStamp = stamp;
    entry->start = static_cast<int16_t>(entry->start - r);
    // Most entries are leaves without sub-entries: test before calling.
    for (FE* slot : entry->slots)
        if (slot) MoveDown(slot, r, stamp);
    for (FE* child : entry->children)
        if (child) MoveDown(child, r, stamp);
    if (entry->leftChild) MoveDown(entry->leftChild, r, stamp);
    if (entry->rightChild) MoveDown(entry->rightChild, r, stamp);
}

void MoveDown(PartialMatch& match, int r) {
    for (int k = 0; k < match.componentCount && k < PartialMatch::kMaxComponents; ++k)
        match.components[k].start = static_cast<int16_t>(match.components[k].start - r);
}

}  // namespace

void Chart::Initialise() {
    for (std::vector<FragmentEntries>& row : rows) ReleaseRow(row);
    rows.assign(kChartRows, {});
    for (int i = 0; i < kChartRows; ++i) FillRow(rows[i], i, -1000.0);
    for (int i = 0; i < kChartRows; ++i) {
        plan[i] = OneWordSegment(i);
        pathBest[i] = -100.0 * i;
        pathFloor[i] = i == 0 ? 0.0 : -1000.0;
        gain[i] = 0.0;
        PlanScore[i] = -100.0 * i;
        segmentBest[i].fill(-1e38);
        ActiveStart[i] = 1;
    }
}

void Chart::Shift(int r, int wordCount) {
    if (r <= 0) return;
    r = std::min(r, kChartRows);
    const uint32_t stamp = ++shiftStamp_;
    for (int i = 0; i < r; ++i) ReleaseRow(rows[i]);
    // Row i receives row i + r; the dropped rows become the new empty rows
    // at the end, keeping their storage.
    std::rotate(rows.begin(), rows.begin() + r, rows.end());
    std::rotate(ActiveStart.begin(), ActiveStart.begin() + r, ActiveStart.end());
    for (int i = 0; i < kChartRows; ++i) {
        std::vector<FragmentEntries>& row = rows[i];
        if (i + r < kChartRows) {
            // Only the spans that ever received content can hold any.
            const std::size_t spans = std::min<std::size_t>(row[0].contentSpans, row.size());
            for (std::size_t span = 0; span < spans; ++span) {
                FragmentEntries& cell = row[span];
                for (FE* entry : cell.entries) MoveDown(entry, r, stamp);
                for (PartialMatch& match : cell.partialMatches) MoveDown(match, r);
            }
        } else {
            // A dropped row, emptied in place; start i has fewer spans.
            row.resize(std::min<std::size_t>(row.size(), kChartRows + 1 - i));
            for (FragmentEntries& cell : row) ClearCell(cell);
            row[0].contentSpans = 0;
            ActiveStart[i] = 1;
        }
        // A moved row keeps its cells, but start i has room for longer spans
        // than start i + r had.
        FillRow(rows[i], i, -1e38);
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
            segmentBest[i] = segmentBest[i + r];
        } else {
            pathBest[i] = -100.0 * i;
            pathFloor[i] = i == 0 ? 0.0 : -1000.0;
            gain[i] = 0.0;
            PlanScore[i] = -100.0 * i;
            segmentBest[i].fill(-1e38);
        }
    }
}

}  // namespace pv
