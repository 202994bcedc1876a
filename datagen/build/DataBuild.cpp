#include "datagen/build/DataBuild.h"

#include <chrono>
#include <filesystem>

#include "datagen/build/AnalogyLabels.h"
#include "datagen/build/AnalysisLists.h"
#include "datagen/build/ApertiumSource.h"
#include "datagen/build/DictionaryEntries.h"
#include "datagen/build/DictionarySources.h"
#include "datagen/build/OwnWords.h"
#include "datagen/build/EngineStores.h"
#include "datagen/build/GermanNouns.h"
#include "datagen/build/GermanVerbs.h"
#include "datagen/build/HunspellSource.h"
#include "datagen/build/LexiconCleanup.h"
#include "datagen/build/LexiconFiles.h"
#include "datagen/build/PhraseRuleSource.h"
#include "datagen/build/ProgramOutput.h"
#include "datagen/build/SourceText.h"
#include "datagen/build/TurkishLexicon.h"

namespace pv {

std::vector<SourceEntry> ParseSourceList(const std::string& text, const std::string& file) {
    std::vector<SourceEntry> entries;
    for (const SourceLine& line : SourceLines(text, file)) {
        const std::vector<std::string>& w = line.words;
        const bool hunspell = !w.empty() && w[0] == "hunspell";
        if (w.size() != 4 && !(hunspell && w.size() == 5))
            throw line.Error(hunspell ? "expected: hunspell LANGUAGE PACKAGE PATH [VERB-ENDINGS]"
                                      : "expected: KIND LANGUAGES PACKAGE PATH");
        SourceEntry e{w[0], w[1], "", w[2], w[3], {}};
        if (w.size() == 5) e.verbEndings = Split(w[4], ',');
        if (std::size_t dash = w[1].find('-'); dash != std::string::npos) {
            e.from = w[1].substr(0, dash);
            e.to = w[1].substr(dash + 1);
        }
        bool pair = e.kind == "bilingual" || e.kind == "freedict" || e.kind == "german-english";
        if (e.kind != "analyser" && e.kind != "headwords" && !hunspell && !pair) throw line.Error("unknown kind " + e.kind);
        if (pair != !e.to.empty()) throw line.Error("languages must be " + std::string(pair ? "FROM-TO" : "one code"));
        if (LanguageNumber(e.from) < 0 || (pair && LanguageNumber(e.to) < 0))
            throw line.Error("unknown language in " + w[1]);
        entries.push_back(e);
    }
    return entries;
}

namespace {

class Stopwatch {
public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

std::string SourcePath(const BuildOptions& options, const SourceEntry& e, const std::string& suffix = "") {
    std::string path = (std::filesystem::path(options.root) / e.path).string() + suffix;
    if (!std::filesystem::exists(path))
        throw SourceError("missing source " + path + ": install the Debian package " + e.package);
    return path;
}

void ReadSource(const BuildOptions& options, const SourceEntry& e, BuildResult& r, std::set<BilingualLink>& links,
                TurkishMorphology& turkish) {
    if (e.kind == "analyser") {
        std::string dump = ProgramOutput({options.ltPrint, SourcePath(options, e)});
        ReadApertiumAnalyser(dump, e.from, r.inventory, *r.tags, r.lexicon, r.report);
    } else if (e.kind == "bilingual") {
        std::string dump = ProgramOutput({options.ltPrint, SourcePath(options, e)});
        ReadApertiumBilingual(dump, e.from, e.to, r.inventory, *r.tags, links, r.report);
    } else if (e.kind == "freedict") {
        std::string index = ReadWholeFile(SourcePath(options, e, ".index"));
        std::string dictionary = ReadGzipFile(SourcePath(options, e, ".dict.dz"));
        ReadFreeDict(index, dictionary, e.from, e.to, r.inventory, *r.tags, links, r.report);
    } else if (e.kind == "german-english") {
        ReadGermanEnglish(ReadWholeFile(SourcePath(options, e)), r.inventory, *r.tags, r.lexicon, links, r.report);
    } else if (e.kind == "hunspell") {
        ReadHunspell(ReadWholeFile(SourcePath(options, e, ".aff")), ReadWholeFile(SourcePath(options, e, ".dic")),
                     e.from, e.verbEndings, r.inventory, *r.tags, r.lexicon, r.report,
                     e.from == "tr" ? &turkish : nullptr);
    }
}

}  // namespace

BuildResult BuildData(const BuildOptions& options, std::ostream& progress) {
    BuildResult r;
    auto source = [&](const char* name) { return (std::filesystem::path(options.sources) / name).string(); };
    r.inventory = ParseAttributeInventory(ReadWholeFile(source("attributes.txt")), "attributes.txt");
    // Compiled first, so that a fault in a rule stops the build at once.
    const PhraseTableSet rules = CompilePhraseRules(source("phrases"), r.inventory);
    TagMapping tags = TagMapping::Parse(ReadWholeFile(source("tags.txt")), "tags.txt", r.inventory);
    r.tags = &tags;
    TurkishMorphology turkish(ParseTurkishGrammar(ReadWholeFile(source("turkish.txt")), "turkish.txt", r.inventory));
    // The endings of the suffix list and the words of our word list; an
    // absent file, as in WriteAnalysisLists, gives none.
    std::vector<OwnWord> ownWords;
    for (const char* name : {"suffixes.txt", "words.txt"})
        if (std::filesystem::exists(source(name))) {
            std::vector<OwnWord> more = ParseOwnWords(ReadWholeFile(source(name)), name, r.inventory);
            ownWords.insert(ownWords.end(), more.begin(), more.end());
        }
    std::vector<SourceEntry> entries = ParseSourceList(ReadWholeFile(source("sources.txt")), "sources.txt");
    // Every package is checked before the long work starts.
    for (const SourceEntry& e : entries)
        if (e.kind == "freedict") SourcePath(options, e, ".index"), SourcePath(options, e, ".dict.dz");
        else if (e.kind == "hunspell") SourcePath(options, e, ".aff"), SourcePath(options, e, ".dic");
        else if (e.kind != "headwords") SourcePath(options, e);

    std::set<BilingualLink> links;
    auto read = [&](const SourceEntry& e) {
        Stopwatch watch;
        ReadSource(options, e, r, links, turkish);
        progress << "read " << e.kind << " " << e.from << (e.to.empty() ? "" : "-" + e.to) << " ("
                 << e.package << ") in " << watch.Seconds() << " s\n";
    };
    for (const SourceEntry& e : entries)
        if (e.kind != "headwords" && e.kind != "hunspell") read(e);
    for (const SourceEntry& e : entries)
        if (e.kind == "headwords")
            AddHeadwordLemmas(links, LanguageNumber(e.from), Split(e.path, ','), r.inventory, r.lexicon, r.report);
    // The dictionaries' Turkish lemmas take the whole paradigm of the suffix
    // rules, once the spelling dictionary has shown how their stems behave.
    std::set<LemmaKey> turkishLemmas;
    for (const auto& [key, lemma] : r.lexicon.OfLanguage(LanguageNumber("tr"))) turkishLemmas.insert(key);
    AddTurkishListedWords(turkish.Grammar(), r.lexicon, r.report);
    // Full-form lists come last: their words join the lemmas read so far.
    for (const SourceEntry& e : entries)
        if (e.kind == "hunspell") read(e);
    AddTurkishParadigms(turkishLemmas, turkish, r.lexicon, r.report);
    // An ending translates into a preposition, never a preposition into an
    // ending: the links of our own words go one way.
    std::set<BilingualLink> ownLinks;
    AddOwnWords(ownWords, r.lexicon, ownLinks, r.report);
    LabelFormsByAnalogy(r.lexicon, r.report);

    Stopwatch watch;
    AddGermanNounCases(r.lexicon, r.inventory, r.report);
    AddGermanVerbForms(r.lexicon, r.inventory, r.report);
    CleanLexicon(r.lexicon, links, r.report);
    r.links = ResolveLinks(links, r.lexicon, r.report);
    r.ownLinks = ResolveLinks(ownLinks, r.lexicon, r.report);
    r.classes = ShareClasses(r.links);
    r.pivotLinks = PivotLinks(r.links);
    for (const BilingualLink& link : r.pivotLinks)
        r.report.Read(LanguageCode(link.from.language) + "-" + LanguageCode(link.to.language),
                      "translation links through English");
    r.inflection = DeriveInflection(r.lexicon, r.inventory, r.report);
    progress << "derived " << r.inflection.groups.size() << " inflection groups, " << r.inflection.details.size()
             << " inflection details, " << r.classes.size() << " lemmas with classes in " << watch.Seconds() << " s\n";
    r.tags = nullptr;

    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    if (ec) throw SourceError("cannot create " + options.out + ": " + ec.message());
    std::string base = options.out;
    if (!base.empty() && base.back() != '/') base += '/';
    watch = Stopwatch();
    WriteAttributeInventory(base, r.inventory);
    WriteLexiconFiles(base, r.inflection);
    WriteAnalysisLists(options.sources, base, r.report);
    const int32_t pages = WriteWordFormTrie(base);
    WriteEmptyEngineStores(base);
    WritePhraseTables(base, rules);
    progress << "wrote the lexicon, " << r.inflection.words.size() << " words, and a word-form trie of " << pages
             << " pages in " << watch.Seconds() << " s\n";
    WriteDictionary(base, r, progress);
    return r;
}

void PrintReport(const BuildReport& report, std::ostream& out) {
    for (const auto& [language, counts] : report.read)
        for (const auto& [what, n] : counts) out << language << "\tread\t" << what << "\t" << n << "\n";
    for (const auto& [language, counts] : report.dropped)
        for (const auto& [why, n] : counts) out << language << "\tdropped\t" << why << "\t" << n << "\n";
}

}  // namespace pv
