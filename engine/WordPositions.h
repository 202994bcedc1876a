#pragma once

#include <string>

namespace pv {

// Appends the positions of one token to the window and raises N.
void AddWordToCurrentPhrase(const std::u16string& token, const std::u16string& mark);

}  // namespace pv
