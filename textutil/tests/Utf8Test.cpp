#include <gtest/gtest.h>

#include "textutil/TextConvert.h"

namespace pv {
namespace {

TEST(Utf8, DecodesAndEncodes) {
    EXPECT_EQ(Utf8Decode("\xC3\xA4"), u"ä");
    EXPECT_EQ(Utf8Decode(""), u"");
    EXPECT_EQ(Utf8Decode("Той"), u"Той");
    EXPECT_EQ(Utf8Encode(u"aä€"), "a\xC3\xA4\xE2\x82\xAC");
    EXPECT_EQ(Utf8Decode(Utf8Encode(u"Ünïcødé текст 中文")), u"Ünïcødé текст 中文");
}

TEST(Utf8, MalformedInputDecodesToEmpty) {
    for (const char* bad : {"\xC3", "a\xE2\x82", "\xC3\x41", "ok\xE2\x28\xA1"})
        EXPECT_EQ(Utf8Decode(bad), u"") << bad;
}

TEST(Utf8, SupplementaryCharactersRoundTrip) {
    const std::u16string emoji = u"a\U0001F600b";
    EXPECT_EQ(Utf8Encode(emoji), "a\xF0\x9F\x98\x80" "b");
    EXPECT_EQ(Utf8Decode("a\xF0\x9F\x98\x80" "b"), emoji);
    // A lone surrogate still gets a sequence of its own.
    EXPECT_EQ(Utf8Encode(u"\xD800"), "\xED\xA0\x80");
}

TEST(Utf8, FindInvalidNamesTheFirstBadByte) {
    EXPECT_EQ(FindInvalidUtf8("plain Той"), std::string_view::npos);
    EXPECT_EQ(FindInvalidUtf8("\xF0\x9F\x98\x80"), std::string_view::npos);
    EXPECT_EQ(FindInvalidUtf8("ab\xFF"), 2u);
    EXPECT_EQ(FindInvalidUtf8("a\xC0\xAF"), 1u);      // overlong
    EXPECT_EQ(FindInvalidUtf8("\xED\xA0\x80"), 0u);   // surrogate
    EXPECT_EQ(FindInvalidUtf8("x\xE2\x82"), 1u);      // cut off
    EXPECT_EQ(FindInvalidUtf8("\xF4\x90\x80\x80"), 0u);  // above U+10FFFF
    EXPECT_EQ(FindInvalidUtf8("\xE4\xB8"), 0u);
}

}  // namespace
}  // namespace pv
