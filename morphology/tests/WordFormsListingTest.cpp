#include <gtest/gtest.h>

#include "morphology/WordFormsListing.h"
#include "morphology/tests/MorphologyTestData.h"

namespace pv {
namespace {

using test::MorphologyTest;
using Rows = std::vector<FormRow>;

TEST_F(MorphologyTest, FormsOfOneWordComeInDisplayOrderOnce) {
    // Two analyses of the same word give one block; labels come from slots
    // 1 to 7 and may end with a comma. Forms whose slots 1 to 7 hold no
    // label ("walked", "walking" here) say nothing and are left out.
    EXPECT_EQ(ListWordForms(u"walked", 0, 1), (Rows{{u"v., English", u"walk"}, {u"3 p.,sg.,", u"walks"}}));
    EXPECT_EQ(ListWordForms(u"нова", 0, 2), (Rows{{u"прил., български", u"нов"},
                                                  {u"ед.ч.,", u"нова"},
                                                  {u"прил.,", u"нови"},
                                                  {u"ед.ч.,чл.,", u"новия"}}));
}

TEST_F(MorphologyTest, FormsOfTwoWordsAreSeparatedAndFilteredByLanguage) {
    // Two words without a stem: each shows its lemma, not the form asked for.
    EXPECT_EQ(ListWordForms(u"ler", 0, 1), (Rows{{u"n., Turkish", u"lar"}, {}, {u"n., Turkish", u"lar"}}));
    // Another language's words are left out altogether.
    EXPECT_TRUE(ListWordForms(u"walks", 4, 1).empty());
    EXPECT_EQ(ListWordForms(u"walks", 1, 1), (Rows{{u"v., English", u"walk"}, {u"3 p.,sg.,", u"walks"}}));
    EXPECT_EQ(ListWordForms(u"the", 0, 1), (Rows{{u"pron., English", u"the"}}));
    EXPECT_TRUE(ListWordForms(u"  ", 0, 1).empty());
    EXPECT_TRUE(ListWordForms(u"walkx", 0, 1).empty());
}

}  // namespace
}  // namespace pv
