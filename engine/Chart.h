// The chart of fragment entries over the window, the plan of segments and
// the per-position score arrays.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pv {

constexpr int kChartRows = 70;     // start positions 0..69
constexpr int kWindowSlots = 90;   // window positions
constexpr int kEvaluateAt = 69;    // words analysed at most

constexpr int kFEWordIds = 11;

// One analysis of a stretch of the window. The default member values are the
// state in which the FEManager pool hands an entry out.
struct FE {
    int16_t start = 0;  // window position of the first word
    int16_t span = 0;   // words minus one
    int16_t index = 0;  // position in its cell's list
    // Class ids used by relation scoring; -1 = none.
    std::array<int32_t, kFEWordIds> wordIds = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    uint8_t wordIdCount = 0;
    int32_t candidateHead = -1;  // first rule candidate as a left part, -1 for none
};

// One chart cell.
struct FragmentEntries {
    int32_t count = 0;
    int32_t capacity = 0;
    double bestScore = -1e38;
    double worstScore = 1e38;
    double bestGain = 0.0;
    std::vector<FE*> entries;
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
    std::array<uint8_t, kChartRows> ActiveStart{};

    // The state right after loading.
    void Initialise();

    // Drops the first r positions; wordCount is the window's count after the shift.
    void Shift(int r, int wordCount);
};

}  // namespace pv
