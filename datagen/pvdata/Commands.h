// Subcommands of the pvdata program. Each takes the arguments after its
// name and returns the exit status: 0 success, 1 failure, 2 usage error.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pv {

// cat [--cached] FILE: the logical content of a data container (or, with
// --cached, of a cached block file) on out; problems on err.
int RunCat(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// build [--out DIR] [--sources DIR] [--root DIR] [--lt-print PROGRAM]: the
// dictionary data from our sources and the installed open lexical data.
int RunBuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// entry [--data DIR] WORD: the dictionary entries whose headword is WORD, or
// that hold it as one of their words, with their translations, from the
// collocation files below DIR (the folder holding DATA).
int RunEntry(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The folder of the running program: DATA lives beside it.
std::string ProgramFolder();

}  // namespace pv
