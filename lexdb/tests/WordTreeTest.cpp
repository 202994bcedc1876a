#include "lexdb/WordTree.h"

#include <gtest/gtest.h>

#include <set>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/WordTreeWriter.h"
#include "engine/EngineError.h"
#include "lexdb/Scramble.h"
#include "lexdb/tests/TempDir.h"

namespace pv {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

void ExpectSorted(const WordTree& tree) {
    for (int32_t p = 0; p < tree.count(); ++p)
        for (std::size_t i = 1; i < tree.page(p).size(); ++i) EXPECT_LT(tree.page(p)[i - 1].ch, tree.page(p)[i].ch);
}

// walk and talk share one page of endings.
WordTree StemsWithSharedEndings() {
    WordTree tree;
    const WordNode walk = *tree.AddWord(u"walk");
    const WordNode talk = *tree.AddWord(u"talk");
    const int32_t endings = tree.NewPage();
    tree.SetNext(walk, endings);
    tree.AddToPage(u"ed", walk);
    tree.AddToPage(u"ing", walk);
    tree.SetNext(talk, endings);
    return tree;
}

TEST(WordTree, AnswersPrefixesOfTheStoredForms) {
    WordTree tree;
    for (const char16_t* word : {u"cat", u"car", u"dog"}) tree.AddWord(word);
    struct Case {
        const char16_t* text;
        bool prefix;
    };
    for (Case c : {Case{u"", true}, Case{u"c", true}, Case{u"ca", true}, Case{u"car", true}, Case{u"cat", true},
                   Case{u"cab", false}, Case{u"cats", false}, Case{u"x", false}, Case{u"do", true}})
        EXPECT_EQ(tree.HasPrefix(c.text), c.prefix) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_EQ(tree.AddWord(u""), std::nullopt);
    EXPECT_EQ(tree.FindNode(u""), WordTree::kRoot);
}

TEST(WordTree, PagesStaySortedByUnsignedCharacter) {
    WordTree tree;
    for (char16_t c = u'z'; c >= u'a'; --c) tree.AddWord(std::u16string(1, c) + u"x");
    for (char16_t c : {char16_t{0xFFFF}, char16_t{0x8000}, char16_t{0x7FFF}}) tree.AddWord(std::u16string(1, c));
    ExpectSorted(tree);
    const Page& root = tree.page(0);
    ASSERT_EQ(root.size(), 29u);
    EXPECT_EQ(root.front().ch, u'a');
    EXPECT_EQ(root[26].ch, 0x7FFF);
    EXPECT_EQ(root.back().ch, 0xFFFF);
    EXPECT_TRUE(tree.HasPrefix(u"\x8000"));
}

TEST(WordTree, StemsSharingAPageOfEndings) {
    const WordTree tree = StemsWithSharedEndings();
    for (const char16_t* yes : {u"talked", u"talking", u"talki", u"walke", u"talk"}) EXPECT_TRUE(tree.HasPrefix(yes));
    for (const char16_t* no : {u"talks", u"talkingx", u"walx"}) EXPECT_FALSE(tree.HasPrefix(no));
    WordTree other;
    EXPECT_THROW(other.SetNext(WordTree::kRoot, 5), EngineError);
}

TEST(WordTree, FileRoundTripKeepsPagesAndSharing) {
    TempDir tmp;
    WordTree tree = StemsWithSharedEndings();
    std::set<std::u16string> words;
    // Enough words for some 10,000 pages: the file is read in steps of
    // thousands of page sizes and nodes, and a tree that fits one step
    // would not show a step lost or read twice.
    for (int i = 0; i < 4000; ++i) {
        std::u16string word;
        for (int v = i * 7919 + 1; v > 0; v /= 37) word.push_back(static_cast<char16_t>(u'a' + v % 37 * 1000));
        tree.AddWord(word);
        words.insert(word);
    }
    WriteWordTreeFile(tmp.path("WORDS.GLS"), tree);
    WordTree loaded;
    loaded.LoadFromFile(tmp.path("WORDS.GLS"));
    ASSERT_EQ(loaded.count(), tree.count());
    for (int32_t p = 0; p < tree.count(); ++p) {
        ASSERT_EQ(loaded.page(p).size(), tree.page(p).size());
        for (std::size_t i = 0; i < tree.page(p).size(); ++i) {
            EXPECT_EQ(loaded.page(p)[i].ch, tree.page(p)[i].ch);
            EXPECT_EQ(loaded.page(p)[i].next, tree.page(p)[i].next);
        }
    }
    for (const std::u16string& word : words) EXPECT_TRUE(loaded.HasPrefix(word));
    EXPECT_TRUE(loaded.HasPrefix(u"talking"));
    ExpectSorted(loaded);
}

TEST(WordTree, EmptyRootPageAnswersOnlyTheEmptyText) {
    TempDir tmp;
    ByteWriter w;
    w.I32(1);
    w.I32(0);
    WriteContainer(tmp.path("g"), w.bytes());
    WordTree tree;
    tree.LoadFromFile(tmp.path("g"));
    EXPECT_TRUE(tree.HasPrefix(u""));
    EXPECT_FALSE(tree.HasPrefix(u"a"));
}

TEST(WordTree, BadFilesRaiseAndLeaveTheTreeAsItWas) {
    TempDir tmp;
    auto trie = [](std::initializer_list<int32_t> head, std::initializer_list<std::pair<char16_t, int32_t>> nodes) {
        ByteWriter w;
        for (int32_t v : head) w.I32(v);
        for (auto [ch, next] : nodes) {
            w.U16(ch);
            w.I32(next);
        }
        return w.bytes();
    };
    std::string damaged = GzipMember(trie({1, 1}, {{u'a', -1}}));
    damaged[damaged.size() - 8] ^= 1;
    ScrambleBytes(damaged.data(), damaged.size(), 0);
    struct Case {
        const char* what;
        std::string content;
    };
    const Case cases[] = {
        {"no pages", trie({0}, {})},
        {"negative count", trie({1, -1}, {})},
        {"page count larger than the file", trie({1000000, 1}, {{u'a', -1}})},
        {"counts larger than the nodes", trie({1, 2}, {{u'a', -1}})},
        {"trailing bytes", trie({1, 1}, {{u'a', -1}}) + "x"},
        {"link out of range", trie({1, 1}, {{u'a', 1}})},
        {"unsorted page", trie({1, 2}, {{u'b', -1}, {u'a', -1}})},
        {"repeated character", trie({1, 2}, {{u'a', -1}, {u'a', -1}})},
        {"too short", "ab"},
    };
    WordTree tree;
    tree.AddWord(u"kept");
    for (const Case& c : cases) {
        WriteContainer(tmp.path("bad"), c.content);
        EXPECT_THROW(tree.LoadFromFile(tmp.path("bad")), EngineError) << c.what;
        EXPECT_TRUE(tree.HasPrefix(u"kept")) << c.what;
    }
    WriteFileBytes(tmp.path("damaged"), damaged);
    EXPECT_THROW(tree.LoadFromFile(tmp.path("damaged")), EngineError);
    EXPECT_THROW(tree.LoadFromFile(tmp.path("absent")), EngineError);
    EXPECT_TRUE(tree.HasPrefix(u"kept"));
}

}  // namespace
}  // namespace pv
