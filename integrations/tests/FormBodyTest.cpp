#include <gtest/gtest.h>

#include "integrations/FormBody.h"

namespace pv {
namespace {

using Params = std::vector<std::string>;

TEST(FormBody, SplitsAtAmpersandsBlanksAndQuotes) {
    const struct {
        std::string body;
        Params expected;
    } cases[] = {
        {"", {}},
        {" \r\n", {}},
        {"l1=Hello&TargetLang=2", {"l1=Hello", "TargetLang=2"}},
        {"a&&b", {"a", "", "b"}},
        {"a&", {"a", ""}},
        {"&", {"", ""}},
        {"a b\tc", {"a", "b", "c"}},
        {" a & b ", {"a", "b"}},
        {"\"l1=a b&c\"&d", {"l1=a b&c", "d"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"open to the end", {"open to the end"}},
        {std::string("a\0b", 3), {"a", "b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitParameters(c.body), c.expected) << c.body;
}

TEST(FormBody, UrlDecodesAndDropsBadEscapes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a+b", "a b"},   {"%E2%82%AC", "\xE2\x82\xAC"},
        {"%41%62", "Ab"}, {"x%00y", "xy"},
        {"x%zzy", "xy"},  {"x%4", "x"},
        {"x%", "x"},      {"%%41", "1"},
        {"100%", "100"},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlDecode(c.in), c.out) << c.in;
}

TEST(FormBody, EncodesEveryByteAndQuotesItems) {
    EXPECT_EQ(PercentEncodeAll("Az0\xE2\x82\xAC"), "%41%7A%30%E2%82%AC");
    EXPECT_EQ(JoinItems({"l1=%41", "TargetLang="}), "l1=%41&TargetLang=");
    EXPECT_EQ(JoinItems({"TargetLang=", ""}), "TargetLang=&");
    EXPECT_EQ(JoinItems({""}), "\"\"");
    EXPECT_EQ(JoinItems({}), "");
    EXPECT_EQ(JoinItems({"a b=", "q\"=", "x&y="}), "\"a b=\"&\"q\"\"=\"&\"x&y=\"");
    // What JoinItems writes, SplitParameters reads back.
    const Params items{"a b=", "q\"=", "x&y=", "plain="};
    EXPECT_EQ(SplitParameters(JoinItems(items)), items);
}

}  // namespace
}  // namespace pv
