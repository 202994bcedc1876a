#include <gtest/gtest.h>

#include "morphology/WordFormsListing.h"
#include "morphology/tests/MorphologyTestData.h"

namespace pv {
namespace {

using test::MorphologyTest;
using Rows = std::vector<FormRow>;

TEST_F(MorphologyTest, FormsOfOneWordComeInDisplayOrderOnce) {
    // Two analyses of the same word give one block; labels come from slots
    // 1 to 7 and may end with a comma.
    EXPECT_EQ(ListWordForms(u"walked", 0, 1), (Rows{{u"v., English", u"walk"},
                                                    {u"", u"walked"},
                                                    {u"3 p.,sg.,", u"walks"},
                                                    {u"", u"walking"},
                                                    {u"", u"walked"}}));
    EXPECT_EQ(ListWordForms(u"нова", 0, 2), (Rows{{u"прил., български", u"нов"},
                                                  {u"ед.ч.,", u"нова"},
                                                  {u"прил.,", u"нови"},
                                                  {u"ед.ч.,чл.,", u"новия"}}));
}

TEST_F(MorphologyTest, FormsOfTwoWordsAreSeparatedAndFilteredByLanguage) {
    EXPECT_EQ(ListWordForms(u"ler", 0, 1), (Rows{{u"n., Turkish", u"ler"},
                                                 {u"", u"ler"},
                                                 {},
                                                 {u"n., Turkish", u"ler"},
                                                 {u"", u"ler"}}));
    EXPECT_EQ(ListWordForms(u"walks", 4, 1), (Rows{{u"v., English", u"walk"}}));
    EXPECT_EQ(ListWordForms(u"the", 0, 1), (Rows{{u"pron., English", u"the"}}));
    EXPECT_TRUE(ListWordForms(u"  ", 0, 1).empty());
    EXPECT_TRUE(ListWordForms(u"walkx", 0, 1).empty());
}

}  // namespace
}  // namespace pv
