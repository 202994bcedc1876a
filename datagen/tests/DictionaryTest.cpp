#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "datagen/build/DataBuild.h"
#include "datagen/build/SourceText.h"
#include "datagen/pvdata/Commands.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/tests/TempDir.h"
#include "morphology/DelimitedList.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using testing::TempDir;

// The symbols of one side of a transducer path: characters, and tags as one
// symbol each.
std::vector<std::string> Symbols(const std::string& text) {
    std::vector<std::string> symbols;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i + 1;
        if (text[i] == '<') end = text.find('>', i) + 1;
        else
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        symbols.push_back(text.substr(i, end - i));
        i = end;
    }
    return symbols;
}

// A transducer dump with one path from state 0 per (input, output) pair.
std::string Dump(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::ostringstream dump, finals;
    int next = 1;
    for (const auto& [input, output] : pairs) {
        const std::vector<std::string> in = Symbols(input), out = Symbols(output);
        int from = 0;
        for (std::size_t k = 0; k < std::max(in.size(), out.size()); ++k, from = next++)
            dump << from << '\t' << next << '\t' << (k < in.size() ? in[k] : "ε") << '\t'
                 << (k < out.size() ? out[k] : "ε") << "\t0.000000\t\n";
        finals << from << '\n';
    }
    return dump.str() + finals.str();
}

