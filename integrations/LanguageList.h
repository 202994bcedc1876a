// The language lists of the translator window, the translation service and
// the dictionary dialogs: list index to language id.
#pragma once

#include <cstdint>

namespace pv {

// The list selected at start; index 1 is Bulgarian.
constexpr int kDefaultLanguageIndex = 1;

// 0 English, 1 Bulgarian, 2 French, 3 Spanish, 4 German, 5 Italian,
// 6 Turkish, 7 Russian; any other index (also -1, none) Bulgarian.
int32_t LanguageFromListIndex(int index);

}  // namespace pv
