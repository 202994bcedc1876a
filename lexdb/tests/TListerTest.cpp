#include "lexdb/TLister.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace pv {
namespace {

std::vector<FE*> Chain(const TLister& lister, int32_t head) {
    std::vector<FE*> chain;
    for (int32_t i = head; i >= 0; i = lister[i].link) chain.push_back(lister[i].reference);
    return chain;
}

TEST(TListerTest, ChainsKeepTheNewestEntryAtTheirHead) {
    FE a, b, c, d;
    TLister lister(2);
    int32_t first = lister.Add(-1, &a);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(lister.Add(first, &b), first);
    int32_t other = lister.Add(-1, &d);
    EXPECT_EQ(lister.Add(first, &c), first);
    EXPECT_EQ(Chain(lister, first), (std::vector<FE*>{&c, &b, &a}));
    EXPECT_EQ(Chain(lister, other), (std::vector<FE*>{&d}));
    EXPECT_EQ(lister.Count(), 4);
    EXPECT_GE(lister.Capacity(), 10002);  // grown by 10,000 items when full
}

TEST(TListerTest, ResetFreesEveryItemAndBadChainsAreRefused) {
    FE a;
    TLister lister(0);
    lister.Add(-1, &a);
    EXPECT_THROW(lister.Add(1, &a), std::out_of_range);
    lister.Reset();
    EXPECT_EQ(lister.Count(), 0);
    EXPECT_THROW(lister.Add(0, &a), std::out_of_range);
    EXPECT_EQ(lister.Add(-5, &a), 0);
}

}  // namespace
}  // namespace pv
