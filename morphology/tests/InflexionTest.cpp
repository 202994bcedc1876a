#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/InflexionWriters.h"
#include "datagen/LexiconWriter.h"
#include "datagen/WordTreeWriter.h"
#include "engine/EngineError.h"
#include "lexdb/Collocation.h"
#include "lexdb/DataPath.h"
#include "morphology/tests/MorphologyTestData.h"
#include "morphology/WordInflexions.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using namespace fixture;
using test::MorphologyTest;
using test::ScratchFolder;

TEST_F(MorphologyTest, LexiconItemsAreInAlphabeticalOrderWithEmptyStemsFirst) {
    const WordsController& words = Inflexions().words;
    ASSERT_EQ(words.Count(), 14);
    EXPECT_EQ(words.Item(0), u"");
    EXPECT_EQ(words.Item(1), u"");
    for (int32_t k = 1; k < words.Count(); ++k) EXPECT_LT(words.Item(k - 1).compare(words.Item(k)), 1);
    const MyStrList::FindResult walk = words.Find(u"walk");
    ASSERT_TRUE(walk.found);
    EXPECT_EQ(words.Record(words.RecordAt(static_cast<int32_t>(walk.index))).id, kWalk);
    const MyStrList::FindResult missing = words.Find(u"walka");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(words.Item(static_cast<int32_t>(missing.index) - 1), u"walk");

    try {
        words.Item(14);
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "index out of range in Wordscontroller.Item[14]");
    }
}

TEST_F(MorphologyTest, StemsNarrowOneCharacterAtATimeToThoseBeginningTheText) {
    const WordsController& words = Inflexions().words;
    int found = 0;
    for (std::u16string_view text : {u"walkers", u"книгата", u"theme", u"qwalk"}) {
        WordsController::Range range{0, words.Count()};
        for (std::size_t q = 1; q <= text.size(); ++q) {
            const std::u16string_view prefix = text.substr(0, q);
            range = words.NarrowToPrefix(prefix, range);
            std::vector<int32_t> expected;
            for (int32_t k = 0; k < words.Count(); ++k)
                if (words.Item(k).starts_with(prefix)) expected.push_back(k);
            std::vector<int32_t> narrowed;
            for (int32_t k = range.low; k < range.high; ++k) narrowed.push_back(k);
            EXPECT_EQ(narrowed, expected) << Utf8Encode(prefix);
            found += static_cast<int>(narrowed.size());
        }
    }
    EXPECT_GT(found, 0);
}

TEST_F(MorphologyTest, IndexOfIdAndGetWordEntry) {
    const WordsController& words = Inflexions().words;
    EXPECT_EQ(words.IndexOfId(kWalk), 0);
    EXPECT_EQ(words.IndexOfId(kLerSuffix), 13);
    EXPECT_EQ(words.IndexOfId(99999), -1);
    EXPECT_EQ(words.IndexOfId(150), -1);

    EXPECT_EQ(GetWordEntry(kKniga), (InflexionData{u"книга", 1, 0, 31, 2, kKniga, 0.0}));
    EXPECT_EQ(GetWordEntry(kThe), (InflexionData{u"the", 5, 0, 0, 1, kThe, 0.0}));
    EXPECT_EQ(GetWordEntry(7), (InflexionData{u"--", 531, 0, 0, 0, 0, 0.0}));
}

TEST_F(MorphologyTest, GroupsKeepRepeatedEndingsSortedByText) {
    const InflexionGroup* group = Inflexions().FindGroup(10);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->endings, (InflexionEntryArray{{2, u"ed"}, {5, u"ed"}, {3, u"ing"}, {1, u"s"}}));
    EXPECT_EQ(Inflexions().FindGroup(31)->baseEnding, u"а");
    EXPECT_EQ(Inflexions().FindGroup(99), nullptr);
}

// Small ids are looked up in a table, sparse or negative ones by search;
// either way a repeated id finds its first group.
TEST(InflexionTables, FindGroupFindsEveryIdHoweverTheIdsAreSpread) {
    const std::vector<std::vector<int32_t>> idSets = {{3, 9, 3}, {3, 50'000'000, 3}, {-2, 3, 3}};
    for (const std::vector<int32_t>& ids : idSets) {
        InflexionTables tables;
        std::vector<InflexionGroup> groups;
        for (std::size_t i = 0; i < ids.size(); ++i)
            groups.push_back({ids[i], std::u16string(1, u'a' + i), {}});
        tables.SetGroups(groups);
        for (int32_t id : ids) {
            const InflexionGroup* found = tables.FindGroup(id);
            ASSERT_NE(found, nullptr) << id;
            const auto first = std::find(ids.begin(), ids.end(), id) - ids.begin();
            EXPECT_EQ(found->baseEnding, std::u16string(1, u'a' + first)) << id;
        }
        EXPECT_EQ(tables.FindGroup(4), nullptr);
        EXPECT_EQ(tables.FindGroup(-1), nullptr);
    }
}

