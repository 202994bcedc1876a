#include "app/pvtranslate/CommandLine.h"

#include <array>
#include <charconv>
#include <utility>

namespace pv {

const char* const kUsage =
    "Usage: pvtranslate [--to LANG] [--data DIR] [--filter NAME] [FILE...]\n"
    "       pvtranslate [--to LANG] [--data DIR] --serve [--port N]\n"
    "       pvtranslate --filters\n"
    "       pvtranslate [--data DIR] --analyse [FILE...]\n"
    "       pvtranslate [--data DIR] --forms WORD [--lang LANG]\n"
    "       pvtranslate [--to LANG] [--data DIR] --describe WORD [--ui LANG]\n"
    "Translates each line of the files (or of standard input) and writes the\n"
    "translation to standard output, line by line, in UTF-8. A file whose\n"
    "extension is the one a filter plug-in names (such as .srt) goes through\n"
    "that plug-in, and its finished document is written instead.\n"
    "\n"
    "  --to LANG      target language: en bg tr de es fr it ru, or the language\n"
    "                 id 1 2 3 4 5 6 7 9 (default: bg)\n"
    "  --data DIR     folder that holds the DATA folder (default: the folder of\n"
    "                 the program)\n"
    "  --filter NAME  translate every file as a document through the filter\n"
    "                 plug-in NAME: its listed name (\"Subtitles (.srt)\") or its\n"
    "                 library name (srtfilter)\n"
    "  --filters      list the filter plug-ins in the folder Filter beside the\n"
    "                 program\n"
    "  --serve        run the HTTP translation service on 127.0.0.1 until\n"
    "                 interrupted; --to gives the language of requests that\n"
    "                 name none\n"
    "  --port N       the service's port (default: 4357; 0: any free port)\n"
    "  --analyse      print every reading of every token of the files (or of\n"
    "                 standard input): word id, form, part of speech, language,\n"
    "                 weight and the values with their grammar labels\n"
    "  --forms WORD   print each word that WORD can be a form of: its lemma with\n"
    "                 labels and language, then its forms with their labels\n"
    "  --lang LANG    with --forms: list only the words of this language\n"
    "  --describe WORD  print the dictionary entry of a word or collocation:\n"
    "                 its readings by language and meaning, with their labels\n"
    "                 and their translations into the --to language\n"
    "  --ui LANG      with --describe: the language of the explanations, en, bg\n"
    "                 or fr (default: en)\n"
    "  --help         show this text\n";

std::optional<int> ParseLanguage(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, int>, 8> kCodes{{
        {"en", 1}, {"bg", 2}, {"tr", 3}, {"de", 4}, {"es", 5}, {"fr", 6}, {"it", 7}, {"ru", 9},
    }};
    for (const auto& [code, id] : kCodes) {
        if (text == code || text == std::to_string(id)) return id;
    }
    return std::nullopt;
}

namespace {

std::optional<int> ParsePort(const std::string& text) {
    int port = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || port < 0 ||
        port > 65535)
        return std::nullopt;
    return port;
}

}  // namespace

std::optional<TranslateOptions> ParseCommandLine(const std::vector<std::string>& args,
                                                 std::string& error) {
    TranslateOptions options;
    bool onlyFiles = false;
    bool portGiven = false;
    bool langGiven = false;
    bool uiGiven = false;
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
        } else if (arg == "--filter") {
            if (!takeValue()) return std::nullopt;
            if (value.empty()) {
                error = "option --filter needs a filter name";
                return std::nullopt;
            }
            options.filter = value;
        } else if (arg == "--filters") {
            options.listFilters = true;
        } else if (arg == "--serve") {
            options.serve = true;
        } else if (arg == "--analyse") {
            options.analyse = true;
        } else if (arg == "--forms") {
            if (!takeValue()) return std::nullopt;
            options.forms = value;
        } else if (arg == "--lang") {
            if (!takeValue()) return std::nullopt;
            std::optional<int> language = ParseLanguage(value);
            if (!language) {
                error = "unknown language '" + value + "' (use en bg tr de es fr it ru or 1-7, 9)";
                return std::nullopt;
            }
            options.formsLanguage = *language;
            langGiven = true;
        } else if (arg == "--describe") {
            if (!takeValue()) return std::nullopt;
            options.describe = value;
        } else if (arg == "--ui") {
            if (!takeValue()) return std::nullopt;
            std::optional<int> language = ParseLanguage(value);
            if (language != 1 && language != 2 && language != 6) {
                error = "unknown interface language '" + value + "' (use en bg fr or 1, 2, 6)";
                return std::nullopt;
            }
            options.interfaceLanguage = *language;
            uiGiven = true;
        } else if (arg == "--port") {
            if (!takeValue()) return std::nullopt;
            std::optional<int> port = ParsePort(value);
            if (!port) {
                error = "invalid port '" + value + "' (use 0-65535)";
                return std::nullopt;
            }
            options.port = *port;
            portGiven = true;
        } else {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
    }
    if (options.help) return options;
    if (portGiven && !options.serve) {
        error = "option --port needs --serve";
        return std::nullopt;
    }
    if (options.serve &&
        (!options.files.empty() || !options.filter.empty() || options.listFilters)) {
        error = "--serve takes no FILE, --filter or --filters";
        return std::nullopt;
    }
    if (langGiven && !options.forms) {
        error = "option --lang needs --forms";
        return std::nullopt;
    }
    if ((options.analyse || options.forms) &&
        (options.serve || !options.filter.empty() || options.listFilters ||
         (options.analyse && options.forms))) {
        error = "--analyse and --forms take no --serve, --filter, --filters or each other";
        return std::nullopt;
    }
    if (uiGiven && !options.describe) {
        error = "option --ui needs --describe";
        return std::nullopt;
    }
    if (options.describe && (!options.files.empty() || options.serve || !options.filter.empty() ||
                             options.listFilters || options.analyse || options.forms)) {
        error = "--describe takes no FILE, --serve, --filter, --filters, --analyse or --forms";
        return std::nullopt;
    }
    if (options.forms && !options.files.empty()) {
        error = "--forms takes no FILE";
        return std::nullopt;
    }
    if (options.listFilters && (!options.files.empty() || !options.filter.empty())) {
        error = "--filters takes no FILE or --filter";
        return std::nullopt;
    }
    return options;
}

}  // namespace pv
