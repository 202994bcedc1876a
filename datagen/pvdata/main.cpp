// pvdata: tools for the dictionary data files.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "datagen/pvdata/Commands.h"

namespace {

struct Subcommand {
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>&, std::ostream&, std::ostream&);
};

const Subcommand kSubcommands[] = {
    {"cat", "cat [--cached] FILE   write the logical content of a data file to standard output", pv::RunCat},
    {"build", "build [--out DIR]     build the DATA folder from data/ and the installed dictionaries", pv::RunBuild},
    {"entry", "entry [--data DIR] WORD  print the dictionary entries of a word in every language", pv::RunEntry},
};

int Usage(std::ostream& out, int status) {
    out << "usage: pvdata COMMAND [ARGS]\n";
    for (const Subcommand& command : kSubcommands) out << "  pvdata " << command.summary << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) return Usage(std::cerr, 2);
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") return Usage(std::cout, 0);
    for (const Subcommand& command : kSubcommands)
        if (name == command.name) {
            std::vector<std::string> args(argv + 2, argv + argc);
            const int status = command.run(args, std::cout, std::cerr);
            std::cout.flush();
            return std::cout ? status : 1;
        }
    std::cerr << "pvdata: unknown command " << name << "\n";
    return Usage(std::cerr, 2);
}
