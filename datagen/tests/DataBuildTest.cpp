#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>

#include "datagen/build/AnalysisLists.h"
#include "datagen/build/AttTransducer.h"
#include "datagen/build/DataBuild.h"
#include "datagen/build/OwnWords.h"
#include "datagen/build/HunspellSource.h"
#include "datagen/build/SourceText.h"
#include "datagen/pvdata/Commands.h"
#include "datagen/WordTreeWriter.h"
#include "lexdb/tests/TempDir.h"
#include "lexdb/Container.h"
#include "lexdb/DataPath.h"
#include "morphology/Attributes.h"
#include "morphology/GrammarLabels.h"
#include "morphology/PhraseFiles.h"
#include "morphology/WordAnalysis.h"
#include "morphology/WordFormsListing.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

// Each text is refused by parse with an error whose message holds the
// case's words.
struct RefusedText {
    const char* text;
    const char* error;
};
template <typename Parse>
void ExpectRefused(std::initializer_list<RefusedText> cases, Parse parse) {
    for (const RefusedText& c : cases) {
        try {
            parse(c.text);
            ADD_FAILURE() << c.text;
        } catch (const SourceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
    }
}

using testing::TempDir;

void Write(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A small English analyser dump: "walk" (regular, with "walking"), "go" (irregular, so its
// stem is empty), a multi-word form, a cyclic section that is skipped.
const char* kEnglishDump =
    "0\t1\tw\tw\t0.000000\t\n1\t2\ta\ta\t0.000000\t\n2\t3\tl\tl\t0.000000\t\n3\t4\tk\tk\t0.000000\t\n"
    "4\t5\tε\t<vblex>\t0.000000\t\n5\t6\tε\t<inf>\t0.000000\t\n"
    "4\t7\ts\t<vblex>\t0.000000\t\n7\t8\tε\t<pri>\t0.000000\t\n8\t9\tε\t<p3>\t0.000000\t\n9\t10\tε\t<sg>\t0.000000\t\n"
    "4\t11\te\t<vblex>\t0.000000\t\n11\t12\td\t<past>\t0.000000\t\n"
    "0\t13\tw\tg\t0.000000\t\n13\t14\te\to\t0.000000\t\n14\t15\tn\t<vblex>\t0.000000\t\n15\t16\tt\t<past>\t0.000000\t\n"
    "0\t17\tg\tg\t0.000000\t\n17\t18\to\to\t0.000000\t\n18\t19\tε\t<vblex>\t0.000000\t\n19\t20\tε\t<inf>\t0.000000\t\n"
    "0\t21\ta\ta\t0.000000\t\n21\t22\t \t \t0.000000\t\n22\t23\tb\tb\t0.000000\t\n23\t24\tε\t<n>\t0.000000\t\n"
    "24\t25\tε\t<sg>\t0.000000\t\n"
    "4\t26\ti\t<vblex>\t0.000000\t\n26\t27\tn\t<pprs>\t0.000000\t\n27\t28\tg\tε\t0.000000\t\n"
    "6\n10\n12\n16\n20\n25\t0.000000\n28\n"
    "--\n0\t1\t1\t1\t0.000000\t\n1\t1\t2\t2\t0.000000\t\n1\t2\tε\t<num>\t0.000000\t\n2\n";

const char* kSpanishDump =
    "0\t1\ta\ta\t0.000000\t\n1\t2\tn\tn\t0.000000\t\n2\t3\td\td\t0.000000\t\n3\t4\ta\ta\t0.000000\t\n"
    "4\t5\tr\tr\t0.000000\t\n5\t6\tε\t<vblex>\t0.000000\t\n6\t7\tε\t<inf>\t0.000000\t\n"
    // The contraction "al" = a<pr>+el<det>.
    "0\t8\ta\ta\t0.000000\t\n8\t9\tl\t<pr>\t0.000000\t\n9\t10\tε\t+\t0.000000\t\n10\t11\tε\te\t0.000000\t\n"
    "11\t12\tε\tl\t0.000000\t\n12\t13\tε\t<det>\t0.000000\t\n7\n13\n";

// A bilingual dump whose entries end in an any-tag loop.
const char* kBilingualDump =
    "0\t1\tw\ta\t0.000000\t\n1\t2\ta\tn\t0.000000\t\n2\t3\tl\td\t0.000000\t\n3\t4\tk\ta\t0.000000\t\n"
    "4\t5\tε\tr\t0.000000\t\n5\t6\t<vblex>\t<vblex>\t0.000000\t\n6\t6\t<inf>\t<inf>\t0.000000\t\n6\n";

const char* kTurkishAffixes =
    "SET UTF-8\nFLAG num\nSFX 1 N 1\nSFX 1 0 ler .\nSFX 2 N 1\nSFX 2 0 lerde .\nSFX 3 N 1\nSFX 3 0 de .\n"
    "SFX 4 N 1\nSFX 4 0 lar .\n";

struct Fixture {
    TempDir tmp;
    BuildOptions options;

    Fixture() {
        options.sources = tmp.path("sources");
        options.root = tmp.path("root");
        options.out = tmp.path("out");
        options.ltPrint = "cat";  // the fixture "transducers" are already text dumps
        std::filesystem::create_directories(options.sources);
        for (const char* name : {"attributes.txt", "tags.txt", "spellfix.txt", "prefixes.txt", "suffixes.txt", "turkish.txt"})
            std::filesystem::copy_file(std::filesystem::path(PV_TEST_DATA) / name,
                                       std::filesystem::path(options.sources) / name);
        Write(options.sources + "/sources.txt",
              "analyser en pkg-en en.bin\nanalyser es pkg-es es.bin\nbilingual en-es pkg-bil en-es.bin\n"
              "german-english de-en pkg-de de-en\nhunspell tr pkg-tr tr mak,mek\nhunspell en pkg-en-dic en\n"
              "hunspell es pkg-es-dic es\n");
        Write(options.root + "/en.bin", kEnglishDump);
        Write(options.root + "/es.bin", kSpanishDump);
        Write(options.root + "/en-es.bin", kBilingualDump);
        Write(options.root + "/de-en",
              "# comment\nHund {m} | Hunde {pl} :: dog | dogs\ngehen {vi} | gehend | gegangen :: to go | going | gone\n");
        Write(options.root + "/tr.aff", kTurkishAffixes);
        Write(options.root + "/tr.dic", "3\nev/1,2,3\ngöz/1,4\ngitmek\n");
        // "walk" is the analyser's, "blog" a new lemma.
        Write(options.root + "/en.aff", "SET UTF-8\nFLAG num\nSFX 1 N 1\nSFX 1 0 ers .\n");
        Write(options.root + "/en.dic", "2\nwalk/1\nblog/1\n");
        // The analyser knows "a" only in the contraction "al".
        Write(options.root + "/es.aff", "SET UTF-8\nFLAG num\nSFX 1 N 1\nSFX 1 0 s .\n");
        Write(options.root + "/es.dic", "1\na/1\n");
    }
};

struct BuildRun {
    int status;
    std::string out, err;
};

BuildRun RunBuildCommand(const BuildOptions& o) {
    std::ostringstream out, err;
    int status = RunBuild({"--out", o.out, "--sources", o.sources, "--root", o.root, "--lt-print", o.ltPrint}, out, err);
    return {status, out.str(), err.str()};
}

const LexiconWordRecord* WordOf(const InflectionModel& m, const std::string& lemma) {
    for (const LexiconWordRecord& w : m.words)
        if (w.lemma == Utf8Decode(lemma)) return &w;
    return nullptr;
}

TEST(DataBuild, ExtractsFormsGroupsLinksAndWritesTheAttributeFiles) {
    Fixture f;
    std::ostringstream progress;
    BuildResult r = BuildData(f.options, progress);
    const AttributeInventory& inv = r.inventory;

    // walk: stem "walk", base ending "", endings "", "s", "ed" with their
    // details; the analyser's forms only, none of the spelling dictionary.
    const LexiconWordRecord* walk = WordOf(r.inflection, "walk");
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(walk->stem, u"walk");
    EXPECT_EQ(walk->partOfSpeech, inv.ValueId("verb"));
    auto forms = r.inflection.Forms(*walk);
    std::set<std::u16string> texts;
    for (auto& [text, key] : forms) texts.insert(text);
    EXPECT_EQ(texts, (std::set<std::u16string>{u"walk", u"walks", u"walked", u"walking"}));
    for (auto& [text, key] : forms)
        if (text == u"walks") {
            const InflectionDetailRecord& d = r.inflection.details.at(key);
            EXPECT_EQ(d.language, 1);
            WordArray values(d.values.begin(), d.values.end());
            for (const char* v : {"present", "indicative", "third-person", "singular"})
                EXPECT_NE(std::find(values.begin(), values.end(), inv.ValueId(v)), values.end()) << v;
        }

    ASSERT_NE(WordOf(r.inflection, "blog"), nullptr);
    texts.clear();
    for (auto& [text, key] : r.inflection.Forms(*WordOf(r.inflection, "blog"))) texts.insert(text);
    EXPECT_EQ(texts, (std::set<std::u16string>{u"blog", u"blogers"}));
    // An analyser's lemma without its base form takes the dictionary's forms.
    texts.clear();
    for (auto& [text, key] : r.inflection.Forms(*WordOf(r.inflection, "a"))) texts.insert(text);
    EXPECT_EQ(texts, (std::set<std::u16string>{u"a", u"al", u"as"}));

    // go/went: nothing in common, so the word keeps no stem.
    const LexiconWordRecord* go = WordOf(r.inflection, "go");
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->stem, u"");
    EXPECT_NE(go->group, 0);

    // German from the word list: gender and plural, participles; the
    // plural's dative made by the German noun rule.
    const LexiconWordRecord* hund = WordOf(r.inflection, "Hund");
    ASSERT_NE(hund, nullptr);
    EXPECT_EQ(hund->stem, u"Hund");
    texts.clear();
    for (auto& [text, key] : r.inflection.Forms(*hund)) texts.insert(text);
    EXPECT_EQ(texts, (std::set<std::u16string>{u"Hund", u"Hunde", u"Hunden"}));

    // Links resolved onto lemmas, the any-tag loop walked once; classes shared.
    LemmaKey enWalk{1, "walk", inv.ValueId("verb")}, esAndar{5, "andar", inv.ValueId("verb")};
    EXPECT_TRUE(r.links.count({enWalk, esAndar}));
    EXPECT_EQ(r.classes.at(enWalk), r.classes.at(esAndar));
    EXPECT_EQ(r.classes.at(LemmaKey{4, "gehen", inv.ValueId("verb")}), r.classes.at(LemmaKey{1, "go", inv.ValueId("verb")}));

    // Dropped items are counted with their reason.
    EXPECT_EQ(r.report.dropped.at("en").at("multi-word form"), 1);
    EXPECT_EQ(r.report.read.at("en").at("cyclic transducer sections"), 1);

    // The attribute files load back with the reserved ids in place.
    AttributeTables tables;
    tables.LoadAttributeDefinitions(f.options.out + "/");
    EXPECT_EQ(tables.AttributeOf(12), 3);
    EXPECT_EQ(tables.AttributeOf(769), 214);
    EXPECT_EQ(tables.AttributeOf(1), 1);
    ASSERT_GE(tables.EntryTemplates().size(), 2u);
    EXPECT_TRUE(tables.EntryTemplates()[1].inUse);
}

// The analyses of a word in the loaded tables as "lemma:detail values".
std::set<std::string> Readings(const std::string& word) {
    std::set<std::string> readings;
    for (const WordEntry& e : GetWordMeanings(Utf8Decode(word)).meanings) {
        readings.insert(Utf8Encode(e.baseForm) + ":" + std::to_string(e.language));
    }
    return readings;
}

TEST(DataBuild, WrittenLexiconLoadsAndAnalysesWords) {
    Fixture f;
    std::ostringstream progress;
    BuildResult r = BuildData(f.options, progress);
    const std::string base = f.options.out + "/";
    GrammarTables().LoadAttributeDefinitions(base);
    ASSERT_TRUE(LoadInflexionTables(base));
    ASSERT_TRUE(LoadSpellFixes(base));
    ASSERT_TRUE(LoadLexicon(base));
    EXPECT_TRUE(LoadWordForms(base));  // read from the file, not rebuilt
    // The stored trie is the one the engine builds when the file is missing.
    const std::string stored = WordTreeContent(Inflexions().wordTree);
    BuildAllWords();
    EXPECT_EQ(WordTreeContent(Inflexions().wordTree), stored);

    // Regular and zero-stem English, German stems written lower-cased,
    // Turkish forms from the affix rules, a spelling fix (o typed for ö), a
    // Spanish contraction read as its first word.
    struct Case {
        const char* word;
        const char* reading;
    } cases[] = {{"walked", "walk:1"}, {"went", "went:1"}, {"Hunde", "hund:4"}, {"evlerde", "ev:3"},
                 {"gözler", "göz:3"},  {"gozler", "göz:3"}, {"gitmek", "gitmek:3"},
                 {"al", "a:5"}};
    for (const Case& c : cases) EXPECT_TRUE(Readings(c.word).count(c.reading)) << c.word;
    EXPECT_TRUE(Readings("evlerx").empty());
    EXPECT_TRUE(Readings("gözde").empty());  // göz has no flag 3

    // evlerde carries the values of its suffix; went its word's lemma.
    const AttributeInventory& inv = r.inventory;
    for (const WordEntry& e : GetWordMeanings(u"evlerde").meanings) {
        EXPECT_EQ(e.partOfSpeech, inv.ValueId("noun"));
        for (const char* v : {"plural", "locative"})
            EXPECT_NE(std::find(e.attributes.begin(), e.attributes.end(), inv.ValueId(v)), e.attributes.end()) << v;
    }
    EXPECT_EQ(GetWordMeanings(u"gitmek").meanings.at(0).partOfSpeech, inv.ValueId("verb"));
    // A Turkish ending is a word of its own, so translation cuts a word
    // before it.
    EXPECT_TRUE(Readings("lerde").count("lerde:3"));
    EXPECT_EQ(GetCutPositions(u"evlerde", false), (PositionList{1, 3, 6, 8}));
    EXPECT_EQ(GetWordEntry(GetWordMeanings(u"went").meanings.at(0).id).form, u"go");
    EXPECT_EQ(Inflexions().prefixes.Find(u"auf").found, true);

    // The word-forms listing labels every value of a form (the part of
    // speech shows once, on the lemma's row), in the inventory's order.
    using Rows = std::vector<FormRow>;
    EXPECT_EQ(ListWordForms(u"walks", 0, 1), (Rows{{u"v., English", u"walk"},
                                                   {u"infinitive,", u"walk"},
                                                   {u"sg.,3 p.,present,indic.,", u"walks"},
                                                   {u"pres.part.,", u"walking"},
                                                   {u"past,", u"walked"}}));
    EXPECT_EQ(ListWordForms(u"Hunde", 4, 2), (Rows{{u"същ., немски", u"hund"},
                                                   {u"м.р.,ед.ч.,им.пад.,", u"hund"},
                                                   {u"м.р.,ед.ч.,вин.пад.,", u"hund"},
                                                   {u"м.р.,ед.ч.,дат.пад.,", u"hund"},
                                                   {u"м.р.,ед.ч.,род.пад.,", u"hund"},
                                                   {u"м.р.,мн.ч.,им.пад.,", u"hunde"},
                                                   {u"м.р.,мн.ч.,вин.пад.,", u"hunde"},
                                                   {u"м.р.,мн.ч.,дат.пад.,", u"hunden"},
                                                   {u"м.р.,мн.ч.,род.пад.,", u"hunde"}}));
    // Two spellings of the plural each show their own text: the one the
    // suffix rules read with its case, the other with its affix's value.
    EXPECT_EQ(ListWordForms(u"göz", 3, 1), (Rows{{u"n., Turkish", u"göz"},
                                                 {u"sg.,nom.case,", u"göz"},
                                                 {u"pl.,", u"gözlar"},
                                                 {u"pl.,nom.case,", u"gözler"}}));

    // The contraction "al" reads as a form of "a", but no row of its
    // paradigm shows it.
    EXPECT_TRUE(Readings("al").count("a:5"));
    EXPECT_EQ(ListWordForms(u"al", 5, 1), (Rows{{u"prep., Spanish", u"a"}}));

    // Every other file the engine opens at start is a complete container.
    std::vector<std::string> files = {"DATA\\RELS.DAT", "DATA\\EXTREL.IDX", "Data\\CDHEAD.DAT",
                                      "Data\\RCDHEAD.DAT"};
    for (const char* name : {kPhrasesFile, kSynthPhrasesFile, kPhraseConditionsFile, kPhraseSFile, kPhraseIFile,
                             kPhraseAttributesFile, kPhraseJFile, kPhraseRelationsFile, kSynthRelationsFile,
                             kSynthLinksFile, kBuildStepsFile, kBuildConditionsFile, kBuildAssignmentsFile,
                             kBuildSlotConditionsFile, kPhrasePFile})
        files.push_back(name);
    for (const std::string& name : files)
        EXPECT_TRUE(ReadCountedBlock(ResolveDataPath(base, name)).complete) << name;
    for (const char* name : {"Data\\CDHASH.DAT", "Data\\RCDHASH.DAT", "DATA\\EXTREL.DAT"})
        EXPECT_TRUE(std::filesystem::exists(ResolveDataPath(base, name))) << name;
}

TEST(DataBuild, SameSourcesGiveTheSameBytesAndModel) {
    Fixture f;
    auto build = [&] {
        std::ostringstream progress;
        BuildResult r = BuildData(f.options, progress);
        std::ostringstream dump;
        for (const LexiconWordRecord& w : r.inflection.words)
            dump << w.id << ' ' << Utf8Encode(w.lemma) << ' ' << w.group << '\n';
        std::set<std::filesystem::path> names;
        for (const auto& file : std::filesystem::directory_iterator(f.options.out + "/DATA")) names.insert(file.path());
        for (const std::filesystem::path& name : names) dump << name << ReadWholeFile(name.string());
        return dump.str();
    };
    EXPECT_EQ(build(), build());
}

TEST(Hunspell, ExpandsAffixesUnderTheirConditions) {
    const char* aff =
        "SET UTF-8\nFLAG long\nNEEDAFFIX hh\nONLYINCOMPOUND oo\n"
        "SFX Aa Y 2\nSFX Aa y ies [^aeiou]y\nSFX Aa 0 s [aeiou]y\n"
        "PFX Bb Y 1\nPFX Bb 0 un .\nSFX Cc Y 1\nSFX Cc 0 - .\nPFX Dd Y 1\nPFX Dd 0 l' .\n";
    BuildReport report;
    std::vector<HunspellWord> words =
        ExpandHunspell(aff, "4\nbaby/Aa\nday/AaBbCcDd\nply/hhAa\nling/oo\n", report, "en");
    std::map<std::string, std::set<std::string>> forms;
    for (const HunspellWord& w : words)
        for (const auto& [text, affixes] : w.forms) forms[w.word].insert(text);
    EXPECT_EQ(forms, (std::map<std::string, std::set<std::string>>{
                         {"baby", {"baby", "babies"}},
                         {"day", {"day", "days"}},
                         {"unday", {"unday", "undays"}},  // a word of its own
                         {"ply", {"plies"}},  // only with an affix
                     }));  // "ling" only inside compounds
    EXPECT_EQ(report.dropped.at("en").at("hunspell word only inside compounds"), 1);
    // "day-", "l'day", "l'days", "unday-", "l'day-": cut apart by the tokenizer
    EXPECT_EQ(report.dropped.at("en").at("hunspell form cut at the hyphen or apostrophe of its affix"), 5);
}

TEST(AnalysisLists, RefuseMalformedLines) {
    ExpectRefused({
        {"ue ü de 1\n", "expected: FROM TO"},
        {"Ue ü de 1 inside\n", "lower case"},
        {"ue ü xx 1 inside\n", "unknown language xx"},
        {"ue ü de 1 middle\n", "unknown place middle"},
        {"ue ü de -1 inside\n", "bad weight"},
        },
        [](const char* text) { ParseSpellFixes(text, "t"); });
    std::vector<SpellFixSource> fixes = ParseSpellFixes("ss ß de,tr 2 inside,end\n", "t");
    ASSERT_EQ(fixes.size(), 1u);
    EXPECT_EQ(fixes[0].data.mask, (1u << 4) | (1u << 3));
    EXPECT_EQ(fixes[0].data.flags, kFixInside | kFixAtEnd);
}

TEST(OwnWords, SuffixLinesWithAMeaningBecomeWords) {
    const AttributeInventory inv = ParseAttributeInventory(
        ReadWholeFile(std::string(PV_TEST_DATA) + "/attributes.txt"), "attributes.txt");
    const std::vector<OwnWord> endings = ParseOwnWords(
        "tr lar ler\n"  // no meaning: a place to cut only
        "tr da de = postposition+locative preposition en:in bg:наш/pronoun\n",
        "t", inv);
    ASSERT_EQ(endings.size(), 2u);
    EXPECT_EQ(endings[1].lemma, (LemmaKey{3, "de", inv.ValueId("postposition")}));
    EXPECT_EQ(endings[1].values, WordArray{inv.ValueId("locative")});
    EXPECT_EQ(endings[1].translations, (std::vector<LemmaKey>{{1, "in", inv.ValueId("preposition")},
                                                             {2, "наш", inv.ValueId("pronoun")}}));
    EXPECT_EQ(ParseAffixes("tr da de = postposition+locative preposition en:in\n", "t"),
              (std::vector<std::u16string>{u"da", u"de"}));
    ExpectRefused({
        {"tr = postposition\n", "expected: LANGUAGE WORD"},
        {"tr da =\n", "expected: LANGUAGE WORD"},
        {"tr da = locative\n", "no part of speech"},
        {"tr da = postposition+where\n", "unknown value where"},
        {"tr da = postposition preposition en-in\n", "expected LANGUAGE:WORD"},
        {"tr da = postposition preposition xx:in\n", "unknown language xx"},
        },
        [&](const char* text) { ParseOwnWords(text, "t", inv); });
}

TEST(DataBuild, CommandNamesTheMissingPackageAndBadSources) {
    Fixture f;
    std::filesystem::remove(f.options.root + "/en-es.bin");
    BuildRun r = RunBuildCommand(f.options);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("install the Debian package pkg-bil"), std::string::npos) << r.err;

    Write(f.options.root + "/en-es.bin", kBilingualDump);
    EXPECT_EQ(RunBuildCommand(f.options).status, 0);

    Write(f.options.sources + "/sources.txt", "analyser xx pkg x.bin\n");
    r = RunBuildCommand(f.options);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("sources.txt:1: unknown language"), std::string::npos) << r.err;
    std::ostringstream out, err;
    EXPECT_EQ(RunBuild({"--out"}, out, err), 2);
}

