// Language names and the short grammatical labels of a word form.
#pragma once

#include <cstdint>
#include <string>

#include "morphology/Attributes.h"

namespace pv {

// Selector 2 gives Bulgarian text, 6 French, anything else English.
std::u16string GetLanguageName(int32_t language, int32_t selector);

// The labels of the values set in attributes, in ascending value order,
// joined with ","; selector 2 gives the Bulgarian labels, any other English.
std::u16string GetGrammarLabels(const AttributeSet& attributes, int32_t selector);

}  // namespace pv
