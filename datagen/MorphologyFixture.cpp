#include "datagen/MorphologyFixture.h"

#include <cstdlib>
#include <filesystem>
#include <map>

#include "datagen/AnalysisListWriters.h"
#include "datagen/AttributeWriters.h"
#include "datagen/ByteWriter.h"
#include "datagen/InflexionWriters.h"
#include "datagen/LexiconWriter.h"
#include "morphology/WordAnalysis.h"

namespace pv {

namespace {

using namespace fixture;

constexpr int32_t kEnglish = 1, kBulgarian = 2, kTurkish = 3, kGerman = 4;

// Values by attribute: 1 word class, 2 gender, 3 number, 4 person,
// 5 article, 6 tense and participles, 7 case, 214 capitalisation.
const std::map<int32_t, WordArray>& FixtureValues() {
    static const std::map<int32_t, WordArray> values = {
        {1, {1, 2, 3, 4, 5, 303, 531}}, {2, {8, 9, 10}}, {3, {11, 12}},
        {4, {13, 14, 15}}, {5, {16, 18}}, {6, {40, 41, 42, 43}},
        {7, {140, 141, 142, 143, 507}}, {214, {769, 770}},
    };
    return values;
}

AttributeFileSet FixtureAttributes() {
    AttributeFileSet files;
    files.valueAttributes.assign(800, 0);
    for (int32_t id = 0; id <= 214; ++id) {
        auto it = FixtureValues().find(id);
        files.attributes.push_back(MakeAttribute(id, it == FixtureValues().end() ? WordArray{} : it->second));
        if (it != FixtureValues().end())
            for (int32_t v : it->second) files.valueAttributes[static_cast<std::size_t>(v)] = id;
    }
    files.relations = {0, 1};
    files.implied = {{kBulgarian, 2, 8}, {kGerman, 1, 11}, {kEnglish, 1, 11}};
    return files;
}

InflexionDetail Detail(int32_t language, std::initializer_list<uint16_t> values, int32_t order) {
    InflexionDetail detail;
    detail.language = language;
    std::size_t i = 0;
    for (uint16_t v : values) detail.values[i++] = v;
    detail.displayOrder = order;
    return detail;
}

// Record k is ending key k.
std::vector<InflexionDetail> FixtureDetails() {
    return {
        Detail(kEnglish, {}, 0),             // 0: no slot, never chosen
        Detail(kEnglish, {40, 15, 11}, 3),   // 1: walks
        Detail(kEnglish, {42}, 2),           // 2: walked (past)
        Detail(kEnglish, {41}, 4),           // 3: walking
        Detail(kEnglish, {12}, 1),           // 4: books, men
        Detail(kEnglish, {43}, 5),           // 5: walked (participle)
        Detail(kGerman, {143, 11}, 2),       // 6: Hauses
        Detail(kGerman, {12, 140}, 3),       // 7: Häuser
        Detail(kGerman, {12, 142}, 4),       // 8: Häusern
        Detail(kGerman, {12}, 1),            // 9: Türen
        Detail(kBulgarian, {9, 11}, 2),      // 10: нова
        Detail(kBulgarian, {12, 2}, 3),      // 11: нови
        Detail(kBulgarian, {8, 11, 18}, 4),  // 12: новия
        Detail(kBulgarian, {12, 1}, 2),      // 13: книги
        Detail(kBulgarian, {11, 16}, 3),     // 14: книгата
        Detail(kTurkish, {12}, 1),           // 15: evler
        Detail(kTurkish, {507}, 2),          // 16: evde
        Detail(kTurkish, {142}, 3),          // 17: eve
        Detail(kTurkish, {141}, 4),          // 18: evi (accusative)
        Detail(kTurkish, {141, 15}, 5),      // 19: evi (possessive)
        Detail(kTurkish, {12}, 1),           // 20: -ler
    };
}

std::vector<InflexionGroup> FixtureGroups() {
    return {
        {10, u"", {{1, u"s"}, {2, u"ed"}, {3, u"ing"}, {5, u"ed"}}},
        {11, u"", {{4, u"s"}}},
        {12, u"an", {{4, u"en"}}},
        {20, u"", {{6, u"es"}, {7, u"er"}, {8, u"ern"}}},
        {21, u"", {{9, u"en"}}},
        {30, u"", {{10, u"а"}, {11, u"и"}, {12, u"ия"}}},
        {31, u"а", {{13, u"и"}, {14, u"ата"}}},
        {40, u"", {{15, u"ler"}, {16, u"de"}, {17, u"e"}, {18, u"i"}, {19, u"i"}}},
        {41, u"lar", {{20, u"ler"}}},
    };
}

std::vector<LexiconWord> FixtureWords() {
    return {
        {kWalk, u"walk", kEnglish, 10, 3},   {kTalk, u"talk", kEnglish, 10, 3},
        {kBook, u"book", kEnglish, 11, 1},   {kThe, u"the", kEnglish, 0, 5},
        {kColour, u"colour", kEnglish, 11, 1}, {kMan, u"m", kEnglish, 12, 1},
        {kNew, u"new", kEnglish, 0, 2},
        {kHaus, u"haus", kGerman, 20, 1},    {kTuer, u"tür", kGerman, 21, 1},
        {kNov, u"нов", kBulgarian, 30, 2},   {kKniga, u"книг", kBulgarian, 31, 1},
        {kEv, u"ev", kTurkish, 40, 1},
        // Two words without a stem share one group of plural endings.
        {kLarSuffix, u"", kTurkish, 41, 1},  {kLerSuffix, u"", kTurkish, 41, 1},
    };
}

std::vector<SpellFixSource> FixtureSpellFixes() {
    return {
        {u"or", u"our", {1u << kEnglish, 5, kFixInside | kFixAtEnd}},
        {u"ue", u"ü", {1u << kGerman, 3, kFixAtStart | kFixInside | kFixAtEnd}},
        {u"x", u"k", {0xFFFFu, 1, 0}},  // flags 0: never applies
    };
}

}  // namespace

void WriteMorphologyFixture(const std::string& base) {
    WriteAttributeFiles(base, FixtureAttributes());
    WriteInflexionGroups(base, FixtureGroups());
    WriteInflexionDetails(base, FixtureDetails());
    WriteSpellFixes(base, FixtureSpellFixes());
    WriteLexicon(base, FixtureWords());
    WriteAffixLists(base, {u"haus", u"un"}, {u"ler", u"tür"});
}

std::string MakeMorphologyFixture() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pvmorph-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw WriterError("cannot create a temporary folder");
    const std::string base = pattern + "/";
    WriteMorphologyFixture(base);
    return base;
}

}  // namespace pv
