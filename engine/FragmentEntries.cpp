#include "engine/FragmentEntries.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/EngineState.h"

namespace pv {

namespace {

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// By their bytes: one block comparison, as the order only has to be a
// total one.
int CompareSets(const AttributeSet& x, const AttributeSet& y) {
    const int c = std::memcmp(x.words.data(), y.words.data(), sizeof x.words);
    return (c > 0) - (c < 0);
}

// Scores decide the order only when they are far apart.
constexpr double kScoreOrderGap = 1000.0;

// The list of entry references grows by 2n + 10 while it is short, then by
// 200 at a time.
void ReserveForOneMore(std::vector<FE*>& entries) {
    if (entries.size() < entries.capacity()) return;
    const std::size_t n = entries.size();
    entries.reserve(n + (n < 200 ? 2 * n + 10 : 200));
}

// First rank whose entry is not below x, and whether that entry equals x.
std::pair<int32_t, bool> FindRank(const FragmentEntries& cell, const FE& x) {
    int32_t low = 0, high = static_cast<int32_t>(cell.byRank.size());
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (CompareEntries(*cell.entries[cell.byRank[middle]], x) < 0) low = middle + 1;
        else high = middle;
    }
    const bool equal = low < static_cast<int32_t>(cell.byRank.size()) &&
                       CompareEntries(*cell.entries[cell.byRank[low]], x) == 0;
    return {low, equal};
}

void RenumberRanks(FragmentEntries& cell, std::size_t from) {
    for (std::size_t r = from; r < cell.byRank.size(); ++r) cell.rankOf[cell.byRank[r]] = static_cast<int32_t>(r);
}

// Puts entry `index` (already in the list) into the order list at rank.
void InsertRankAt(FragmentEntries& cell, int32_t index, int32_t rank) {
    if (cell.rankOf.size() <= static_cast<std::size_t>(index)) cell.rankOf.resize(index + 1, -1);
    cell.byRank.insert(cell.byRank.begin() + rank, index);
    RenumberRanks(cell, rank);
}

void InsertRank(FragmentEntries& cell, int32_t index) {
    InsertRankAt(cell, index, FindRank(cell, *cell.entries[index]).first);
}

void RemoveRank(FragmentEntries& cell, int32_t index) {
    const int32_t rank = cell.rankOf[index];
    cell.byRank.erase(cell.byRank.begin() + rank);
    RenumberRanks(cell, rank);
}

// Copies x over an entry of the cell, which keeps its place in the list.
void Overwrite(FE& entry, const FE& x) {
    const int16_t index = entry.index;
    entry = x;
    entry.index = index;
}

int32_t LowestScored(const FragmentEntries& cell) {
    int32_t lowest = 0;
    for (int32_t i = 1; i < cell.count; ++i)
        if (cell.entries[i]->score < cell.entries[lowest]->score) lowest = i;
    return lowest;
}

}  // namespace

int CompareEntries(const FE& x, const FE& y) {
    if (int c = Order(x.sourceInstance, y.sourceInstance)) return c;
    if (int c = Order(x.language, y.language)) return c;
    if (int c = CompareSets(x.inherited, y.inherited)) return c;
    if (int c = CompareSets(x.associated, y.associated)) return c;
    for (int k = 0; k < kFEWordIds; ++k) {
        if (x.wordIds[k] == -1 && y.wordIds[k] == -1) break;
        if (int c = Order(x.wordIds[k], y.wordIds[k])) return c;
    }
    if (int c = Order(x.relationCount, y.relationCount)) return c;
    if (int c = Order(x.complete, y.complete)) return c;
    if (std::fabs(x.score - y.score) > kScoreOrderGap) return x.score < y.score ? -1 : 1;
    const int relations = std::min<int>(x.relationCount, kFERelations);
    for (int k = 0; k < relations; ++k) {
        const FERelation& a = x.relations[k];
        const FERelation& b = y.relations[k];
        if (int c = Order(a.kind, b.kind)) return c;
        if (int c = Order(a.firstSlot, b.firstSlot)) return c;
        if (int c = Order(a.secondSlot, b.secondSlot)) return c;
    }
    return 0;
}