TEST_F(MorphologyTest, InflectReplacesTheBaseEnding) {
    struct Case {
        std::u16string lemma;
        int32_t group, key;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"man", 12, 4, u"men"},
        {u"n", 12, 4, u"en"},  // shorter than the base ending: nothing of it is kept
        {u"книга", 31, 14, u"книгата"},
        {u"walk", 10, 3, u"walking"},
        {u"walk", 10, 4, u"walk"},   // the group has no such key
        {u"walk", 77, 1, u"walk"},   // unknown group
        {u"walk", 10, -1, u"walk"},  // the base form
    };
    for (const Case& c : cases) EXPECT_EQ(Inflect(c.lemma, c.group, c.key), c.expected) << c.group << "/" << c.key;
}

TEST_F(MorphologyTest, FindInflexionDetailTakesTheFirstBestRecord) {
    struct Case {
        int32_t language;
        WordArray values;
        int32_t expected;
    };
    const Case cases[] = {
        {1, {}, -1},
        {1, {3, 11, 15, 40}, 1},
        {1, {41, 42}, 2},         // equal scores: the earlier record
        {4, {12, 140, 142}, 7},   // two records of score 2
        {4, {12}, 9},
        {1, {99}, -1},
        {9, {12}, -1},            // no record of that language
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindInflexionDetail(c.language, c.values), c.expected) << c.language;
}

// "Häuser" asks for plural and nominative; "Tür" has only its plural
// ending, which the language-wide best record would miss.
TEST_F(MorphologyTest, InflectForFallsBackToTheBestEndingOfTheWordsOwnGroup) {
    const InflexionData tuer = GetWordEntry(kTuer);
    ASSERT_EQ(FindInflexionDetail(4, {12, 140}), 7);
    EXPECT_EQ(Inflexions().InflectFor(tuer, {12, 140}), Inflect(tuer.form, tuer.group, 9));
    EXPECT_NE(Inflexions().InflectFor(tuer, {12, 140}), tuer.form);
    EXPECT_EQ(Inflexions().InflectFor(tuer, {99}), tuer.form);
    const InflexionData haus = GetWordEntry(kHaus);
    EXPECT_EQ(Inflexions().InflectFor(haus, {12, 140}), Inflect(haus.form, haus.group, 7));
}

TEST_F(MorphologyTest, ZeroStemFormsAreListedOncePerGroup) {
    const MyStrList& forms = Inflexions().ZeroForms();
    ASSERT_EQ(forms.Count(), 2u);
    EXPECT_EQ(forms[0].text, u"lar");
    EXPECT_EQ(Inflexions().ZeroForm(static_cast<std::size_t>(forms[0].object)).key, -1);
    EXPECT_EQ(forms[1].text, u"ler");
    EXPECT_EQ(Inflexions().ZeroForm(static_cast<std::size_t>(forms[1].object)).key, 20);
    EXPECT_EQ(Inflexions().ZeroWords().Count(), 2u);
}

TEST_F(MorphologyTest, BuiltTrieSharesOneEndingPagePerGroup) {
    const WordTree& tree = Inflexions().wordTree;
    const auto walk = tree.FindNode(u"walk"), talk = tree.FindNode(u"talk");
    ASSERT_TRUE(walk && talk);
    EXPECT_EQ(tree.Node(*walk).next, tree.Node(*talk).next);
    for (const char16_t* known : {u"", u"talked", u"talki", u"ta", u"ler", u"la", u"the", u"книгата", u"evi"})
        EXPECT_TRUE(PrefixLookup(known)) << Utf8Encode(known);
    for (const char16_t* unknown : {u"talkx", u"thee", u"x", u"walkeds"})
        EXPECT_FALSE(PrefixLookup(unknown)) << Utf8Encode(unknown);
}

