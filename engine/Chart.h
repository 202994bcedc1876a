// The chart of fragment entries over the window, the plan of segments and
// the per-position score arrays.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/FragmentEntry.h"
#include "engine/WordEntry.h"

namespace pv {

constexpr int kChartRows = 70;     // start positions 0..69
constexpr int kWindowSlots = 90;   // window positions
constexpr int kSegmentLanguages = 10;  // source language ids 0..9
constexpr int kEvaluateAt = 69;    // words analysed at most
constexpr int kMaxLeafWords = 9;   // leaves span at most this many words

// A collocation key still open at a span: the meaning ids matched so far,
// joined with ";", and the readings they came from.
struct PartialMatch {
    static constexpr int kMaxComponents = 9;
    struct Component {
        int16_t start = 0;
        int16_t span = 0;
        int16_t reading = 0;  // index into the words of cell (start, span)
    };
    std::string key;  // at most 255 characters
    std::array<Component, kMaxComponents> components{};
    uint8_t componentCount = 0;
};

// One chart cell: a bounded list of entries for one start and span. The
// lists that the window shift visits come first.
struct FragmentEntries {
    std::vector<FE*> entries;  // every one from the engine's pool
    std::vector<PartialMatch> partialMatches;
    // The cell's span within its chart row, -1 outside the chart. The row's
    // cells lie side by side, so the cell of span 0 is this - spanInRow.
    int16_t spanInRow = -1;
    // Kept in the cell of span 0: the spans below it are the only ones of
    // the row that ever received entries or partial matches, so the shift
    // leaves the others alone.
    int16_t contentSpans = 0;
    // Entries in use. The list may hold reserved spares beyond it (an entry
    // taken for a rule that then failed) until the cell is trimmed.
    int32_t count = 0;
    int32_t capacity = 0;  // from the capacity table by span
    double bestScore = -1e38;
    double worstScore = 1e38;
    double bestGain = 0.0;
    // The entries sorted by CompareEntries: rank -> entry index and
    // entry index -> rank, for binary search and duplicate detection.
    std::vector<int32_t> byRank;
    std::vector<int32_t> rankOf;
    WordEntryArr words;  // readings of the span as one expression
    // The rule parts that the entries can start as left parts, in the order
    // they are tried, made when the cell is first combined as a left part.
    // An entry's candidateList names one list (offset and length in
    // candidateParts); entries that start the same parts share it.
    std::vector<int32_t> candidateParts;
    std::vector<std::pair<int32_t, int32_t>> candidateLists;
    std::vector<int32_t> candidatePartSet;  // every part of the lists, ascending
    uint8_t candidatesReady = 0;
};

// The segment that ends at a plan position.
struct PlanEntry {
    int16_t start = 0;
    int16_t span = 0;   // words minus one
    int16_t index = 0;  // chosen FE within its cell
};

struct Chart {
    // rows[i] holds the cells of start i, spans 0 .. 70 - i.
    std::vector<std::vector<FragmentEntries>> rows;
    std::array<PlanEntry, kChartRows> plan{};
    std::array<double, kChartRows> pathBest{};   // best sum of cell best scores
    std::array<double, kChartRows> pathFloor{};  // best sum of cell worst scores
    std::array<double, kChartRows> gain{};       // largest best-gain before a position
    std::array<double, kChartRows> PlanScore{};
    // Per end position and source language: the best plan score through a
    // segment of that language ending just before the position.
    std::array<std::array<double, kSegmentLanguages>, kChartRows> segmentBest{};
    std::array<uint8_t, kChartRows> ActiveStart{};

    // The state right after loading; entries still held go back to the pool.
    void Initialise();

    // Drops the first r positions; wordCount is the window's count after the
    // shift. The entries of dropped rows go back to the pool; the entries of
    // moved rows, and their sub-entries, move down by r once each.
    void Shift(int r, int wordCount);

    FragmentEntries& Cell(int start, int span) { return rows[start][span]; }

private:
    uint32_t shiftStamp_ = 0;
};

}  // namespace pv
