#include "workspace/core/sections.h"

#include <gtest/gtest.h>

#include <array>

#include "core_fixtures.h"
#include "workspace/core/coefficients.h"
#include "workspace/core/fluorogram.h"

namespace qv {
namespace {

using testing::Set;

// A "rg" crop whose pixels sit on and around the cross-point (100, 155): green
// 100 is its column, red 100 its row. `copies` pixels of each colour.
struct Spot {
    Color color;
    int copies;
};
const Spot kSpots[] = {
    {RGB(100, 100, 0), 1},  // bin (100, 155): the cross-point itself
    {RGB(100, 101, 0), 2},  // bin (101, 155): on its row, right of it
    {RGB(99, 100, 0), 3},   // bin (100, 156): on its column, below it
    {RGB(99, 101, 0), 4},   // bin (101, 156)
    {RGB(200, 5, 0), 5},    // bin (5, 55): far upper left
    {RGB(255, 0, 0), 6},    // bin (0, 0)
};

PicturePtr SpotCrop() {
    PicturePtr crop = NewPicture(12, 12);  // the outer rows and columns stay white
    int i = 0;
    for (const Spot& s : kSpots)
        for (int k = 0; k < s.copies; ++k, ++i) Set(crop, 1 + i % 10, 1 + i / 10, s.color);
    return crop;
}

FluorogramCounts SpotCounts() {
    return CountFluorogram(SpotCrop(), *FindChannelPair("rg"), {0, 0, 11, 11});
}

TEST(CoreSectionsTest, SectionCountsIncludeTheirEdges) {
    const FluorogramCounts counts = SpotCounts();
    ASSERT_EQ(counts.Total(), 21);
    struct Case {
        int x1, y1, x2, y2;
        std::int64_t n;
    };
    const Case cases[] = {
        {100, 155, 100, 155, 1},                            // one bin
        {100, 155, 101, 156, 10}, {101, 155, 255, 255, 6},  // edges on the bins of the right column
        {0, 0, 255, 255, 21},     {0, 0, 0, 0, 6},
        {5, 55, 5, 55, 5},        {-40, -40, 300, 300, 21},  // clipped to the fluorogram
        {101, 155, 100, 156, 0},                             // reversed: no bin
        {0, 156, 255, 155, 0},    {256, 0, 400, 255, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SectionCount(counts, c.x1, c.y1, c.x2, c.y2), c.n)
            << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2;
}

TEST(CoreSectionsTest, QuadrantsCountTheCrossColumnLeftAndTheCrossRowUp) {
    const FluorogramCounts counts = SpotCounts();
    struct Case {
        int cx, cy;
        std::array<std::int64_t, 4> q;  // upper-left, upper-right, lower-left, lower-right
    };
    const Case cases[] = {
        {100, 155, {1 + 5 + 6, 2, 3, 4}},
        {99, 155, {5 + 6, 1 + 2, 0, 3 + 4}},
        {100, 154, {5 + 6, 0, 1 + 3, 2 + 4}},
        {255, 255, {21, 0, 0, 0}},
        {0, 0, {6, 0, 0, 15}},
        {300, -7, {6, 0, 15, 0}},  // clamped to (255, 0)
        {-9, 999, {6, 15, 0, 0}},  // clamped to (0, 255)
    };
    for (const Case& c : cases) {
        const auto q = QuadrantSums(counts, c.cx, c.cy);
        EXPECT_EQ(q, c.q) << c.cx << "," << c.cy;
        EXPECT_EQ(q[0] + q[1] + q[2] + q[3], counts.Total());
    }
}

TEST(CoreSectionsTest, QuadrantMaskCountsTheCrossColumnRightUnlikeTheQuadrants) {
    // Same crop and cross-point: the upper-right quadrant (green >= 101, red >= 100)
    // holds 2 pixels, the mask's Red-Green count (green >= 100, red >= 100) 3.
    const PicturePtr crop = SpotCrop();
    EXPECT_EQ(QuadrantSums(SpotCounts(), 100, 155)[kUpperRight], 2);
    const OverlapCoefficients c =
        ComputeOverlap(crop, {0, 0, 11, 11}, ThresholdsFor("rg", true, 100, 155));
    EXPECT_EQ(c.rows[kRedGreen].pixels, 1 + 2);
    EXPECT_EQ(c.rows[kGreenRed].pixels, 1 + 2);
}

TEST(CoreSectionsTest, LargeBinsAreCountedExactly) {
    FluorogramCounts counts;
    counts.Add(10, 10, 90000);
    counts.Add(200, 200, 70000);
    EXPECT_EQ(SectionCount(counts, 0, 0, 255, 255), 160000);
    EXPECT_EQ(QuadrantSums(counts, 10, 10), (std::array<std::int64_t, 4>{90000, 0, 0, 70000}));
}

TEST(CoreSectionsTest, ReleaseNormalisesOnlyWhenAskedAndClampsEveryCorner) {
    // The press lies on the canvas; the pointer may be anywhere.
    struct Case {
        int downx, downy, x, y;
        bool normalise;
        FluorogramRect r;
    };
    const Case cases[] = {
        {40, 60, 300, -7, true, {40, 0, 255, 60}},     // section: y swapped, then clamped
        {40, 60, 300, -7, false, {40, 60, 255, 0}},    // cross-point (255, 0)
        {200, 100, 50, 30, true, {50, 30, 200, 100}},  // reversed drag
        {200, 100, 50, 30, false, {200, 100, 50, 30}},
        {10, 20, -5, 400, true, {0, 20, 10, 255}},
        {7, 7, 7, 7, true, {7, 7, 7, 7}},              // a click: one bin
        {0, 255, -30, 999, true, {0, 255, 0, 255}},    // both past the press's edge
        {120, 80, -3, 260, false, {120, 80, 0, 255}},  // a drag: the band stays as pointed
        {0, 0, 255, 255, true, {0, 0, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.downx << "," << c.downy << " -> " << c.x << ","
                                          << c.y << (c.normalise ? " normalised" : ""));
        const FluorogramRect r = SectionRelease(c.downx, c.downy, c.x, c.y, c.normalise);
        EXPECT_EQ(r.downx, c.r.downx);
        EXPECT_EQ(r.downy, c.r.downy);
        EXPECT_EQ(r.upx, c.r.upx);
        EXPECT_EQ(r.upy, c.r.upy);
    }
}

TEST(CoreSectionsTest, QuadrantTextsStayInsideTheFluorogram) {
    struct Case {
        int cx, cy;
        int right, lower;
    };
    const Case cases[] = {
        {255, 255, 210, 245}, {0, 0, 40, 11},   {100, 155, 102, 166},
        {208, 234, 210, 245}, {38, 10, 40, 21}, {300, -20, 210, 11},
    };
    for (const Case& c : cases) {
        const std::array<TextPlace, 4> expected = {
            {{2, 11}, {c.right, 11}, {2, c.lower}, {c.right, c.lower}}};
        EXPECT_EQ(QuadrantTextPlaces(c.cx, c.cy), expected) << c.cx << "," << c.cy;
    }
    EXPECT_EQ(SectionTextPlace(30, 40), (TextPlace{32, 51}));
}

}  // namespace
}  // namespace qv