// Every text that leads to a node of the tree, up to limit characters, and
// the pages on the way.
void CollectPaths(const WordTree& tree, WordNode node, std::u16string& text, std::size_t limit,
                  std::set<std::u16string>& out, std::set<int32_t>& pages) {
    out.insert(text);
    const int32_t next = tree.Node(node).next;
    if (next < 0 || text.size() == limit) return;
    pages.insert(next);
    for (int32_t i = 0; i < static_cast<int32_t>(tree.page(next).size()); ++i) {
        text.push_back(tree.page(next)[static_cast<std::size_t>(i)].ch);
        CollectPaths(tree, WordNode{next, i}, text, limit, out, pages);
        text.pop_back();
    }
}

TEST_F(MorphologyTest, BuiltTrieHoldsExactlyThePrefixesWhenStemsRunIntoEachOthersEndings) {
    // Stems of group 1 that are another stem of the group plus an ending
    // (xa, xe), one that runs on past such a stem (xebq), one of another
    // group below a stem of group 1 (xs), and one past that (xsq) which
    // leaves the page made for xs to no one; w and y share the page of
    // endings.
    const std::vector<InflexionGroup> groups = {
        {1, u"", {{0, u"a"}, {0, u"ab"}, {0, u"c"}, {0, u"cd"}, {0, u"e"}}},
        {2, u"", {{0, u"s"}}},
    };
    const std::vector<LexiconWord> lexicon = {
        {1, u"w", 1, 1, 1}, {2, u"x", 1, 1, 1}, {3, u"xa", 1, 1, 1},   {4, u"xe", 1, 1, 1},
        {5, u"xebq", 1, 0, 1}, {6, u"xs", 1, 2, 1}, {7, u"xsq", 1, 0, 1}, {8, u"y", 1, 1, 1},
        {9, u"y", 1, 1, 1},
    };
    ScratchFolder folder;
    WriteInflexionGroups(folder.path(), groups);
    WriteInflexionDetails(folder.path(), {});
    WriteLexicon(folder.path(), lexicon);
    ASSERT_TRUE(LoadInflexionTables(folder.path()));
    ASSERT_TRUE(LoadLexicon(folder.path()));
    EXPECT_FALSE(LoadWordForms(folder.path()));  // built, no file

    std::set<std::u16string> prefixes;
    std::size_t longest = 0;
    for (const LexiconWord& word : lexicon) {
        std::vector<std::u16string> forms{word.stem};
        if (word.group != 0)
            for (const InflexionEntry& e : groups[word.group - 1u].endings) forms.push_back(word.stem + e.ending);
        for (const std::u16string& form : forms) {
            for (std::size_t n = 0; n <= form.size(); ++n) prefixes.insert(form.substr(0, n));
            longest = std::max(longest, form.size());
        }
    }
    const WordTree& tree = Inflexions().wordTree;
    std::set<std::u16string> paths;
    std::set<int32_t> pages;
    std::u16string text;
    CollectPaths(tree, WordTree::kRoot, text, longest + 1, paths, pages);  // a loop would exceed the longest form
    EXPECT_EQ(paths, prefixes);
    EXPECT_EQ(pages.size(), static_cast<std::size_t>(tree.count()));  // no page left that nothing reaches
    EXPECT_EQ(tree.Node(*tree.FindNode(u"y")).next, tree.Node(*tree.FindNode(u"w")).next);
}

TEST_F(MorphologyTest, WordFormsComeFromTheStoredTrieOrAreRebuilt) {
    ScratchFolder folder;
    WriteMorphologyFixture(folder.path());
    WordTree stored;
    stored.AddWord(u"zzz");
    WriteWordTreeFile(ResolveDataPath(folder.path(), kWordFormsFile), stored);
    EXPECT_TRUE(LoadWordForms(folder.path()));
    EXPECT_TRUE(PrefixLookup(u"zz"));
    EXPECT_FALSE(PrefixLookup(u"walk"));

    WriteContainer(ResolveDataPath(folder.path(), kWordFormsFile), std::string("\x05\0\0\0", 4));
    EXPECT_FALSE(LoadWordForms(folder.path()));
    EXPECT_TRUE(PrefixLookup(u"walks"));
    EXPECT_FALSE(PrefixLookup(u"zz"));
}

TEST_F(MorphologyTest, ComposeCollocationTextInflectsEachWordInItsContext) {
    Collocation entry;
    entry.text = u"нова книга";
    EXPECT_EQ(ComposeCollocationText(entry, AttributeSet{}), u"нова книга");

    entry.wordIds = {kNov, kKniga};
    entry.requiredAttributes = {{769}, {}};
    entry.inheritedGroups = {{3}, {3}};
    AttributeSet plural;
    GrammarTables().SetAttribute(plural, 12);
    EXPECT_EQ(ComposeCollocationText(entry, plural), u"Нови книги");

    entry.requiredAttributes = {{}, {770}};
    EXPECT_EQ(ComposeCollocationText(entry, AttributeSet{}), u"нов КНИГА");
}

