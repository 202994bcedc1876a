// LowerWord, text lists with their writer, MyStrList, IntegerIndex and the
// delimited lists.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/TextListWriter.h"
#include "morphology/DelimitedList.h"
#include "morphology/IntegerIndex.h"
#include "morphology/LowerWord.h"
#include "morphology/MyStrList.h"
#include "morphology/TextList.h"

namespace pv {
namespace {

using Lines = std::vector<std::u16string>;

TEST(LowerWordTest, TableMapsWithFirstOccurrenceRule) {
    struct Case {
        std::u16string in, out;
    };
    const Case cases[] = {
        {u"I", u"i"},           {u"İ", u"i"},                {u"Ё", u"Ё"},
        {u"ЫЭ", u"ЫЭ"},         {u"ÄÖÜĞŞÇ", u"äöüğşç"},     {u"ÀÉÎÕÙŒÑЍ", u"àéîõùœñѝ"},
        {u"HelloWORLD", u"helloworld"}, {u"ЖЪЛТИЯТ Ь", u"жълтият ь"},
        {u"ß1-Ÿ", u"ß1-Ÿ"},     {u"", u""},                  {u"\xD83D\xDE00Z", u"\xD83D\xDE00z"},
    };
    for (const Case& c : cases) EXPECT_EQ(LowerWord(c.in), c.out);
}

TEST(TextListTest, EveryEncodingReadsBackAsWritten) {
    const Lines lines = {u"първи", u"", u"Ğx \xD83D\xDE00", u"last"};
    for (auto encoding : {TextListEncoding::Utf16LE, TextListEncoding::Utf16BE, TextListEncoding::Utf8})
        EXPECT_EQ(DecodeTextList(EncodeTextList(lines, encoding)), lines) << static_cast<int>(encoding);
    const Lines cyrillic = {u"дума", u"abc", u""};
    EXPECT_EQ(DecodeTextList(EncodeTextList(cyrillic, TextListEncoding::Windows1251)), cyrillic);
    EXPECT_EQ(EncodeTextList({u"a"}), std::string("\xFF\xFE" "a\0\r\0\n\0", 8));
    EXPECT_TRUE(DecodeTextList(EncodeTextList({})).empty());
}

TEST(TextListTest, LineBreaksMarksAndDamage) {
    struct Case {
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}},
        {"a\n\nb\r\n", {u"a", u"", u"b"}},
        {"\r\n", {u""}},
        {"", {}},
        {"\xE4\xF3\xEC\xE0", {u"дума"}},                         // no mark: Windows-1251
        {"\xEF\xBB\xBF\xD0\xB4\n\xC3\xA9", {u"д", u"é"}},
        {"\xEF\xBB\xBF" "ok\n\xC3", {}},                          // malformed UTF-8
        {std::string("\xFE\xFF\x04\x34\x00\x0A\x00", 7), {u"д"}}, // odd byte dropped
        {std::string("\xFF\xFE\x0D\x00\x0D\x00\x0A\x00x\x00", 10), {u"", u"", u"x"}},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeTextList(c.bytes), c.lines);
}

TEST(TextListTest, ListsLoadFromTheirContainer) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("pv_textlist_" + std::to_string(::getpid()) + ".STR")).string();
    const Lines lines = {u"пре", u"un"};
    WriteCountedContainer(path, EncodeTextList(lines));
    EXPECT_EQ(LoadTextList(path), lines);
    const std::string text = EncodeTextList(lines);
    std::string image = ContainerImage({CountedContent(static_cast<int32_t>(text.size()), text)});
    WriteFileAtomically(path, image.substr(0, image.size() - 3));
    EXPECT_TRUE(LoadTextList(path).empty());
    std::filesystem::remove(path);
    EXPECT_TRUE(LoadTextList(path).empty());
}

TEST(TextListTest, WriterRefusesWhatCannotBeReadBack) {
    EXPECT_THROW(EncodeTextList({u"a\nb"}), WriterError);
    EXPECT_THROW(EncodeTextList({u"x\r"}), WriterError);
    EXPECT_THROW(EncodeTextList({u"Ğ"}, TextListEncoding::Windows1251), WriterError);
    EXPECT_THROW(EncodeTextList({u"яю"}, TextListEncoding::Windows1251), WriterError);
    EXPECT_THROW(EncodeTextList({u"\xD800"}, TextListEncoding::Utf8), WriterError);
}

