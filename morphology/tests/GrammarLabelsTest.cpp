#include "morphology/GrammarLabels.h"

#include <gtest/gtest.h>

#include "morphology/tests/AttributeFixture.h"

namespace pv {
namespace {

TEST(GrammarLabelsTest, LanguageNamesBySelector) {
    struct Case {
        int32_t language, selector;
        std::u16string name;
    };
    const Case cases[] = {
        {1, 1, u"English"},          {1, 2, u"английски"},      {1, 6, u"l'Anglais"},
        {6, 6, u"le Fran&#231;ais"}, {7, 6, u"lItalien"},       {9, 2, u"руски"},
        {8, 3, u"Greek"},            {0, 6, u"<undefined>"},    {10, 2, u"<неопределен>"},
        {-1, 1, u"<undefined>"},     {3, 0, u"Turkish"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetLanguageName(c.language, c.selector), c.name) << c.language << "/" << c.selector;
}

TEST(GrammarLabelsTest, LabelsInValueOrderJoinedWithoutSpaces) {
    AttributeSet set = test::SetOf({12, 1});
    EXPECT_EQ(GetGrammarLabels(set, 1), u"n.,pl.");
    EXPECT_EQ(GetGrammarLabels(set, 2), u"същ.,мн.ч.");
    EXPECT_EQ(GetGrammarLabels(test::SetOf({6, 7, 1000}), 2), u"");
    EXPECT_EQ(GetGrammarLabels(AttributeSet{}, 1), u"");
    // Values 40 to 43 are English under either selector.
    EXPECT_EQ(GetGrammarLabels(test::SetOf({19, 40, 828}), 2), u"сег.несв.,present,подч.накл.");
    EXPECT_EQ(GetGrammarLabels(test::SetOf({3, 15, 93, 113}), 6), u"v.,3 p.,pres.part.,gerund");
}

}  // namespace
}  // namespace pv
