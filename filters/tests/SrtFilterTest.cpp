#include <gtest/gtest.h>

#include "filters/tests/PluginFixture.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using Units = std::vector<std::u16string>;

struct SrtCase {
    const char* what;
    std::u16string document;
    Units units;
    std::u16string finished;
};

TEST(SrtFilter, CutsBlocksIntoUnitsAndWritesThemBack) {
    const std::u16string t1 = u"00:00:01,000 --> 00:00:04,000\r\n";
    const std::u16string t2 = u"00:00:05,000 --> 00:00:06,500\r\n";
    const SrtCase cases[] = {
        {"two blocks; the last one gains a blank line",
         u"1\r\n" + t1 + u"Hello there\r\n\r\n2\r\n" + t2 + u"Bye\r\n",
         {u"Hello there", u"Bye"},
         u"1\r\n" + t1 + u"<Hello there>\r\n\r\n2\r\n" + t2 + u"<Bye>\r\n\r\n"},
        {"two text lines are one unit",
         u"1\r\n" + t1 + u"How are you?\r\nFine.\r\n\r\n",
         {u"How are you?\r\nFine."},
         u"1\r\n" + t1 + u"<How are you?\r\nFine.>\r\n\r\n"},
        {"dialogue lines are units of their own; the timing line stays",
         u"1\r\n" + t1 + u"-Hi\r\n-Bye\r\n\r\n2\r\n" + t2 + u"Next\r\n\r\n",
         {u"-Hi", u"-Bye", u"Next"},
         u"1\r\n" + t1 + u"<-Hi>\r\n<-Bye>\r\n\r\n2\r\n" + t2 + u"<Next>\r\n\r\n"},
        {"a line of text before a dialogue line",
         u"1\r\n" + t1 + u"Look\r\n-Hi\r\n\r\n",
         {u"Look", u"-Hi"},
         u"1\r\n" + t1 + u"<Look>\r\n<-Hi>\r\n\r\n"},
        {"a first line that begins with a digit is taken for a header",
         u"3 dogs\r\nbark\r\n\r\n",
         {u"bark"},
         u"3 dogs\r\n<bark>\r\n\r\n"},
        {"no final line break", u"1\r\n" + t1 + u"Hi", {u"Hi"}, u"1\r\n" + t1 + u"<Hi>\r\n\r\n"},
        {"stray blank lines between and after blocks",
         u"\r\n1\r\n" + t1 + u"A\r\n\r\n\r\n\r\n2\r\n" + t2 + u"B\r\n\r\n\r\n3\r\n" + t1 +
             u"C\r\n\r\n\r\n",
         {u"A", u"B", u"C"},
         u"\r\n1\r\n" + t1 + u"<A>\r\n\r\n\r\n\r\n2\r\n" + t2 + u"<B>\r\n\r\n\r\n3\r\n" + t1 +
             u"<C>\r\n\r\n\r\n"},
        {"a blank line of spaces still ends a block",
         u"1\r\n" + t1 + u"A\r\n  \r\n2\r\n" + t2 + u"B\r\n\r\n",
         {u"A", u"B"},
         u"1\r\n" + t1 + u"<A>\r\n\r\n2\r\n" + t2 + u"<B>\r\n\r\n"},
        {"a block without text",
         u"1\r\n" + t1 + u"\r\n2\r\n" + t2 + u"B\r\n\r\n",
         {u"B"},
         u"1\r\n" + t1 + u"\r\n2\r\n" + t2 + u"<B>\r\n\r\n"},
        {"a byte-order mark before the first block",
         u"\uFEFF1\r\n" + t1 + u"Hi\r\n\r\n",
         {u"Hi"},
         u"\uFEFF1\r\n" + t1 + u"<Hi>\r\n\r\n"},
        {"one character", u"x", {}, u"x"},
        {"empty", u"", {}, u""},
    };
    std::unique_ptr<FilterLibrary> srt = LoadPlugin("srtfilter");
    ASSERT_TRUE(srt);
    for (const SrtCase& c : cases) {
        CutResult result = Cut(*srt, c.document);
        EXPECT_EQ(result.units, c.units) << c.what;
        EXPECT_EQ(Utf8Encode(result.document), Utf8Encode(c.finished)) << c.what;
    }
}

TEST(SrtFilter, WriteBackReplacesOnlyTheText) {
    std::unique_ptr<FilterLibrary> srt = LoadPlugin("srtfilter");
    ASSERT_TRUE(srt);
    Start(*srt, u"1\r\n00:00:01,000 --> 00:00:04,000\r\nHello there\r\n\r\n2\r\n");
    EXPECT_EQ(NextUnit(*srt), u"Hello there");
    SetUnit(*srt, u"Здравей");
    EXPECT_EQ(Done(*srt), u"1\r\n00:00:01,000 --> 00:00:04,000\r\nЗдравей\r\n\r\n2\r\n");
}

}  // namespace
}  // namespace pv
