// Data file names as the loaders write them ("DATA\WORDS.GLS",
// "Data/INFLGR.DAT", "data/cols") resolved on a case-sensitive file system.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// base + name with "\" turned into "/"; each component that does not exist
// as written is matched without regard to ASCII letter case against the
// entries of its folder. Components that match nothing stay as written.
std::string ResolveDataPath(std::string_view base, std::string_view name);

}  // namespace pv
