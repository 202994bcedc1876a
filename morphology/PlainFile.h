// Plain data files: read whole, byte for byte, without the container format.
#pragma once

#include <string>

namespace pv {

// The whole file; raises EngineError "Cannot open file ..." when it cannot
// be read.
std::string ReadPlainFile(const std::string& path);

}  // namespace pv