TEST(AttributeInventory, RefusesIdsTheFilesCannotHold) {
    ExpectRefused({
        {"attribute 1 a\n  5 x\n  5 y\n", "duplicate value id"},
        {"attribute 1 a\n  5 x\n  6 x\n", "duplicate value name"},
        {"attribute 1 a\n  1056 x\n", "1,056 or more"},
        {"  5 x\n", "before the first attribute"},
        {"attribute 1 a\ntemplate 0 7\n", "unknown attribute 7"},
        },
        [](const char* text) { ParseAttributeInventory(text, "t"); });
}

// The label table is part of the programs, the ids from 900 up are given
// by our inventory: each of them must have a row.
TEST(AttributeInventory, EveryValueOfOurOwnHasALabelInBothLanguages) {
    const AttributeInventory inventory =
        ParseAttributeInventory(ReadWholeFile(std::string(PV_TEST_DATA) + "/attributes.txt"), "attributes.txt");
    for (const InventoryAttribute& attribute : inventory.attributes)
        for (const InventoryValue& value : attribute.values) {
            if (value.id < 900) continue;
            AttributeSet set;
            set.SetBit(value.id);
            EXPECT_NE(GetGrammarLabels(set, 1), u"") << value.name;
            EXPECT_NE(GetGrammarLabels(set, 2), u"") << value.name;
        }
}

TEST(AttTransducer, SkipsCyclicAndMalformedSectionsAndBoundsPaths) {
    std::vector<std::string> pairs;
    auto collect = [&](const std::string& a, const std::string& b) { pairs.push_back(a + "=" + b); };
    AttEnumeration e = EnumerateAtt("0\t1\ta\tb\t0\n1\n--\n0\t0\tx\tx\n0\n--\nzzz\n--\n", collect);
    EXPECT_EQ(pairs, std::vector<std::string>{"a=b"});
    EXPECT_EQ(e.cyclicSections, 1);
    EXPECT_EQ(e.malformedSections, 1);

    // Two branches of two: four paths, over a limit of three.
    pairs.clear();
    e = EnumerateAtt("0\t1\ta\ta\n0\t1\tb\tb\n1\t2\tc\tc\n1\t2\td\td\n2\n", collect, 3);
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(e.oversizedSections, 1);
}

}  // namespace
}  // namespace pv
