// The delimited lists of the data records ("|", "#" and ";" lists).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "morphology/Attributes.h"

namespace pv {

// Splits text at delimiter. Characters up to and including the space
// separate fields as well and are skipped around them; a field that begins
// with a double quote runs to its closing quote (two quotes stand for one);
// a delimiter at the very end adds an empty last field.
std::vector<std::string> SplitDelimited(std::string_view text, char delimiter);

// A ";"-list of integers; an item that is empty or no valid integer reads as 0.
WordArray ParseIdList(std::string_view text);

// The inverse of ParseIdList.
std::string JoinIdList(const WordArray& ids);

}  // namespace pv
