#include "workspace/core/area_counts.h"

#include <gtest/gtest.h>

#include <vector>

#include "core_fixtures.h"
#include "workspace/core/channel_pairs.h"

namespace qv {
namespace {

using testing::Filled;
using testing::Set;

TEST(AreaCounts, CountsEachChannelAboveZeroOverTheBoxWithItsEdges) {
    PicturePtr crop = Filled(5, 3, kWhite);
    const Color row[] = {RGB(255, 0, 0), RGB(255, 255, 0), kBlack, kWhite, RGB(10, 20, 30)};
    for (int x = 0; x < 5; ++x) Set(crop, x, 2, row[x]);  // on the box's bottom edge
    AreaCounts expected;
    expected.area = {3, 2, 1};
    expected.intensity = {520, 275, 30};
    EXPECT_EQ(CountAreas(crop, {0, 0, 4, 2}), expected);
    EXPECT_EQ(CountAreas(crop, {0, 0, 4, 1}), AreaCounts{}) << "the row outside the box";
    EXPECT_EQ(CountAreas(nullptr, {0, 0, 4, 2}), AreaCounts{});
}

}  // namespace
}  // namespace qv
