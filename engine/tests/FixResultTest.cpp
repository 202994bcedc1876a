#include <gtest/gtest.h>

#include "engine/EngineSettings.h"
#include "engine/FixResult.h"

namespace pv {
namespace {

struct Case {
    int language;
    std::u16string in, out;
};

class FixResultTest : public ::testing::Test {
protected:
    void TearDown() override { TargetLanguage = kBulgarian; }
};

TEST_F(FixResultTest, RepairsSpacingAndContractions) {
    const Case cases[] = {
        {kBulgarian, u"Той каза , че ( утре ) ще дойде .", u"Той каза, че (утре) ще дойде."},
        // Quotation marks open and close in turn, and hug what they quote.
        {kBulgarian, u"  a \" b \" c", u"a \"b\" c"},
        {kBulgarian, u"Думата \" лиценз \" означава \" разрешение \" .",
         u"Думата \"лиценз\" означава \"разрешение\"."},
        {kBulgarian, u"\" a , b \" ( \" c \" )", u"\"a, b\" (\"c\")"},
        {kBulgarian, u"a \" b", u"a \"b"},
        {kBulgarian, u"a,,, , b", u"a, b"},
        {kBulgarian, u"a,,,,, b", u"a, b"},
        {kBulgarian, u"   ", u" "},
        {kBulgarian, u"a il cane", u"a il cane"},  // no contraction rows
        {kItalian, u"A il cane", u"Al cane"},
        {kItalian, u"Il libro di la amica", u"Il libro dell'amica"},
        {kItalian, u"vado su la isola e in il parco", u"Vado sull'isola e nel parco"},
        {kItalian, u"ci è la ora", u"C'è l'ora"},
        {kItalian, u"   ", u" "},
        {kFrench, u"Je ai vu le homme", u"J'ai vu le homme"},
        {kFrench, u"que il", u"Qu'il"},
        {kFrench, u"Il a-il", u"Il a-t-il"},
        {kFrench, u"le livre de le homme à les enfants", u"Le livre du homme aux enfants"},
        {kFrench, u"ce est la école de lequel il", u"C'est l'école dont il"},
        {kSpanish, u"Voy a el parque de el pueblo", u"Voy al parque del pueblo"},
        {kGerman, u"von dem Haus zu der Stadt", u"Vom Haus zur Stadt"},
        {kGerman, u"in dem Haus", u"Im Haus"},
    };
    for (const Case& c : cases) {
        TargetLanguage = c.language;
        EXPECT_EQ(FixResult(c.in), c.out) << "language " << c.language;
    }
}

TEST_F(FixResultTest, RowTablesHaveTheirSizesAndOrder) {
    EXPECT_EQ(ContractionRows(kItalian).size(), 128u);
    EXPECT_EQ(ContractionRows(kFrench).size(), 64u);
    EXPECT_EQ(ContractionRows(kSpanish).size(), 2u);
    EXPECT_EQ(ContractionRows(kGerman).size(), 5u);
    EXPECT_TRUE(ContractionRows(kTurkish).empty());

    const auto& it = ContractionRows(kItalian);
    EXPECT_EQ(it[2], ReplacementRow(u" a l' ", u" all' "));
    EXPECT_EQ(it[7], ReplacementRow(u" alla a", u" all'a"));
    EXPECT_EQ(it[21], ReplacementRow(u" allo i", u" all'i"));
    EXPECT_EQ(it[22], ReplacementRow(u" da il ", u" dal "));
    EXPECT_EQ(it[110], ReplacementRow(u" ci è", u" c'è"));
    EXPECT_EQ(it[127], ReplacementRow(u" lo i", u" l'i"));

    const auto& fr = ContractionRows(kFrench);
    EXPECT_EQ(fr[18], ReplacementRow(u" que a", u" qu'a"));
    EXPECT_EQ(fr[21], ReplacementRow(u" que i", u" qu'i"));
    EXPECT_EQ(fr[43], ReplacementRow(u" de lequel ", u" dont "));
    EXPECT_EQ(fr[63], ReplacementRow(u"e-il", u"e-t-il"));
}

}  // namespace
}  // namespace pv
