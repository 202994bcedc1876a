// Dictionary descriptions: every reading that the dictionary knows of a
// word or collocation, by source language and meaning, with its grammar
// labels and its translations into TargetLanguage, worded in an interface
// language (2 Bulgarian, 6 French, any other English).
#pragma once

#include <cstdint>
#include <string>

#include "engine/Chart.h"

namespace pv {

// The description of text, or text itself when the dictionary has no
// reading of it with a translation into TargetLanguage. Uses the window,
// which it leaves empty.
std::u16string DescribeEntry(const std::u16string& text, int32_t ui);

// The description of the translated leaves of cell: one block per source
// language, text, category and meaning, each with a head line and a line of
// translations. Every entry listed gets the score -9999. Empty when no
// entry has a translation into TargetLanguage.
std::u16string DescribeCell(FragmentEntries& cell, int32_t ui);

// DescribeEntry under the engine lock; an unknown word gives the message
// that says so.
std::u16string DescribeWord(const std::u16string& word, int32_t ui);

}  // namespace pv
