// The inverse of SplitDelimited (morphology/DelimitedList.h): fields joined
// with a delimiter, quoted where the reader would otherwise cut, skip or
// lose them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pv {

// Throws WriterError for a field holding a 0 byte (it would end the text).
std::string JoinDelimited(const std::vector<std::string>& fields, char delimiter);

}  // namespace pv
