// The three passes that the sentence driver runs over every new window
// position, in three sweeps: fragments, context, phrases.
#pragma once

namespace pv {

// Leaves of the spans ending at position a: collocations and word
// translations. The lexicon and the dictionary provide them.
void FragmentPass(int a);

// Context scores of the entries of the spans ending at a.
void ContextPass(int a);

// Unary and binary phrase rules over the cells ending at a, and the plan.
void PhrasePass(int a);

}  // namespace pv
