#include <gtest/gtest.h>

#include <vector>

#include "engine/Segmentation.h"

namespace pv {
namespace {

std::vector<std::u16string> Tokens(std::u16string_view text) {
    std::vector<std::u16string> tokens;
    std::size_t p = 1;
    while (true) {
        SkipSeparators(text, p);
        std::u16string token = NextToken(text, p);
        if (token.empty()) break;
        tokens.push_back(token);
    }
    return tokens;
}

using T = std::vector<std::u16string>;

TEST(Segmentation, SplitsIntoTokens) {
    struct Case {
        std::u16string text;
        T tokens;
    };
    const Case cases[] = {
        {u"abc123", {u"abc", u"123"}},
        {u"don't", {u"don", u"'", u"t"}},
        {u"well-known", {u"well", u"-", u"known"}},
        {u"3.14", {u"3", u".", u"14"}},
        {u"www.a.b/c?d=e.", {u"www.a.b/c?d=e", u"."}},
        {u"http://a/b", {u"http://a/b"}},
        {u"e.g.", {u"e", u".", u"g", u"."}},
        {u"HTTPS://a.b/c)", {u"HTTPS://a.b/c", u")"}},
        {u"ftp.a.b, next", {u"ftp.a.b,", u"next"}},
        {u"ftp:", {u"ftp:"}},
        {u"Mr.Smith", {u"Mr", u".", u"Smith"}},
        {u"£5 5€", {u"£", u"5", u"5", u"€"}},
        {u"m²", {u"m²"}},
        {u"Ğağ", {u"ağ"}},  // capital Ğ separates, small ğ is a letter
        {u"ab中文字", {u"ab中", u"文", u"字"}},
        {u"www.a.b\u00A0c d", {u"www.a.b\u00A0c", u"d"}},  // only codes up to 32 end an address
        {u"«Привет» — мир", {u"Привет", u"мир"}},
        {u"Ça va? ¿Qué?", {u"Ça", u"va", u"?", u"Qué", u"?"}},
        {u"~^`§", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens);
}

TEST(Segmentation, SkipSeparatorsAndEmptyToken) {
    std::u16string text = u"  ~§ word";
    std::size_t p = 1;
    SkipSeparators(text, p);
    EXPECT_EQ(p, 6u);
    EXPECT_EQ(text[p - 1], u'w');

    std::u16string blanks = u"   ";
    p = 1;
    SkipSeparators(blanks, p);
    EXPECT_EQ(p, 4u);

    p = 1;
    EXPECT_EQ(NextToken(u" a", p), u"");
    EXPECT_EQ(p, 1u);
}

TEST(Segmentation, IsNumberAndIdeograph) {
    EXPECT_TRUE(IsNumber(u""));
    EXPECT_TRUE(IsNumber(u"2005"));
    EXPECT_FALSE(IsNumber(u"12a"));
    EXPECT_TRUE(IsIdeograph(u'\u4E00'));
    EXPECT_TRUE(IsIdeograph(u'\u9FA5'));
    EXPECT_FALSE(IsIdeograph(u'\u9FA6'));
    EXPECT_TRUE(IsIdeograph(u'\uFF1F'));
}

}  // namespace
}  // namespace pv
