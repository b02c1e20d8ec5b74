#include "workspace/core/back_projection.h"

#include <gtest/gtest.h>

#include <vector>

#include "core_fixtures.h"

namespace qv {
namespace {

using testing::At;
using testing::Filled;
using testing::Pair;
using testing::Set;

// A row of pixels at x = 1, 2, ... inside a 3-high crop, so each lies in the
// interior of the box (0, 0)-(n + 1, 2).
PicturePtr RowOf(const std::vector<Color>& pixels) {
    const int n = static_cast<int>(pixels.size());
    PicturePtr p = Filled(n + 2, 3, kWhite);
    for (int i = 0; i < n; ++i) Set(p, i + 1, 1, pixels[static_cast<size_t>(i)]);
    return p;
}

// Which of the row's pixels a pass paints (the target starts grey).
std::vector<bool> Painted(const std::vector<Color>& pixels, const char* mode,
                          const FluorogramRect& region) {
    const PicturePtr crop = RowOf(pixels);
    PicturePtr target = Filled(crop->Width(), 3, RGB(9, 9, 9));
    EXPECT_TRUE(PaintBackProjection(crop, *target, {0, 0, crop->Width() - 1, 2}, Pair(mode), region,
                                    nullptr));
    std::vector<bool> out;
    for (size_t i = 0; i < pixels.size(); ++i)
        out.push_back(At(target, static_cast<int>(i) + 1, 1) == kWhite);
    return out;
}

TEST(BackProjection, PaintsTheSectionsPixelsWithInclusiveBounds) {
    // "rg": x green 20..60, y red 255 - 180 .. 255 - 100 = 75..155
    const FluorogramRect section{20, 100, 60, 180};
    EXPECT_EQ(Painted({RGB(100, 30, 5), RGB(75, 20, 255), RGB(155, 60, 0), RGB(160, 30, 0),
                       RGB(74, 61, 0), RGB(100, 19, 0)},
                      "rg", section),
              (std::vector<bool>{true, true, true, false, false, false}));
    // "rb": x blue; "bg": x green, y blue
    EXPECT_EQ(Painted({RGB(100, 0, 30), RGB(100, 30, 0)}, "rb", section),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(Painted({RGB(0, 30, 100), RGB(100, 30, 0)}, "bg", section),
              (std::vector<bool>{true, false}));
}

TEST(BackProjection, SkipsZeroPairsAndSaturatedRedGreen) {
    const FluorogramRect all{0, 0, 255, 255};
    EXPECT_EQ(
        Painted({RGB(0, 0, 77), RGB(255, 255, 0), RGB(255, 255, 3), RGB(254, 255, 0)}, "rg", all),
        (std::vector<bool>{false, false, false, true}));
    // "bg" tests red and green too, not its own pair
    EXPECT_EQ(Painted({RGB(255, 255, 10), RGB(10, 255, 255), RGB(77, 0, 0)}, "bg", all),
              (std::vector<bool>{false, true, false}));
    // all section fields 0: the single bin (0, 0), x-channel 0 and y-channel 255
    EXPECT_EQ(Painted({RGB(255, 0, 0), RGB(255, 1, 0), RGB(0, 0, 0)}, "rg", {0, 0, 0, 0}),
              (std::vector<bool>{true, false, false}));
}

TEST(BackProjection, QuadrantsAroundTheCrossPoint) {
    struct Case {
        int rotate;
        FluorogramRect region;
        int x1, y1, x2, y2;
    } cases[] = {
        {0, {30, 0, 255, 155}, 29, 0, 254, 155},
        {1, {30, 155, 255, 255}, 29, 154, 254, 254},
        {2, {0, 155, 30, 255}, 0, 254, 30, 154},
        {3, {0, 0, 30, 155}, 0, 155, 30, 0},
    };
    const std::vector<Color> pixels = {RGB(100, 30, 5), RGB(200, 90, 0), RGB(20, 200, 0),
                                       RGB(50, 10, 0),  RGB(180, 5, 0),  RGB(0, 0, 77),
                                       RGB(255, 255, 0)};
    for (const Case& c : cases) {
        const QuadrantOnScreen q = QuadrantRegion(c.rotate, 30, 155);
        EXPECT_EQ(q.region.downx, c.region.downx) << c.rotate;
        EXPECT_EQ(q.region.downy, c.region.downy) << c.rotate;
        EXPECT_EQ(q.region.upx, c.region.upx) << c.rotate;
        EXPECT_EQ(q.region.upy, c.region.upy) << c.rotate;
        EXPECT_EQ(std::vector<int>({q.x1, q.y1, q.x2, q.y2}),
                  std::vector<int>({c.x1, c.y1, c.x2, c.y2}));
        std::vector<bool> expected(pixels.size(), false);
        expected[0] = true;  // on the cross-point: in every quadrant
        expected[static_cast<size_t>(c.rotate) + 1] = true;
        EXPECT_EQ(Painted(pixels, "rg", q.region), expected) << "quadrant " << c.rotate;
    }
    EXPECT_EQ(NextQuadrant(0), 1);
    EXPECT_EQ(NextQuadrant(3), 0);
    const OutlineRect o = OutlineThrough(0, 254, 30, 154);
    EXPECT_EQ(std::vector<int>({o.left, o.top, o.width, o.height}),
              std::vector<int>({0, 154, 31, 101}));
}

TEST(BackProjection, CancelStopsAfterTheColumnWhosePollCancelled) {
    // 1100 columns of painted pixels: the polls of several bands
    const int w = 1102;
    PicturePtr crop = Filled(w, 4, RGB(100, 100, 100));
    for (int k : {1, 2, 511, 512, 513, 1000}) {
        PicturePtr target = Filled(w, 4, kBlack);
        int polls = 0;
        const bool done = PaintBackProjection(crop, *target, {0, 0, w - 1, 3}, Pair("rg"),
                                              {0, 0, 255, 255}, [&] { return ++polls == k; });
        EXPECT_FALSE(done);
        EXPECT_EQ(polls, k);
        for (int x = 0; x < w; ++x)
            for (int y = 1; y <= 2; ++y)
                ASSERT_EQ(At(target, x, y), (x >= 1 && x <= k) ? kWhite : kBlack)
                    << "poll " << k << " at " << x << "," << y;
    }
    for (const char* mode : {"rg", "rb", "bg"}) {
        PicturePtr target = Filled(w, 4, kBlack);
        int polls = 0;
        EXPECT_TRUE(PaintBackProjection(crop, *target, {0, 0, w - 1, 3}, Pair(mode),
                                        {0, 0, 255, 255}, [&] { return ++polls > 5000; }));
        EXPECT_EQ(polls, std::string_view(mode) == "bg" ? 0 : w - 2) << mode;
        EXPECT_EQ(At(target, w - 2, 2), kWhite) << mode;
    }
}

}  // namespace
}  // namespace qv
