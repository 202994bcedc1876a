// The three passes that the sentence driver runs over every new window
// position, in three sweeps: fragments, context, phrases.
#pragma once

namespace pv {

// Leaves of the spans of at most nine words ending at position a:
// collocations with their translations, entered into the chart.
void FragmentPass(int a);

// Context scores of the entries of the spans ending at a.
void ContextPass(int a);

// Pruning of one start position in a long window, then per active start i:
// the cell (i, a - i) sorted, its unary rules, the plan, and the binary
// combinations with the cells ending at i - 1.
void PhrasePass(int a);

// The leaves of the temporary cell become entries of chart cell
// (q, a - q); the cell's words and partial matches go with them.
void AddFragments(int q, int a);

}  // namespace pv
