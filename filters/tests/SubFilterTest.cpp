#include <gtest/gtest.h>

#include "filters/tests/PluginFixture.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

TEST(SubFilter, CutsFrameLinesIntoUnitsAndWritesThemBack) {
    const struct {
        const char* what;
        std::u16string document;
        std::vector<std::u16string> units;
        std::u16string finished;
    } cases[] = {
        {"displayed lines are one unit",
         u"{100}{200}Hello|World\r\n",
         {u"Hello World"},
         u"{100}{200}<Hello World>\r\n"},
        {"a code inside the text splits the line",
         u"{1}{2}Hello {y:i}World\r\n",
         {u"Hello", u"World"},
         u"{1}{2}<Hello>\r\n{y:i}<World>\r\n"},
        {"line feeds alone and no final line break",
         u"{1}{2}Hi\n{3}{4}Yo",
         {u"Hi", u"Yo"},
         u"{1}{2}<Hi>\r\n{3}{4}<Yo>\r\n"},
        {"a line without text stays",
         u"{1}{2}\r\n{3}{4}Yo\r\n",
         {u"Yo"},
         u"{1}{2}\r\n{3}{4}<Yo>\r\n"},
        {"a brace left open keeps the rest",
         u"{1}{2}Hi {oops\r\nrest of the file",
         {u"Hi"},
         u"{1}{2}<Hi>\r\n{oops\r\nrest of the file"},
        {"one character", u"x", {}, u"x"},
    };
    std::unique_ptr<FilterLibrary> sub = LoadPlugin("subfilter");
    ASSERT_TRUE(sub);
    for (const auto& c : cases) {
        CutResult result = Cut(*sub, c.document);
        EXPECT_EQ(result.units, c.units) << c.what;
        EXPECT_EQ(Utf8Encode(result.document), Utf8Encode(c.finished)) << c.what;
    }
}

TEST(SubFilter, OpenBraceAtTheEndIsNoUnitToReplace) {
    std::unique_ptr<FilterLibrary> sub = LoadPlugin("subfilter");
    ASSERT_TRUE(sub);
    Start(*sub, u"{1}{2}Hi {oops\r\nrest");
    EXPECT_EQ(NextUnit(*sub), u"Hi");
    SetUnit(*sub, u"Здравей");
    EXPECT_EQ(NextUnit(*sub), u"(null)");
    EXPECT_EQ(Done(*sub), u"{1}{2}Здравей\r\n{oops\r\nrest");
}

}  // namespace
}  // namespace pv
