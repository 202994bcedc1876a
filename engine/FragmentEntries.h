// Operations on chart cells: the entry order, bounded insertion, sorting,
// and taking entries from and giving them back to the engine's pool.
#pragma once

#include "engine/Chart.h"

namespace pv {

// The order of two entries (negative, 0 or positive): source instance,
// language, both attribute sets (by their bytes), word ids, relation count, complete flag,
// then a score difference of more than 1000, then the relations. 0 means
// the two are the same analysis.
int CompareEntries(const FE& x, const FE& y);

// Inserts a copy of x: an equal complete entry is replaced only by a higher
// score; a full cell takes x only in place of its lowest-scored entry, and
// only when x scores higher.
void AddToCell(FragmentEntries& cell, const FE& x);

// A copy of x at the end of the list (index = its position), outside the
// order list; null when the pool has no entry left (already reported).
FE* AppendEntry(FragmentEntries& cell, const FE& x);

// Entries by score, highest first; every entry's index becomes its position.
void SortCell(FragmentEntries& cell);
void SortCell(int row, int span);

// Records that a chart cell has received entries or partial matches, so
// that the window shift moves them; nothing for a cell outside the chart.
void NoteContent(FragmentEntries& cell);

// Gives the spare entries beyond the count back to the pool.
void TrimCell(FragmentEntries& cell);

// Gives every entry back to the pool and empties the lists.
void ReleaseEntries(FragmentEntries& cell);

// An empty cell again (scores, words and partial matches too), keeping its
// capacity.
void ClearCell(FragmentEntries& cell);

}  // namespace pv
