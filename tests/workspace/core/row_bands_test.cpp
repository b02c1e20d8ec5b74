#include "workspace/core/row_bands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <new>
#include <vector>

namespace qv {
namespace {

// Every row once, in bands run by at most one thread per slot at a time.
TEST(CoreRowBandsTest, BandsCoverEveryRowOnceAndNeverShareASlot) {
    const int top = 3, bottom = 1003;
    std::vector<std::atomic<int>> visits(bottom);
    std::vector<std::atomic<bool>> busy(static_cast<size_t>(RowBandSlots()));
    std::atomic<bool> shared{false}, outOfRange{false};
    for (int pass = 0; pass < 20; ++pass) {
        for (auto& v : visits) v = 0;
        ForEachRowBand(top, bottom, 1000, [&](int slot, int first, int last) {
            if (slot < 0 || slot >= RowBandSlots() || first < top || last > bottom || first >= last) {
                outOfRange = true;
                return;
            }
            if (busy[static_cast<size_t>(slot)].exchange(true)) shared = true;
            for (int y = first; y < last; ++y) ++visits[static_cast<size_t>(y)];
            busy[static_cast<size_t>(slot)] = false;
        });
        for (int y = 0; y < bottom; ++y) ASSERT_EQ(visits[static_cast<size_t>(y)], y >= top ? 1 : 0) << y;
    }
    EXPECT_FALSE(shared);
    EXPECT_FALSE(outOfRange);
}

TEST(CoreRowBandsTest, SmallAndNestedPassesRunAsOneBandOnTheCallingThread) {
    struct Call {
        int slot, first, last;
    };
    std::vector<Call> calls;
    ForEachRowBand(0, 10, 10, [&](int slot, int first, int last) { calls.push_back({slot, first, last}); });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].slot, 0);
    EXPECT_EQ(calls[0].first, 0);
    EXPECT_EQ(calls[0].last, 10);

    std::mutex m;
    std::vector<Call> inner;
    ForEachRowBand(0, 512, 512, [&](int, int, int) {
        std::vector<Call> mine;
        ForEachRowBand(5, 600, 600, [&](int slot, int first, int last) { mine.push_back({slot, first, last}); });
        std::lock_guard lock(m);
        inner.insert(inner.end(), mine.begin(), mine.end());
    });
    ASSERT_FALSE(inner.empty());
    for (const Call& c : inner) {
        EXPECT_EQ(c.slot, 0);
        EXPECT_EQ(c.first, 5);
        EXPECT_EQ(c.last, 600);
    }

    bool called = false;
    ForEachRowBand(7, 7, 100, [&](int, int, int) { called = true; });
    ForEachRowBand(9, 2, 100, [&](int, int, int) { called = true; });
    EXPECT_FALSE(called);
}

TEST(CoreRowBandsTest, ABandThatThrowsEndsThePassAfterTheOtherBands) {
    std::atomic<int> rows{0};
    EXPECT_THROW(ForEachRowBand(0, 800, 800,
                                [&](int, int first, int last) {
                                    rows += last - first;
                                    if (first <= 400 && 400 < last) throw std::bad_alloc();
                                }),
                 std::bad_alloc);
    EXPECT_EQ(rows, 800);
    // The pool still runs passes afterwards.
    rows = 0;
    ForEachRowBand(0, 800, 800, [&](int, int first, int last) { rows += last - first; });
    EXPECT_EQ(rows, 800);
}

}  // namespace
}  // namespace qv