TEST(MyStrListTest, OrdinalSortAndFindOfTheFirstEqual) {
    MyStrList list;
    const Lines words = {u"b", u"а", u"ab", u"B", u"a", u"", u"ab", u"\xFFFF", u"\xD83D\xDE00"};
    for (std::size_t i = 0; i < words.size(); ++i) list.Add(words[i], static_cast<int32_t>(i));
    list.Sort();
    Lines sorted;
    for (const auto& item : list.Items()) sorted.push_back(item.text);
    EXPECT_EQ(sorted, (Lines{u"", u"B", u"a", u"ab", u"ab", u"b", u"а", u"\xD83D\xDE00", u"\xFFFF"}));
    EXPECT_EQ(list[3].object, 2);  // equal strings keep their order
    EXPECT_EQ(list[4].object, 6);

    struct Case {
        std::u16string text;
        bool found;
        std::size_t index;
    };
    const Case cases[] = {
        {u"ab", true, 3}, {u"", true, 0}, {u"aa", false, 3}, {u"A", false, 1},
        {u"\xFFFF", true, 8}, {u"\xFFFF\x0001", false, 9},
    };
    for (const Case& c : cases) {
        auto result = list.Find(c.text);
        EXPECT_EQ(result.found, c.found);
        EXPECT_EQ(result.index, c.index);
    }
    EXPECT_FALSE(MyStrList().Find(u"x").found);
    EXPECT_LT(MyStrList::CompareStrings(u"ab", u"abc"), 0);
    EXPECT_GT(MyStrList::CompareStrings(u"b", u"abc"), 0);
}

TEST(IntegerIndexTest, SortedFindGivesTheFirstPairOfAKey) {
    IntegerIndex index;
    for (auto [key, value] : {std::pair{7, 0}, {3, 1}, {7, 2}, {-2, 3}, {7, 4}, {10, 5}}) index.Add(key, value);
    index.Sort();
    ASSERT_EQ(index.Count(), 6u);
    EXPECT_EQ(index[0].key, -2);
    auto seven = index.Find(7);
    ASSERT_TRUE(seven.found);
    EXPECT_EQ(seven.index, 2);
    EXPECT_EQ(index[seven.index + 2].key, 7);
    EXPECT_EQ(index.Find(-2).index, 0);
    EXPECT_EQ(index.Find(10).index, 5);
    auto missing = index.Find(8);
    EXPECT_FALSE(missing.found);
    EXPECT_GE(missing.index, 0);
    EXPECT_LT(missing.index, 6);
    EXPECT_FALSE(IntegerIndex().Find(1).found);
}

TEST(DelimitedListTest, FieldsQuotesBlanksAndEmptyItems) {
    using Fields = std::vector<std::string>;
    struct Case {
        std::string text;
        char delimiter;
        Fields fields;
    };
    const Case cases[] = {
        {"1;;3", ';', {"1", "", "3"}},
        {"a b|c", '|', {"a", "b", "c"}},
        {"\"a b\"|c", '|', {"a b", "c"}},
        {"\"say \"\"hi\"\"\"#x", '#', {"say \"hi\"", "x"}},
        {"  x ; y ;", ';', {"x", "y", ""}},
        {";", ';', {"", ""}},
        {"", ';', {}},
        {"   ", ';', {}},
        {"\"open", ';', {"open"}},
        {std::string("a;b\0;c", 6), ';', {"a", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitDelimited(c.text, c.delimiter), c.fields) << c.text;
    EXPECT_EQ(ParseIdList("1;;3; x;-4;+5;99999999999"), (WordArray{1, 0, 3, 0, -4, 5, 0}));
    EXPECT_EQ(ParseIdList(JoinIdList({214, -1, 0})), (WordArray{214, -1, 0}));
}

}  // namespace
}  // namespace pv
