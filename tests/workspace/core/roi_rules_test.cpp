#include "workspace/core/roi_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

namespace qv {
namespace {

TEST(CoreRoiRulesTest, ShiftMakesTheHeightFollowTheWidth) {
    struct Case {
        int dx, dy, shifted;
    };
    const Case cases[] = {
        {30, 5, 30}, {30, -5, -30}, {-30, 5, 30}, {-30, -90, -30},
        {0, 40, 0},  {25, 0, 0},    {0, 0, 0},    {1, -1, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(ShiftedDy(c.dx, c.dy), c.shifted) << c.dx << "," << c.dy;
}

TEST(CoreRoiRulesTest, ReleaseNormalisesFollowsShiftAndClampsToTheWorkingArea) {
    struct Case {
        int downx, downy, x, y;
        bool shift;
        RoiBox box;
    };
    const int imgsize = 200;
    const Case cases[] = {
        {10, 20, 60, 90, false, {10, 20, 60, 90}},
        {60, 90, 10, 20, false, {10, 20, 60, 90}},      // drawn up and to the left
        {60, 20, 10, 90, false, {10, 20, 60, 90}},      // only x reversed
        {10, 20, 60, 90, true, {10, 20, 60, 70}},       // Shift: a square
        {60, 90, 10, 85, true, {10, 40, 60, 90}},       // Shift, upward: the square above
        {50, 50, 80, 50, true, {50, 50, 80, 50}},       // Shift without height
        {50, 50, 50, 50, false, {50, 50, 50, 50}},      // a click
        {50, 50, 350, 260, false, {50, 50, 199, 199}},  // past the lower-right edge
        {50, 50, -20, -9, false, {0, 0, 50, 50}},       // past the upper-left edge
        {150, 150, 190, 198, true, {150, 150, 190, 190}},
        {150, 150, 260, 170, true, {150, 150, 199, 199}},  // the square is cut by the area
    };
    for (const Case& c : cases) {
        const RoiBox b = ReleasedRoi(c.downx, c.downy, c.x, c.y, c.shift, imgsize);
        SCOPED_TRACE(::testing::Message() << c.downx << "," << c.downy << " -> " << c.x << ","
                                          << c.y << (c.shift ? " shift" : ""));
        EXPECT_EQ(b.x1, c.box.x1);
        EXPECT_EQ(b.y1, c.box.y1);
        EXPECT_EQ(b.x2, c.box.x2);
        EXPECT_EQ(b.y2, c.box.y2);
    }
}

TEST(CoreRoiRulesTest, SelectAllTakesTheWholeWorkingArea) {
    for (int imgsize : {1, 200, 1024}) {
        const RoiBox b = WholeArea(imgsize);
        EXPECT_EQ(b.x1, 0);
        EXPECT_EQ(b.y1, 0);
        EXPECT_EQ(b.x2, imgsize - 1);
        EXPECT_EQ(b.y2, imgsize - 1);
    }
}

TEST(CoreRoiRulesTest, PolygonBoundsAreTheVerticesExtremesClampedToTheWorkingArea) {
    const std::vector<int> triangle{0, 10, 10, 100, 10, 100, 80};
    const std::optional<RoiBox> b = PolygonBounds(triangle, 3, 512);
    ASSERT_TRUE(b);
    EXPECT_EQ((std::array{b->x1, b->y1, b->x2, b->y2}), (std::array{10, 10, 100, 80}));
    // only the first n vertices count: the closing click of a double-click is not one of them
    const std::vector<int> closed{0, 10, 10, 100, 10, 100, 80, 300, 300};
    EXPECT_EQ(PolygonBounds(closed, 3, 512)->x2, 100);
    EXPECT_EQ(PolygonBounds(closed, 4, 512)->y2, 300);
    // vertices clicked on a larger frame, redrawn on a smaller one
    const std::optional<RoiBox> c = PolygonBounds({0, 40, 700, 900, 20}, 2, 256);
    ASSERT_TRUE(c);
    EXPECT_EQ((std::array{c->x1, c->y1, c->x2, c->y2}), (std::array{40, 20, 255, 255}));
    EXPECT_EQ(PolygonVertices(1), 0);
    EXPECT_EQ(PolygonVertices(9), 4);
    EXPECT_EQ(PolygonVertices(kPolygonSlots), kMaxPolygonVertices);
}

TEST(CoreRoiRulesTest, APolygonWithoutVerticesHasNoBounds) {
    EXPECT_FALSE(PolygonBounds({0, 5, 5}, 0, 512));
    EXPECT_FALSE(PolygonBounds({0}, 3, 512)) << "fewer stored than asked for";
    EXPECT_FALSE(PolygonBounds({0, 5, 5}, 1, 0)) << "no working area";
}

}  // namespace
}  // namespace qv