TEST(InflexionWriters, RefuseWhatTheReadersCannotHold) {
    EXPECT_NO_THROW(EncodeHexText(std::u16string(20, u'я')));  // 40 UTF-8 bytes
    EXPECT_THROW(EncodeHexText(std::u16string(20, u'я') + u"a"), WriterError);
    EXPECT_THROW(EncodeHexText(std::u16string(1, char16_t(0xD800))), WriterError);
    const std::vector<LexiconWord> repeatedId = {{1, u"a", 1, 0, 1}, {1, u"b", 1, 0, 1}};
    EXPECT_THROW(EncodeLexicon(repeatedId), WriterError);
    const std::vector<LexiconWord> zeroInStem = {{1, std::u16string(u"a\0b", 3), 1, 0, 1}};
    EXPECT_THROW(EncodeLexicon(zeroInStem), WriterError);
}

TEST(InflexionLoaders, DamagedFilesLeaveTheirTableEmpty) {
    ScratchFolder folder;
    const std::string& base = folder.path();
    WriteMorphologyFixture(base);
    const std::string dat = ResolveDataPath(base, std::string(kWordsBase) + ".DAT");
    LexiconFiles files = EncodeLexicon({{1, u"a", 1, 0, 1}, {2, u"b", 1, 0, 1}});

    // An alphabetical index outside the records.
    std::string records = files.records;
    records[4 + kWordRecordSize + 13] = 9;
    WriteContainer(dat, records);
    EXPECT_FALSE(LoadLexicon(base));
    EXPECT_EQ(Inflexions().words.Count(), 0);

    // Fewer records than the count announces.
    WriteContainer(dat, files.records.substr(0, files.records.size() - 1));
    EXPECT_FALSE(LoadLexicon(base));
    WriteContainer(dat, files.records);
    EXPECT_TRUE(LoadLexicon(base));
    EXPECT_EQ(Inflexions().words.Count(), 2);

    // A group record whose text is no hexadecimal is dropped, the rest stay.
    std::string groups = EncodeInflexionGroups({{1, u"a", {}}, {2, u"b", {}}});
    groups[5] = 'G';
    WriteCountedContainer(ResolveDataPath(base, kInflexionGroupsFile), groups);
    EXPECT_TRUE(LoadInflexionTables(base));
    EXPECT_EQ(Inflexions().FindGroup(1), nullptr);
    ASSERT_NE(Inflexions().FindGroup(2), nullptr);

    // The endings file is read a chunk at a time: a file of many chunks gives
    // every ending, and one cut short by a byte gives none.
    InflexionGroup many{3, u"", {}};
    for (int32_t k = 0; k < 2000; ++k)
        many.endings.push_back({k % 7, Utf8Decode("e" + std::to_string(k))});
    const std::string endings = EncodeInflexionEndings({many});
    WriteCountedContainer(ResolveDataPath(base, kInflexionGroupsFile),
                          EncodeInflexionGroups({many}));
    WriteCountedContainer(ResolveDataPath(base, kInflexionEndingsFile), endings);
    EXPECT_TRUE(LoadInflexionTables(base));
    ASSERT_NE(Inflexions().FindGroup(3), nullptr);
    EXPECT_EQ(Inflexions().FindGroup(3)->endings.size(), 2000u);
    WriteContainer(ResolveDataPath(base, kInflexionEndingsFile),
                   CountedContent(static_cast<int32_t>(endings.size()),
                                  endings.substr(0, endings.size() - 1)));
    EXPECT_FALSE(LoadInflexionTables(base));
    ASSERT_NE(Inflexions().FindGroup(3), nullptr);
    EXPECT_TRUE(Inflexions().FindGroup(3)->endings.empty());

    std::filesystem::remove(ResolveDataPath(base, kInflexionGroupsFile));
    EXPECT_FALSE(LoadInflexionTables(base));
    EXPECT_TRUE(Inflexions().Groups().empty());

    std::filesystem::remove(ResolveDataPath(base, kInflexionDetailsFile));
    EXPECT_THROW(LoadInflexionTables(base), EngineError);
}

}  // namespace
}  // namespace pv
