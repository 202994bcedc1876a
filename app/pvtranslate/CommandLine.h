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
    bool serve = false;              // run the HTTP translation service
    int port = 4357;                 // its port; 0 picks a free one
    std::string filter;              // translate the files through this plug-in
    bool listFilters = false;
    bool analyse = false;            // print the readings of every token
    std::optional<std::string> forms;  // print the forms of this word
    int formsLanguage = 0;           // only the forms of words of this language; 0 all
    std::optional<std::string> describe;  // print the dictionary description of this word
    int interfaceLanguage = 1;       // the wording of the description: 1 English, 2 Bulgarian, 6 French
};

// A language id (1..7, 9) or code (en, bg, tr, de, es, fr, it, ru).
std::optional<int> ParseLanguage(std::string_view text);

// Parses argv[1..]; on a usage error returns nothing and sets error.
std::optional<TranslateOptions> ParseCommandLine(const std::vector<std::string>& args,
                                                 std::string& error);

extern const char* const kUsage;

}  // namespace pv
