// The DATA files that the engine opens at start and for which the build has
// no content yet: the relation table, the extended relations, the two
// context stores and the phrase tables, written empty so that every loader
// finds a well-formed file.
#pragma once

#include <string>

namespace pv {

void WriteEmptyEngineStores(const std::string& base);

}  // namespace pv