void Write(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// English and Spanish analysers, an English-Spanish dictionary with a
// multi-word entry, one whose word the lexicon lacks and an enumerated
// number, and a German-English list: German reaches Spanish only through
// the shared class of the English lemma; a Turkish ending with its
// prepositions.
struct DictionaryFixture {
    TempDir tmp;
    BuildOptions options;

    DictionaryFixture() {
        options.sources = tmp.path("sources");
        options.root = tmp.path("root");
        options.out = tmp.path("out");
        options.ltPrint = "cat";
        std::filesystem::create_directories(options.sources);
        for (const char* name : {"attributes.txt", "tags.txt"})
            std::filesystem::copy_file(std::filesystem::path(PV_TEST_DATA) / name,
                                       std::filesystem::path(options.sources) / name);
        Write(options.sources + "/sources.txt",
              "analyser en p en.bin\nanalyser es p es.bin\nbilingual en-es p en-es.bin\ngerman-english de-en p de-en\n");
        Write(options.root + "/en.bin", Dump({{"house", "house<n><sg>"}, {"houses", "house<n><pl>"},
                                              {"ice", "ice<n><sg>"}, {"cream", "cream<n><sg>"},
                                              {"creams", "cream<n><pl>"}, {"walk", "walk<vblex><inf>"},
                                              {"in", "in<pr>"}}));
        Write(options.root + "/es.bin", Dump({{"casa", "casa<n><f><sg>"}, {"casas", "casa<n><f><pl>"},
                                              {"helado", "helado<n><m><sg>"}, {"helados", "helado<n><m><pl>"},
                                              {"andar", "andar<vblex><inf>"}, {"polo", "polo<n><m><sg>"},
                                              {"en", "en<pr>"}}));
        Write(options.root + "/en-es.bin",
              Dump({{"house<n>", "casa<n><f>"}, {"ice cream<n>", "helado<n><m>"}, {"walk<vblex>", "andar<vblex>"},
                    {"ice# lolly<n>", "polo<n><m>"}, {"12th century<n>", "siglo XII<n><m>"}}));
        Write(options.root + "/de-en", "Haus {n} | Häuser {pl} :: house | houses\n");
        Write(options.sources + "/suffixes.txt", "tr de da = postposition+locative preposition en:in es:en\n");
    }

    std::string Build() {
        std::ostringstream progress;
        result = BuildData(options, progress);
        return progress.str();
    }

    BuildResult result;
};

// The rows of the entries whose headword is text.
std::vector<Collocation> Entries(CollocationFiles& files, const std::u16string& text) {
    std::vector<Collocation> found;
    for (int32_t row = 0; row < files.headers.RowCount(); ++row)
        if (Collocation c = files.LoadByRow(row); c.text == text) found.push_back(c);
    return found;
}

std::set<std::u16string> TranslationTexts(CollocationFiles& files, const Collocation& entry) {
    std::set<std::u16string> texts;
    for (int32_t id : ParseIdList(entry.translations)) texts.insert(files.LoadById(id).text);
    return texts;
}

TEST(Dictionary, EntriesReadBackThroughTheIndexesTheEngineUses) {
    DictionaryFixture f;
    f.Build();
    CollocationFiles files(f.options.out);

    auto one = [&](const std::u16string& text) {
        std::vector<Collocation> found = Entries(files, text);
        EXPECT_EQ(found.size(), 1u) << Utf8Encode(text);
        return found.empty() ? Collocation{} : found.front();
    };
    const Collocation house = one(u"house"), casa = one(u"casa"), haus = one(u"Haus"), iceCream = one(u"ice cream");
    const Collocation ice = one(u"ice"), cream = one(u"cream");

    // A single word: its word id, the number and capitalisation it takes
    // from the text, gender kept; a word spelled with a capital has it.
    ASSERT_EQ(house.wordIds.size(), 1u);
    EXPECT_EQ(files.LoadById(house.wordIds[0]).text, u"house");
    EXPECT_EQ(house.inheritedGroups, (std::vector<WordArray>{{3, 214}}));
    EXPECT_EQ(casa.associatedAttributes, (WordArray{9}));
    EXPECT_TRUE(Contains(haus.associatedAttributes, 769));
    EXPECT_GT(house.templateId, 0);
    EXPECT_EQ(house.language, 1);
    EXPECT_EQ(casa.partOfSpeech, 1);

    // Translations both ways; the multi-word entry is found by its first word.
    EXPECT_EQ(TranslationTexts(files, house), (std::set<std::u16string>{u"casa", u"Haus"}));
    // German is reached from Spanish only through English, after the direct ones.
    EXPECT_EQ(TranslationTexts(files, casa), (std::set<std::u16string>{u"house", u"Haus"}));
    EXPECT_EQ(files.LoadById(ParseIdList(casa.translations).front()).text, u"house");
    // Listed in the order of the sources (the bilingual dictionary is read
    // before the German list), not in the order of the ids.
    std::vector<std::u16string> ordered;
    for (int32_t id : ParseIdList(house.translations)) ordered.push_back(files.LoadById(id).text);
    EXPECT_EQ(ordered, (std::vector<std::u16string>{u"casa", u"Haus"}));
    EXPECT_EQ(iceCream.wordIds, (WordArray{ice.wordIds[0], cream.wordIds[0]}));
    EXPECT_EQ(iceCream.requiredAttributes, (std::vector<WordArray>{{11}, {}}));
    EXPECT_EQ(iceCream.inheritedGroups, (std::vector<WordArray>{{}, {3, 214}}));
    EXPECT_EQ(TranslationTexts(files, iceCream), (std::set<std::u16string>{u"helado"}));
    std::set<std::u16string> byIce;
    for (IndexReader::Found at = files.byFirstWord.Find(ice.wordIds[0]);
         at.found && at.record < files.byFirstWord.count() && files.byFirstWord.Get(at.record).key == ice.wordIds[0];
         ++at.record)
        byIce.insert(files.LoadByRow(files.byFirstWord.Get(at.record).value).text);
    EXPECT_EQ(byIce, (std::set<std::u16string>{u"ice", u"ice cream"}));

    // German has no Spanish dictionary: the class of "house" leads to "casa".
    ASSERT_GT(haus.classId, 0);
    EXPECT_EQ(haus.classId, house.classId);
    std::set<std::u16string> spanishOfClass;
    for (IndexReader::Found at = files.byClass.Find(haus.classId);
         at.found && at.record < files.byClass.count() && files.byClass.Get(at.record).key == haus.classId; ++at.record) {
        const int32_t row = files.byClass.Get(at.record).value;
        const ColHeader header = ParseColHeader(files.headers.Get(row));
        if (header.language == 5 && header.partOfSpeech == haus.partOfSpeech && header.flag == 1)
            spanishOfClass.insert(files.LoadByRow(row).text);
    }
    EXPECT_EQ(spanishOfClass, (std::set<std::u16string>{u"casa"}));

    // A Turkish ending translates into prepositions; they do not translate
    // into the ending.
    EXPECT_EQ(TranslationTexts(files, one(u"de")), (std::set<std::u16string>{u"in", u"en"}));
    EXPECT_EQ(TranslationTexts(files, one(u"in")), (std::set<std::u16string>{}));

    // What could not become an entry is counted with its reason.
    EXPECT_EQ(f.result.report.dropped.at("en").at("multi-word expression with a word not in the lexicon"), 1);
    EXPECT_EQ(f.result.report.dropped.at("en-es").at("number or date expression"), 1);
    EXPECT_EQ(f.result.report.read.at("en").at("multi-word entries in data/cols"), 1);
    EXPECT_EQ(f.result.report.read.at("de-es").count("translation links"), 0u);
    EXPECT_EQ(f.result.report.read.at("de-es").at("translation links through English"), 1);
}

TEST(Dictionary, SameSourcesGiveTheSameFiles) {
    DictionaryFixture f;
    auto files = [&] {
        f.Build();
        std::string bytes;
        for (const char* suffix : {".HDR", ".DAT", "BYID.HSH", "GLID.HSH", "WRDID.HSH"})
            bytes += ReadWholeFile(f.options.out + "/DATA/cols" + suffix);
        return bytes;
    };
    const std::string first = files();
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, files());
}

TEST(Dictionary, EntryCommandPrintsEntriesAndTranslations) {
    DictionaryFixture f;
    f.Build();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> printed;
    } cases[] = {
        {{"--data", f.options.out, "HOUSE"}, 0, {"en house", "es casa", "de Haus", "inherited 3"}},
        {{"--data", f.options.out, "cream"}, 0, {"en cream", "in multi-word entries:", "en ice cream", "es helado"}},
        {{"--data", f.options.out, "nothing"}, 1, {"no dictionary entry for nothing"}},
        {{"--data", f.tmp.path("missing"), "house"}, 1, {"pvdata entry:"}},
        {{"--data", f.options.out}, 2, {"usage: pvdata entry"}},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunEntry(c.args, out, err), c.status) << c.args.back();
        const std::string printed = out.str() + err.str();
        for (const std::string& text : c.printed)
            EXPECT_NE(printed.find(text), std::string::npos) << text << " in\n" << printed;
    }
}

}  // namespace
}  // namespace pv
