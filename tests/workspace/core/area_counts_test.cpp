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

TEST(AreaCounts, EqualsAPlainCountOnVariedPicturesAndBoxes) {
    std::vector<PicturePtr> pictures = testing::VariedPictures();
    pictures.push_back(Filled(1024, 1024, RGB(255, 255, 254)));  // the largest sums
    const RoiBox boxes[] = {{0, 0, 40, 28}, {-5, -3, 1100, 1100}, {3, 2, 3, 2}, {6, 4, 2, 9}};
    for (const PicturePtr& p : pictures)
        for (const RoiBox& b : boxes) {
            AreaCounts expected;
            for (int x = b.x1; x <= b.x2; ++x)
                for (int y = b.y1; y <= b.y2; ++y) {
                    if (x < 0 || y < 0 || x >= p->Width() || y >= p->Height()) continue;
                    const Color c = p->RGBSurface()->Pixel(x, y);
                    if (c == kBlack || c == kWhite) continue;
                    const int v[] = {ChannelValue(c, Channel::Red), ChannelValue(c, Channel::Green),
                                     ChannelValue(c, Channel::Blue)};
                    for (size_t i = 0; i < 3; ++i)
                        if (v[i] > 0) ++expected.area[i], expected.intensity[i] += v[i];
                }
            EXPECT_EQ(CountAreas(p, b), expected)
                << p->Width() << "x" << p->Height() << " box " << b.x1 << "," << b.y1 << "-" << b.x2
                << "," << b.y2;
        }
}

}  // namespace
}  // namespace qv
