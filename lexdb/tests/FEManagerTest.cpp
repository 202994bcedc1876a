#include "lexdb/FEManager.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "textutil/ErrorReporter.h"

namespace pv {
namespace {

class PoolTest : public ::testing::Test, public ErrorReporter {
protected:
    void SetUp() override { SetErrorReporter(this); }
    void TearDown() override { SetErrorReporter(nullptr); }
    void ShowError(const std::u16string& text) override { errors.push_back(text); }
    std::vector<std::u16string> errors;
};

bool Initial(const FE& fe) {
    for (int32_t id : fe.wordIds)
        if (id != -1) return false;
    return fe.start == 0 && fe.span == 0 && fe.index == 0 && fe.wordIdCount == 0 &&
           fe.candidateList == -1;
}

TEST_F(PoolTest, FreshStripHandsOutItsLastSlotFirst) {
    FEManager pool;
    EXPECT_EQ(pool.StripCount(), 0);
    EXPECT_EQ(pool.FreeCount(), 0);
    FE* first = pool.ReserveFE();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(FEManager::IdOf(first), 4095);
    EXPECT_EQ(pool.StripCount(), 1);
    EXPECT_EQ(pool.FreeCount(), 4095);
    EXPECT_TRUE(Initial(*first));
    FE* second = pool.ReserveFE();
    EXPECT_EQ(FEManager::IdOf(second), 4094);
    EXPECT_EQ(pool.GetFEByID(4095), first);
}

TEST_F(PoolTest, AFreedEntryComesBackInitialisedAfresh) {
    FEManager pool;
    FE* fe = pool.ReserveFE();
    fe->start = 7;
    fe->wordIds[3] = 42;
    fe->wordIdCount = 4;
    fe->candidateList = 9;
    pool.FreeFE(fe);
    EXPECT_EQ(pool.FreeCount(), 4096);
    FE* again = pool.ReserveFE();
    EXPECT_EQ(again, fe);
    EXPECT_TRUE(Initial(*again));
    EXPECT_TRUE(errors.empty());
}

TEST_F(PoolTest, IdsAddressStripsAndSlots) {
    FEManager pool;
    std::vector<FE*> entries;
    for (int i = 0; i < kFEStripSlots + 1; ++i) entries.push_back(pool.ReserveFE());
    EXPECT_EQ(pool.StripCount(), 2);
    // The 4,097th entry opens strip 1 with its slot 4,095.
    EXPECT_EQ(FEManager::IdOf(entries.back()), (1 << 24) + 4095);
    FE* slot0 = pool.GetFEByID(1 << 24);
    ASSERT_NE(slot0, nullptr);
    EXPECT_EQ(FEManager::IdOf(slot0), 1 << 24);
    EXPECT_EQ(pool.GetFEByID(2 << 24), nullptr);   // strip not allocated
    EXPECT_EQ(pool.GetFEByID(4096), nullptr);      // beyond the strip's slots
    EXPECT_EQ(pool.GetFEByID(-1), nullptr);
    std::set<FE*> distinct(entries.begin(), entries.end());
    EXPECT_EQ(distinct.size(), entries.size());
}

TEST_F(PoolTest, FreeingTwiceOrFreeingNothingIsReportedAndChangesNothing) {
    FEManager pool;
    FE* a = pool.ReserveFE();
    pool.FreeFE(a);
    pool.FreeFE(a);
    pool.FreeFE(nullptr);
    EXPECT_EQ(pool.FreeCount(), 4096);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], u"Exception in an entry that is already free (id 4095) in FEManager.FreeFE");
    EXPECT_EQ(errors[1], u"Exception in FreeFE of no entry in FEManager.FreeFE");
    // The entry is handed out once only.
    EXPECT_EQ(pool.ReserveFE(), a);
    EXPECT_NE(pool.ReserveFE(), a);
}

// A small entry type keeps the full pool at a few megabytes.
struct Tiny {
    int32_t value = -1;
};

TEST_F(PoolTest, TheFullPoolRefusesOneMoreReservation) {
    FragmentPool<Tiny> pool;
    Tiny* last = nullptr;
    for (int i = 0; i < kFEMaxStrips * kFEStripSlots; ++i) last = pool.ReserveFE();
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(pool.ReserveFE(), nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], u"Exception Out of FEStrips! in FEManager.ReserveFE, FreeStrip=256, FreeCount=0");
    // A freed entry is reserved again; the ids of the last strip are intact.
    EXPECT_EQ(FragmentPool<Tiny>::IdOf(last), static_cast<int32_t>(0xFF000000u));
    pool.FreeFE(last);
    EXPECT_EQ(pool.ReserveFE(), last);
    EXPECT_EQ(last->value, -1);
}

}  // namespace
}  // namespace pv