FE* AppendEntry(FragmentEntries& cell, const FE& x) {
    FE* entry = nullptr;
    if (static_cast<std::size_t>(cell.count) < cell.entries.size()) {
        entry = cell.entries[cell.count];  // a spare reserved earlier
        *entry = x;
    } else {
        entry = Engine().pool.ReserveFE(x);
        if (!entry) return nullptr;
        ReserveForOneMore(cell.entries);
        cell.entries.push_back(entry);
        NoteContent(cell);
    }
    entry->index = static_cast<int16_t>(cell.count);
    ++cell.count;
    return entry;
}

void AddToCell(FragmentEntries& cell, const FE& x) {
    if (cell.byRank.size() != static_cast<std::size_t>(cell.count)) {
        // Entries appended outside the order list take their ranks now.
        cell.byRank.clear();
        cell.rankOf.assign(cell.count, -1);
        for (int32_t i = 0; i < cell.count; ++i) InsertRank(cell, i);
    }
    const auto [rank, equal] = FindRank(cell, x);
    if (equal && x.complete) {
        FE& existing = *cell.entries[cell.byRank[rank]];
        if (x.score <= existing.score) return;
        Overwrite(existing, x);
        cell.bestScore = std::max(cell.bestScore, x.score);
        return;
    }
    if (cell.count >= cell.capacity) {
        // Measured against the entries themselves: a recorded worst score
        // can lag behind them and let x push out a better entry.
        if (cell.count == 0) return;
        const int32_t lowest = LowestScored(cell);
        if (x.score <= cell.entries[lowest]->score) return;
        RemoveRank(cell, lowest);
        Overwrite(*cell.entries[lowest], x);
        InsertRank(cell, lowest);
        cell.bestScore = std::max(cell.bestScore, x.score);
        cell.worstScore = cell.entries[LowestScored(cell)]->score;
        return;
    }
    FE* entry = AppendEntry(cell, x);
    if (!entry) return;
    InsertRankAt(cell, entry->index, rank);  // a copy of x goes where x was searched for
    cell.bestScore = std::max(cell.bestScore, x.score);
    cell.worstScore = std::min(cell.worstScore, x.score);
}

void NoteContent(FragmentEntries& cell) {
    if (cell.spanInRow < 0) return;
    FragmentEntries& first = (&cell)[-cell.spanInRow];
    first.contentSpans = std::max<int16_t>(first.contentSpans, static_cast<int16_t>(cell.spanInRow + 1));
}

void SortCell(FragmentEntries& cell) {
    for (int32_t i = 0; i < cell.count; ++i) cell.entries[i]->index = static_cast<int16_t>(i);
    std::stable_sort(cell.entries.begin(), cell.entries.begin() + cell.count,
                     [](const FE* a, const FE* b) { return a->score > b->score; });
    std::vector<int32_t> newIndex(cell.count);
    for (int32_t i = 0; i < cell.count; ++i) {
        newIndex[cell.entries[i]->index] = i;
        cell.entries[i]->index = static_cast<int16_t>(i);
    }
    if (cell.byRank.size() == static_cast<std::size_t>(cell.count)) {
        for (int32_t& index : cell.byRank) index = newIndex[index];
        RenumberRanks(cell, 0);
    }
}

void SortCell(int row, int span) { SortCell(Engine().chart.Cell(row, span)); }

void TrimCell(FragmentEntries& cell) {
    FEManager& pool = Engine().pool;
    for (std::size_t i = cell.count; i < cell.entries.size(); ++i) pool.FreeFE(cell.entries[i]);
    cell.entries.resize(cell.count);
}

void ReleaseEntries(FragmentEntries& cell) {
    FEManager& pool = Engine().pool;
    for (FE* entry : cell.entries) pool.FreeFE(entry);
    cell.entries.clear();
    cell.byRank.clear();
    cell.rankOf.clear();
    cell.count = 0;
}

void ClearCell(FragmentEntries& cell) {
    ReleaseEntries(cell);
    cell.bestScore = -1e38;
    cell.worstScore = 1e38;
    cell.bestGain = 0.0;
    cell.words = WordEntryArr{};
    cell.partialMatches.clear();
    cell.candidateParts.clear();
    cell.candidateLists.clear();
    cell.candidatePartSet.clear();
    cell.candidatesReady = 0;
}

}  // namespace pv
