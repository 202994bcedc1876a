#include <gtest/gtest.h>

#include "datagen/AnalysisListWriters.h"
#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/InflexionWriters.h"
#include "datagen/LexiconWriter.h"
#include "datagen/TextListWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/tests/MorphologyTestData.h"
#include "morphology/WordAnalysis.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using namespace fixture;
using test::MorphologyTest;
using test::ScratchFolder;

// (word id, form, ending key, weight) of each analysis.
struct Seen {
    int32_t wordId;
    std::u16string form;
    int32_t key;
    double weight;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Analyse(std::u16string_view word) {
    std::vector<Seen> seen;
    for (const InflexionData& a : GetInflexionData(word)) seen.push_back({a.wordId, a.form, a.endingKey, a.weight});
    return seen;
}

TEST_F(MorphologyTest, GetInflexionDataFindsEveryWordBehindAForm) {
    struct Case {
        std::u16string word;
        std::vector<Seen> expected;
    };
    const Case cases[] = {
        {u"walks", {{kWalk, u"walk", 1, 0}}},
        {u"WALKED", {{kWalk, u"walk", 2, 0}, {kWalk, u"walk", 5, 0}}},  // one ending listed twice
        {u"walk", {{kWalk, u"walk", -1, 0}}},
        {u"men", {{kMan, u"man", 4, 0}}},
        {u"the", {{kThe, u"the", -1, 0}}},
        {u"книги", {{kKniga, u"книга", 13, 0}}},
        {u"книга", {{kKniga, u"книга", -1, 0}}},
        {u"evi", {{kEv, u"ev", 18, 0}, {kEv, u"ev", 19, 0}}},
        // Words without a stem: the form as read; both words of the group.
        {u"ler", {{kLarSuffix, u"ler", 20, 0}, {kLerSuffix, u"ler", 20, 0}}},
        {u"lar", {{kLarSuffix, u"lar", -1, 0}, {kLerSuffix, u"lar", -1, 0}}},
        // Spelling fixes, with their penalty in tenths.
        {u"colors", {{kColour, u"colour", 4, 0.5}}},
        {u"Tuer", {{kTuer, u"tür", -1, 0.3}}},
        {u"boox", {}},  // a fix with flags 0 never applies
        {u"walkx", {}},
        {u"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Analyse(c.word), c.expected) << Utf8Encode(c.word);
}

TEST_F(MorphologyTest, SpellingFixesApplyOnlyWhereTheirFlagsAndLanguagesAllow) {
    ScratchFolder folder;
    WriteMorphologyFixture(folder.path());
    // "or" only at the start; "ü" from "ue" only for English, so a German
    // word reached through it is not kept.
    WriteSpellFixes(folder.path(), {{u"or", u"our", {1u << 1, 5, kFixAtStart}},
                                    {u"ue", u"ü", {1u << 1, 3, kFixAtStart | kFixInside | kFixAtEnd}}});
    ASSERT_TRUE(LoadSpellFixes(folder.path()));
    EXPECT_TRUE(Analyse(u"colors").empty());
    EXPECT_TRUE(Analyse(u"tuer").empty());
    EXPECT_EQ(Analyse(u"tür"), (std::vector<Seen>{{kTuer, u"tür", -1, 0}}));

    // For every language, "ue" reads as "ü" (a fix of the list's second
    // first letter).
    WriteSpellFixes(folder.path(), {{u"or", u"our", {0xFFFF, 5, kFixAtStart}},
                                    {u"ue", u"ü", {0xFFFF, 3, kFixAtStart | kFixInside | kFixAtEnd}}});
    ASSERT_TRUE(LoadSpellFixes(folder.path()));
    EXPECT_EQ(Analyse(u"tuer"), (std::vector<Seen>{{kTuer, u"tür", -1, 0.3}}));
}

TEST(WordAnalysis, TheExpansionBudgetBoundsTheSearchAndKeepsTheExactForm) {
    ScratchFolder folder;
    const std::u16string word(30, u'a');
    WriteInflexionGroups(folder.path(), {});
    WriteInflexionDetails(folder.path(), {});
    WriteLexicon(folder.path(), {{1, word, 1, 0, 1}});
    // Every letter may stand for itself: 2^30 ways to read the word.
    WriteSpellFixes(folder.path(), {{u"a", u"a", {0xFFFF, 1, kFixAtStart | kFixInside | kFixAtEnd}}});
    ASSERT_TRUE(LoadInflexionTables(folder.path()));
    ASSERT_TRUE(LoadSpellFixes(folder.path()));
    ASSERT_TRUE(LoadLexicon(folder.path()));
    LoadWordForms(folder.path());

    const InflArray analyses = GetInflexionData(u"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
    ASSERT_EQ(analyses.size(), 500u);
    EXPECT_EQ(analyses.front().weight, 0.0);
    for (const InflexionData& a : analyses) ASSERT_EQ(a.form, word);
}

// A token that a dead end covers reads as it would without the dead ends:
// nothing. A beginning from which a fix still reads further characters, or
// that a search read to its end, is no dead end.
TEST_F(MorphologyTest, DeadEndsSpareOnlyAnalysesThatCouldFindNothing) {
    ScratchFolder folder;
    WriteSpellFixes(folder.path(), {{u"or", u"our", {0xFFFF, 5, kFixInside | kFixAtEnd}},
                                    {u"xy", u"ur", {0xFFFF, 2, kFixAtEnd}}});
    ASSERT_TRUE(LoadSpellFixes(folder.path()));
    auto ids = [](const WordEntryArr& readings) {
        std::vector<std::pair<int32_t, double>> seen;
        for (const WordEntry& w : readings.meanings) seen.emplace_back(w.id, w.readingWeight);
        return seen;
    };
    DeadEnds deadEnds;
    // In the order in which a text would bring them.
    const std::u16string tokens[] = {u"coloxab", u"coloxy",   u"coloxys",   u"colo",
                                     u"colors",  u"colorxyz", u"colorxyzw", u"Coloxabc"};
    for (const std::u16string& token : tokens)
        EXPECT_EQ(ids(GetWordMeanings(token, deadEnds)), ids(GetWordMeanings(token)))
            << Utf8Encode(token);
    EXPECT_EQ(ids(GetWordMeanings(u"coloxy", deadEnds)).size(), 1u);
    EXPECT_TRUE(deadEnds.Covers(u"coloxabc"));  // the last token was spared
    EXPECT_TRUE(deadEnds.Covers(u"colorxyzw"));
    EXPECT_FALSE(deadEnds.Covers(u"colorxy"));
    EXPECT_FALSE(deadEnds.Covers(u"colos"));
}

TEST_F(MorphologyTest, GetWordMeaningsAddsImpliedAndCapitalValues) {
    struct Case {
        std::u16string token;
        int32_t wordId;
        std::u16string form;
        WordArray values;
    };
    const Case cases[] = {
        {u"walks", kWalk, u"walk", {3, 11, 15, 40}},
        {u"Walks", kWalk, u"walk", {3, 11, 15, 40, 769}},
        {u"WALKS", kWalk, u"walk", {3, 11, 15, 40, 770}},
        {u"book", kBook, u"book", {1, 11}},        // implied singular
        {u"books", kBook, u"book", {1, 12}},       // the form's plural replaces it
        {u"нов", kNov, u"нов", {2, 8}},            // implied masculine
        {u"нова", kNov, u"нов", {2, 9, 11}},
        {u"нови", kNov, u"нов", {2, 12}},          // a plural adjective loses the gender
        {u"Häuser", -2, u"", {}},                  // no such form (no umlaut group)
    };
    for (const Case& c : cases) {
        const WordEntryArr entry = GetWordMeanings(c.token);
        EXPECT_EQ(entry.word, c.token);
        EXPECT_EQ(entry.weight, 0.0);
        if (c.wordId == -2) {
            EXPECT_TRUE(entry.meanings.empty()) << Utf8Encode(c.token);
            continue;
        }
        ASSERT_EQ(entry.meanings.size(), 1u) << Utf8Encode(c.token);
        const WordEntry& reading = entry.meanings[0];
        EXPECT_EQ(reading.id, c.wordId);
        EXPECT_EQ(reading.baseForm, c.form);
        EXPECT_EQ(reading.attributes, c.values) << Utf8Encode(c.token);
    }
    const WordEntryArr colours = GetWordMeanings(u"colors");
    ASSERT_EQ(colours.meanings.size(), 1u);
    EXPECT_DOUBLE_EQ(colours.meanings[0].readingWeight, 0.5);
}

TEST_F(MorphologyTest, GetWordMeaningsOfEmptyAndNumberTokens) {
    const WordEntryArr empty = GetWordMeanings(u"");
    EXPECT_TRUE(empty.word.empty());
    EXPECT_TRUE(empty.meanings.empty());

    const WordEntryArr number = GetWordMeanings(u"2005");
    ASSERT_EQ(number.meanings.size(), 1u);
    const WordEntry& reading = number.meanings[0];
    EXPECT_EQ(reading.id, -1);
    EXPECT_EQ(reading.baseForm, u"2005");
    EXPECT_EQ(reading.partOfSpeech, 303);
    EXPECT_EQ(reading.language, 0);
    EXPECT_TRUE(Contains(reading.attributes, 303));
    EXPECT_TRUE(GetWordMeanings(u"20a5").meanings.empty());
}

TEST_F(MorphologyTest, AffixPositionsNeedKnownPartsOfOneLanguage) {
    EXPECT_EQ(GetPrefixPositions(u"Haustür", false), (PositionList{1, 5}));
    EXPECT_EQ(GetSuffixPositions(u"Haustür", false), (PositionList{8, 5}));
    EXPECT_EQ(GetSuffixPositions(u"evler", false), (PositionList{6, 3}));
    // Unknown parts count only when any cut is allowed and both keep two letters.
    EXPECT_EQ(GetPrefixPositions(u"unxyz", false), (PositionList{1}));
    EXPECT_EQ(GetPrefixPositions(u"unxyz", true), (PositionList{1, 3}));
    EXPECT_EQ(GetPrefixPositions(u"unx", true), (PositionList{1}));
    EXPECT_EQ(GetPrefixPositions(u"", true), (PositionList{1}));
    EXPECT_EQ(GetSuffixPositions(u"", true), (PositionList{1}));
}

TEST_F(MorphologyTest, CompoundsSplitWhollyIntoWordsOfOneLanguage) {
    const std::pair<std::u16string, PositionList> cases[] = {
        {u"walkbook", {1, 5, 9}},
        {u"Newbooks", {1, 4, 9}},          // the last part in any form
        {u"Haustürhaus", {1, 5, 8, 12}},
        {u"Türenhaus", {1, 6, 10}},        // a German linking element
        {u"Hauseshaus", {1, 7, 11}},
        {u"walkedbook", {}},               // a first part only as base form
        {u"walknov", {}},                  // parts of two languages
        {u"Haustür", {}},                  // a last part under four letters
        {u"walkxbook", {}},
        {u"walk", {}},
        {std::u16string(41, u'a'), {}},
    };
    for (const auto& [word, expected] : cases) EXPECT_EQ(GetCompoundPositions(word), expected) << Utf8Encode(word);

    const std::pair<std::u16string, std::u16string> words[] = {
        {u"Türen", u"Tür"}, {u"Hauses", u"Haus"}, {u"Haus", u"Haus"}, {u"walked", u"walked"}, {u"xyzs", u"xyzs"}};
    for (const auto& [part, word] : words) EXPECT_EQ(CompoundPartWord(part), word) << Utf8Encode(part);

    // Only an unknown word is cut as a compound; a known one at its affixes.
    EXPECT_EQ(GetCutPositions(u"Haustürhaus", true), (PositionList{1, 5, 8, 12}));
    EXPECT_EQ(GetCutPositions(u"Haustürhaus", false), (PositionList{1, 12}));
    EXPECT_EQ(GetCutPositions(u"Haustür", false), (PositionList{1, 5, 8}));
}

TEST(WordAnalysis, SortPositionsSortsAndDropsRepeats) {
    const std::pair<PositionList, PositionList> cases[] = {
        {{1, 4, 4, 7}, {1, 4, 7}}, {{1, 7, 7}, {1, 7}}, {{8, 5, 1, 5}, {1, 5, 8}}, {{}, {}}};
    for (auto [positions, expected] : cases) {
        SortPositions(positions);
        EXPECT_EQ(positions, expected);
    }
}

TEST_F(MorphologyTest, SplitWordTakesTheLongestKnownLeftPart) {
    std::u16string word = u"Haustür";
    const WordEntryArr left = SplitWord(word);
    EXPECT_EQ(word, u"tür");
    EXPECT_EQ(left.word, u"Haus");
    ASSERT_EQ(left.meanings.size(), 1u);
    EXPECT_EQ(left.meanings[0].id, kHaus);
    EXPECT_TRUE(HasLanguage(left, 4));
    EXPECT_FALSE(HasLanguage(left, 1));

    for (std::u16string unsplit : {u"ev", u"walkhaus", u"xyzabc"}) {
        const std::u16string before = unsplit;
        EXPECT_TRUE(SplitWord(unsplit).meanings.empty()) << Utf8Encode(before);
        EXPECT_EQ(unsplit, before);
    }
}

TEST(WordAnalysis, SameLanguageNeedsALanguageOnBothSides) {
    auto of = [](std::initializer_list<int32_t> languages) {
        InflArray list;
        for (int32_t l : languages) list.push_back(InflexionData{u"x", 1, 0, 0, l, 1, 0});
        return list;
    };
    EXPECT_TRUE(SameLanguage(of({1, 4}), of({4})));
    EXPECT_FALSE(SameLanguage(of({1, 1}), of({2})));
    EXPECT_FALSE(SameLanguage(of({}), of({1})));
    EXPECT_FALSE(SameLanguage(of({25, -1}), of({25, -1})));  // outside the 21 counters
}

TEST(WordAnalysis, SpellFixListsOutOfStepGiveNoFixes) {
    ScratchFolder folder;
    WriteSpellFixes(folder.path(), {{u"ab", u"b", {2, 1, 7}}, {u"cd", u"d", {2, 1, 7}}});
    ASSERT_TRUE(LoadSpellFixes(folder.path()));
    EXPECT_EQ(Inflexions().spellFixes.strings.Count(), 2u);

    WriteCountedContainer(ResolveDataPath(folder.path(), std::string(kSpellFixBase) + ".RPL"),
                          EncodeTextList({u"b"}));
    EXPECT_FALSE(LoadSpellFixes(folder.path()));
    EXPECT_EQ(Inflexions().spellFixes.strings.Count(), 0u);

    // An empty string to replace is dropped with its replacement and record.
    WriteCountedContainer(ResolveDataPath(folder.path(), std::string(kSpellFixBase) + ".STR"),
                          EncodeTextList({u"", u"cd"}));
    WriteCountedContainer(ResolveDataPath(folder.path(), std::string(kSpellFixBase) + ".RPL"),
                          EncodeTextList({u"x", u"d"}));
    ASSERT_TRUE(LoadSpellFixes(folder.path()));
    const SpellFixes& fixes = Inflexions().spellFixes;
    ASSERT_EQ(fixes.strings.Count(), 1u);
    EXPECT_EQ(fixes.strings[0].text, u"cd");
    EXPECT_EQ(fixes.replacements[static_cast<std::size_t>(fixes.strings[0].object)], u"d");
    const std::vector<SpellFixSource> emptyFrom = {{u"", u"x", {}}};
    EXPECT_THROW(EncodeSpellFixes(emptyFrom), WriterError);
}

}  // namespace
}  // namespace pv
