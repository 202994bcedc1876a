// Output synthesis: the target text of a fragment entry. Leaves inflect
// their target collocation with the attributes that reached them; inner
// entries expand a template of their rule's synthesis phrase into the texts
// of their children, passing attributes down so that the words agree.
#pragma once

#include <array>
#include <string>

#include "engine/FragmentEntry.h"
#include "morphology/PhraseTables.h"

namespace pv {

// Slot bindings 0..20 in force for an entry: its own, else its caller's.
using SlotArray = std::array<FE*, kFESlots>;

// The target text of entry. selection decides the template, form the word
// forms; carried is merged into the form attributes of the leaves. A
// failure inside ends the expansion of that entry with the text made so far.
std::u16string GetTranslation(const FE& entry, const AttributeSet& selection, const AttributeSet& form,
                              const AttributeSet& carried, const SlotArray& slots);

// The text of a plan segment: its entry from empty attribute sets, with the
// entry's own slot bindings.
std::u16string SegmentTranslation(const FE& entry);

// The first template item of phrase from `first` on whose conditions hold
// for entry (the selection set with the entry's inherited attributes, the
// form set, TargetLanguage and the entries bound in slots), or -1.
// Failures raise "GetProperBuildString:" and the cause.
int GetProperBuildString(int first, const SynthPhraseEntry& phrase, const FE& entry, const SlotArray& slots,
                         const AttributeSet& form, const AttributeSet& selection);

// The first word of the target collocation's first ("preposition") and
// second ("synthetic part") word-list fields; empty without a target.
std::u16string PrepositionText(const FE& entry);
std::u16string SyntheticPartText(const FE& entry);

}  // namespace pv
