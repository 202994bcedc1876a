// Options of the command-line translator.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

struct TranslateOptions {
    int language = 2;                // target language id
    std::string dataDir;             // empty: the program's folder
    std::vector<std::string> files;  // empty: standard input
    bool help = false;
};

// A language id (1..7, 9) or code (en, bg, tr, de, es, fr, it, ru).
std::optional<int> ParseLanguage(std::string_view text);

// Parses argv[1..]; on a usage error returns nothing and sets error.
std::optional<TranslateOptions> ParseCommandLine(const std::vector<std::string>& args,
                                                 std::string& error);

extern const char* const kUsage;

}  // namespace pv
