#include <gtest/gtest.h>

#include "textutil/TextConvert.h"

namespace pv {
namespace {

TEST(WideString, PosCopyDelete) {
    EXPECT_EQ(WidePos(u"lo", u"hello"), 4u);
    EXPECT_EQ(WidePos(u"", u"hello"), 1u);
    EXPECT_EQ(WidePos(u"x", u"hello"), 0u);

    EXPECT_EQ(WideCopy(u"hello", 2, 3), u"ell");
    EXPECT_EQ(WideCopy(u"hello", 4, 10), u"lo");
    EXPECT_EQ(WideCopy(u"hello", 2, 0), u"");
    EXPECT_EQ(WideCopy(u"hello", 9, 2), u"");

    struct Case {
        long start, count;
        std::u16string out;
    };
    for (const Case& c : {Case{2, 2, u"hlo"}, Case{4, 9, u"hel"}, Case{0, 3, u"llo"},
                          Case{-1, 2, u"hello"}, Case{6, 1, u"hello"}, Case{1, 0, u"hello"}}) {
        std::u16string text = u"hello";
        WideDelete(text, c.start, c.count);
        EXPECT_EQ(text, c.out) << c.start << "," << c.count;
    }
}

TEST(WideString, ReplaceTrimReverseCompare) {
    EXPECT_EQ(WideReplaceAll(u"aaaa", u"aa", u"b"), u"bb");
    EXPECT_EQ(WideReplaceAll(u",,,,,", u",,,,", u","), u",,");
    EXPECT_EQ(WideReplaceAll(u"abc", u"", u"x"), u"abc");

    EXPECT_EQ(WideTrim(u"   "), u" ");
    EXPECT_EQ(WideTrim(u"  a  "), u"a");
    EXPECT_EQ(WideTrim(u"\t\n"), u"\n");
    EXPECT_EQ(WideTrim(u""), u"");

    EXPECT_EQ(WideReverse(u"abc"), u"cba");

    EXPECT_EQ(WideCompareN(u"abc", u"abd", 2), 0);
    EXPECT_EQ(WideCompareN(u"abc", u"abd", 3), 2);
    EXPECT_EQ(WideCompareN(u"b", u"a", 1), 1);
    EXPECT_EQ(WideCompareN(u"ab", u"abc", 3), 2);
    EXPECT_EQ(WideCompareN(u"abc", u"ab", 5), 1);
    EXPECT_EQ(WideCompareN(u"ab", u"ab", 5), 0);
}

TEST(WideString, CaseMappingCoversTheEngineScripts) {
    EXPECT_EQ(WideUpperChar(u'a'), u'A');
    EXPECT_EQ(WideUpperChar(u'ж'), u'Ж');
    EXPECT_EQ(WideUpperChar(u'é'), u'É');
    EXPECT_EQ(WideUpperChar(u'ş'), u'Ş');
    EXPECT_EQ(WideUpperChar(u'ß'), u'ß');
    EXPECT_EQ(WideUpperChar(u'1'), u'1');
    EXPECT_EQ(WideLowerChar(u'Ä'), u'ä');
    EXPECT_EQ(WideLowerChar(u'Я'), u'я');
}

}  // namespace
}  // namespace pv
