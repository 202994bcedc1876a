// Runs a program (no shell) and captures its standard output.
#pragma once

#include <string>
#include <vector>

namespace pv {

// argv[0] is looked up in PATH. Throws SourceError when the program cannot
// be started or does not exit with status 0.
std::string ProgramOutput(const std::vector<std::string>& argv);

}  // namespace pv
