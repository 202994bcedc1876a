// pvtranslate: translates text or files through the engine, line by line or
// as documents through a filter plug-in, or serves translations over HTTP.
#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/pvtranslate/CommandLine.h"
#include "app/pvtranslate/DataTools.h"
#include "app/pvtranslate/DocumentTranslator.h"
#include "app/pvtranslate/LineTranslator.h"
#include "engine/DescribeWord.h"
#include "engine/Engine.h"
#include "filters/FilterHost.h"
#include "integrations/HttpService.h"
#include "textutil/TextConvert.h"

namespace {

// The command line speaks English.
constexpr int kInterfaceLanguage = 1;

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

int ListFilters(const std::string& programFolder) {
    pv::FilterHost host;
    if (!host.Discover(programFolder))
        return Fail(pv::Utf8Encode(pv::NoFiltersMessage(kInterfaceLanguage)), 1);
    for (const pv::FilterInfo& info : host.Filters()) {
        std::string library = info.path.substr(info.path.rfind('/') + 1);
        library = library.substr(0, library.rfind(".so"));
        std::cout << pv::Utf8Encode(info.name) << "\t" << library << "\t"
                  << pv::Utf8Encode(info.version) << "\t" << pv::Utf8Encode(info.description)
                  << "\n";
    }
    return 0;
}

// Serves until SIGINT or SIGTERM.
int Serve(int port, int language) {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    // Blocked before the service's threads start, so that they inherit it
    // and the signal reaches sigwait below.
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    pv::HttpService service([language] { return language; });
    if (!service.Start(port)) return 1;
    std::cerr << "pvtranslate: serving on http://127.0.0.1:" << service.Port() << "/" << std::endl;
    int signal = 0;
    sigwait(&stop, &signal);
    service.Stop();
    return 0;
}

bool ReadAll(const std::string& file, std::string& bytes) {
    if (file == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), {});
        return !std::cin.bad();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

// Discovers the filters when first needed.
class Filters {
public:
    explicit Filters(std::string programFolder) : programFolder_(std::move(programFolder)) {}
    pv::FilterHost& Host() {
        if (!discovered_) host_.Discover(programFolder_);
        discovered_ = true;
        return host_;
    }
    // The filter whose listed extension is the file's, or -1.
    int ForFile(const std::string& file) {
        std::size_t dot = file.rfind('.');
        if (file == "-" || dot == std::string::npos || file.find('/', dot) != std::string::npos)
            return -1;
        std::string extension = file.substr(dot);
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const auto& filters = Host().Filters();
        for (std::size_t k = 0; k < filters.size(); ++k)
            if (pv::FilterExtension(filters[k].name) == extension) return static_cast<int>(k);
        return -1;
    }

private:
    std::string programFolder_;
    pv::FilterHost host_;
    bool discovered_ = false;
};

int TranslateFile(pv::FilterHost& host, int filter, const std::string& file) {
    host.Select(filter);
    if (!host.Bind()) return Fail(pv::Utf8Encode(pv::BindingFailedMessage(host.BoundPath())), 1);
    std::string bytes, document, error;
    const std::string name = file == "-" ? "standard input" : file;
    if (!ReadAll(file, bytes)) return Fail("cannot open " + file, 1);
    bool ok = pv::TranslateDocument(*host.Bound(), bytes, name, document, error);
    host.Unload();
    if (!ok) return Fail(error, 1);
    std::cout << document;
    std::cout.flush();
    return 0;
}

// --describe: the dictionary entry, with this platform's line ends.
int Describe(const std::string& word, int interfaceLanguage) {
    if (pv::FindInvalidUtf8(word) != std::string::npos) return Fail("the word is not UTF-8 text", 1);
    std::string text = pv::Utf8Encode(pv::DescribeWord(pv::Utf8Decode(word), interfaceLanguage));
    std::erase(text, '\r');
    text.erase(0, text.find_first_not_of('\n'));
    if (text.empty() || text.back() != '\n') text += '\n';
    std::cout << text;
    std::cout.flush();
    return std::cout.good() ? 0 : Fail("cannot write the description", 1);
}

// --analyse and --forms: only the analysis tables are loaded, not the engine.
int RunDataTool(pv::TranslateOptions& options, const std::string& programFolder) {
    std::string dataDir = options.dataDir.empty() ? programFolder : options.dataDir;
    if (dataDir.back() != '/') dataDir += '/';
    std::string error;
    if (!pv::LoadAnalysisTables(dataDir, error)) return Fail(error, 1);
    std::ios::sync_with_stdio(false);
    if (options.forms) {
        pv::WriteWordForms(pv::Utf8Decode(*options.forms), options.formsLanguage, std::cout);
    } else {
        if (options.files.empty()) options.files.push_back("-");
        for (const std::string& file : options.files) {
            std::string bytes;
            if (!ReadAll(file, bytes)) return Fail("cannot open " + file, 1);
            if (pv::FindInvalidUtf8(bytes) != std::string::npos)
                return Fail((file == "-" ? std::string("standard input") : file) + " is not UTF-8 text", 1);
            pv::WriteAnalysis(pv::Utf8Decode(bytes), std::cout);
        }
    }
    std::cout.flush();
    return std::cout.good() ? 0 : Fail("cannot write the output", 1);
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
    const std::string programFolder = ProgramFolder();
    if (options->listFilters) return ListFilters(programFolder);

    if (options->analyse || options->forms) return RunDataTool(*options, programFolder);

    Filters filters(programFolder);
    int chosen = -1;
    if (!options->filter.empty()) {
        chosen = filters.Host().Find(options->filter);
        if (chosen < 0) return Fail("no filter named '" + options->filter + "' (see --filters)", 1);
    }

    std::string dataDir = options->dataDir.empty() ? programFolder : options->dataDir;
    if (dataDir.back() != '/') dataDir += '/';
    if (!pv::FindDataFolder(dataDir, error)) return Fail(error, 1);
    if (!pv::StartEngine(dataDir)) return Fail("cannot load the dictionary data in " + dataDir, 1);
    pv::TargetLanguage = options->language;
    if (options->serve) return Serve(options->port, options->language);
    if (options->describe) return Describe(*options->describe, options->interfaceLanguage);

    std::ios::sync_with_stdio(false);
    if (options->files.empty()) options->files.push_back("-");
    for (const std::string& file : options->files) {
        int filter = chosen >= 0 ? chosen : filters.ForFile(file);
        if (filter >= 0) {
            if (int status = TranslateFile(filters.Host(), filter, file)) return status;
            continue;
        }
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
