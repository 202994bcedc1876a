#include <gtest/gtest.h>

#include "textutil/TextConvert.h"

namespace pv {
namespace {

TEST(CyrillicToWide, MapsOnlyTheUpperHalfToCyrillic) {
    EXPECT_EQ(CyrillicToWide("\xC0\xFF\x41\xA8"), u"\u0410\u044F\u0041\u00A8");
}

TEST(UpperCase8, LowersTheLetterRangesBy0x20) {
    EXPECT_EQ(UpperCase8("az{\xE0\xFF\xA0\xBF\x9F"), "AZ{\xC0\xDF\x80\x9F\x9F");
}

TEST(WebEncode, WritesEveryCodeUnitAsReference) {
    EXPECT_EQ(WebEncode(u"Hi"), "&#72;&#105;");
    EXPECT_EQ(WebEncode(u""), "");
    EXPECT_EQ(WebEncode(u"\U0001F600"), "&#55357;&#56832;");
}

TEST(WebDecode, ReadsReferences) {
    struct Case {
        std::u16string in, out;
    };
    const Case cases[] = {
        {u"&#1040;&#1041;", u"АБ"},
        {u"a&b;c", u"a&B c"},          // one-letter name written back, upper-cased
        {u"&pound;5", u"GBP5"},
        {u"&amp;", u"&AMP "},          // unknown name written back
        {u"x&#65", u"x"},              // reference open at the end is dropped
        {u"&#65;&#x41;&#X41;", u"AAA"},
        {u"&uuml;ber &Agrave; &AElig;", u"über à AE"},
        {u"&#10063;", u"\u274F"},
        {u"a &x&y; b", u"a &XY  b"},   // a second & continues the name
        {u"&#-5a;", u"\u0005"},        // a number cut short loses its sign
        {u"&#-5;", u"&#-5 "},
        {u"&#0;", u"&#0 "},
        {u"plain text", u"plain text"},
    };
    for (const Case& c : cases) EXPECT_EQ(WebDecode(c.in), c.out);
}

TEST(WideZ, CopiesAndMeasures) {
    EXPECT_EQ(NewWideZ(static_cast<const char16_t*>(nullptr)), nullptr);
    EXPECT_EQ(WideZLength(nullptr), 0u);
    char16_t* copy = NewWideZ(std::u16string_view(u"abc"));
    EXPECT_EQ(WideZLength(copy), 3u);
    EXPECT_EQ(copy[3], 0);
    char16_t* again = NewWideZ(static_cast<const char16_t*>(copy));
    EXPECT_EQ(std::u16string(again), u"abc");
    FreeWideZ(copy);
    FreeWideZ(again);
}

}  // namespace
}  // namespace pv
