// Translation lookup: every source leaf of the temporary cell gets its
// target collocation instance in TargetLanguage, one leaf per alternative;
// without a translation the source stands for itself.
#pragma once

#include <cstdint>

#include "engine/Chart.h"
#include "lexdb/Collocation.h"

namespace pv {

// FindTranslationsOf for every entry of the cell that has a source instance
// (the copies it adds are translated already).
void FindTranslations(FragmentEntries& cell);

// Entry k's translations: a source in TargetLanguage stands for itself;
// otherwise its source's translation list in TargetLanguage,
// else the list's language-neutral entries, else the equivalents of its
// class (accepted ones first, then the others unless it is of part of
// speech 257), else the source itself.
void FindTranslationsOf(FragmentEntries& cell, int k);

// Adds translation `id` to entry k; when a translation was already added,
// to a copy of the entry appended to the cell, and k becomes the copy.
void AddTranslationToFE(FragmentEntries& cell, int32_t id, int& k, bool alreadyFound);

// Makes target the translation of entry k: score, target instance, form
// attributes, plan eligibility.
void AddTranslation(FragmentEntries& cell, int k, Collocation target);

}  // namespace pv
