// Table-driven lower-casing of words: Latin, Bulgarian Cyrillic and the
// accented letters of the system's languages.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// Each character found in the upper-case table (its first occurrence wins)
// becomes the character at the same place in the lower-case table; every
// other character is kept.
std::u16string LowerWord(std::u16string_view word);

}  // namespace pv
