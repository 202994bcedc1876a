// The dictionary data build: reads our sources under data/ and the open
// lexical data of the installed packages, and writes the DATA folder.
#pragma once

#include <ostream>
#include <string>

#include "datagen/build/InflectionModel.h"
#include "datagen/build/TagMapping.h"
#include "datagen/build/Translations.h"

namespace pv {

struct BuildOptions {
    std::string sources;            // our readable sources (data/)
    std::string root = "/";         // where the packages' files are installed
    std::string out;                // the folder that receives DATA
    std::string ltPrint = "lt-print";
};

// What the build extracted, for the writers of the lexicon files.
struct BuildResult {
    AttributeInventory inventory;
    Lexicon lexicon;
    std::set<BilingualLink> links;
    std::set<BilingualLink> pivotLinks;  // translations through English, one way
    std::set<BilingualLink> endingLinks;  // translations of word endings, from the ending only
    std::map<LemmaKey, std::set<int32_t>> classes;
    InflectionModel inflection;
    BuildReport report;
    const TagMapping* tags = nullptr;  // only while the sources are read
};

// One line of data/sources.txt: "KIND LANGUAGES PACKAGE PATH", for a
// Hunspell dictionary followed by the endings of its verbs.
struct SourceEntry {
    std::string kind;  // analyser, bilingual, freedict, german-english, headwords, hunspell
    std::string from, to;
    std::string package;
    std::string path;  // below root
    std::vector<std::string> verbEndings;
};
std::vector<SourceEntry> ParseSourceList(const std::string& text, const std::string& file);

// Throws SourceError (a missing package is named in the message).
BuildResult BuildData(const BuildOptions& options, std::ostream& progress);

// The counts per language and reason, one line each, in a fixed order.
void PrintReport(const BuildReport& report, std::ostream& out);

}  // namespace pv
