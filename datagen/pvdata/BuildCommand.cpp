// pvdata build [--out DIR] [--sources DIR] [--root DIR] [--lt-print PROGRAM]
#include <chrono>
#include <filesystem>

#include "datagen/build/DataBuild.h"
#include "datagen/pvdata/Commands.h"

namespace pv {

// Programs and their data live together: by default DATA goes beside pvdata.
std::string ProgramFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

int RunBuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    BuildOptions options;
    options.sources = PV_DATA_SOURCES;
    options.out = ProgramFolder();
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto value = [&](std::string& target) {
            if (i + 1 >= args.size()) return false;
            target = args[++i];
            return true;
        };
        bool ok = (args[i] == "--out" && value(options.out)) || (args[i] == "--sources" && value(options.sources)) ||
                  (args[i] == "--root" && value(options.root)) || (args[i] == "--lt-print" && value(options.ltPrint));
        if (!ok) {
            err << "usage: pvdata build [--out DIR] [--sources DIR] [--root DIR] [--lt-print PROGRAM]\n";
            return 2;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        BuildResult result = BuildData(options, out);
        PrintReport(result.report, out);
        out << "built " << options.out << "/DATA in "
            << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s\n";
        return 0;
    } catch (const std::exception& e) {
        err << "pvdata build: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace pv
