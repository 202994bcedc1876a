#include "app/pvtranslate/CommandLine.h"

#include <array>
#include <utility>

namespace pv {

const char* const kUsage =
    "Usage: pvtranslate [--to LANG] [--data DIR] [FILE...]\n"
    "Translates each line of the files (or of standard input) and writes the\n"
    "translation to standard output, line by line, in UTF-8.\n"
    "\n"
    "  --to LANG   target language: en bg tr de es fr it ru, or the language\n"
    "              id 1 2 3 4 5 6 7 9 (default: bg)\n"
    "  --data DIR  folder that holds the DATA folder (default: the folder of\n"
    "              the program)\n"
    "  --help      show this text\n";

std::optional<int> ParseLanguage(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, int>, 8> kCodes{{
        {"en", 1}, {"bg", 2}, {"tr", 3}, {"de", 4}, {"es", 5}, {"fr", 6}, {"it", 7}, {"ru", 9},
    }};
    for (const auto& [code, id] : kCodes) {
        if (text == code || text == std::to_string(id)) return id;
    }
    return std::nullopt;
}

std::optional<TranslateOptions> ParseCommandLine(const std::vector<std::string>& args,
                                                 std::string& error) {
    TranslateOptions options;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (onlyFiles || arg == "-" || arg.empty() || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyFiles = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue) return true;
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--to") {
            if (!takeValue()) return std::nullopt;
            std::optional<int> language = ParseLanguage(value);
            if (!language) {
                error = "unknown language '" + value + "' (use en bg tr de es fr it ru or 1-7, 9)";
                return std::nullopt;
            }
            options.language = *language;
        } else if (arg == "--data") {
            if (!takeValue()) return std::nullopt;
            options.dataDir = value;
        } else {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace pv
