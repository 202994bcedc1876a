// Data file names as the loaders write them ("DATA\WORDS.GLS",
// "Data/INFLGR.DAT", "data/cols") resolved on a case-sensitive file system.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// base + name with "\" turned into "/"; each component that does not exist
// as written is matched without regard to ASCII letter case against the
// entries of its folder, so "DATA\\X", "Data/X" and "data/x" name one file.
// Where the file does not exist yet, the existing folders are matched and
// the rest stays as written, so a writer puts it where a reader finds it.
std::string ResolveDataPath(std::string_view base, std::string_view name);

}  // namespace pv
