// pvtranslate: translates text or files through the engine, line by line.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/pvtranslate/CommandLine.h"
#include "app/pvtranslate/LineTranslator.h"
#include "engine/Engine.h"

namespace {

// The folder of the running program, with a trailing separator.
std::string ProgramFolder() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    std::string exe(path, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

int Fail(const std::string& message, int status) {
    std::cerr << "pvtranslate: " << message << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    std::optional<pv::TranslateOptions> options =
        pv::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) return Fail(error + "\n" + pv::kUsage, 2);
    if (options->help) {
        std::cout << pv::kUsage;
        return 0;
    }
    std::string dataDir = options->dataDir.empty() ? ProgramFolder() : options->dataDir;
    if (dataDir.back() != '/') dataDir += '/';
    if (!pv::InitEngine(dataDir)) return Fail("cannot load the dictionary data in " + dataDir, 1);
    pv::TargetLanguage = options->language;

    std::ios::sync_with_stdio(false);
    if (options->files.empty()) options->files.push_back("-");
    for (const std::string& file : options->files) {
        bool ok;
        if (file == "-") {
            ok = pv::TranslateLines(std::cin, "standard input", std::cout, error);
        } else {
            std::ifstream in(file, std::ios::binary);
            if (!in) return Fail("cannot open " + file, 1);
            ok = pv::TranslateLines(in, file, std::cout, error);
        }
        if (!ok) return Fail(error, 1);
    }
    return std::cout.good() ? 0 : Fail("cannot write the translation", 1);
}
