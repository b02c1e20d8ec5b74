#include "workspace/core/roi_crop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core_fixtures.h"
#include "support/polygon_inside.h"

namespace qv {
namespace {

using testing::At;
using testing::Patterned;
using test::InsidePolygon;

// Pixels of the crop that hold the source's pixel; every other one must be white.
int CheckCopiedOnly(const PicturePtr& crop, const PicturePtr& source, int x0, int y0, int x1,
                    int y1) {
    int copied = 0;
    for (int y = 0; y < crop->Height(); ++y)
        for (int x = 0; x < crop->Width(); ++x) {
            const bool inside = x >= x0 && x <= x1 && y >= y0 && y <= y1;
            if (inside) {
                EXPECT_EQ(At(crop, x, y), At(source, x, y)) << x << "," << y;
                ++copied;
            } else {
                EXPECT_EQ(At(crop, x, y), kWhite) << x << "," << y;
            }
        }
    return copied;
}

TEST(CoreRoiCropTest, RectangleCopiesOnlyTheInteriorOfTheOutline) {
    PicturePtr pix = Patterned(40, 40);
    PicturePtr crop = CropRectangle(pix, 40, {10, 20, 15, 30});
    ASSERT_TRUE(crop);
    ASSERT_NE(crop, pix);
    EXPECT_EQ(crop->Width(), 40);
    EXPECT_EQ(crop->Height(), 40);
    EXPECT_EQ(CheckCopiedOnly(crop, pix, 11, 21, 14, 29), 4 * 9);
}

TEST(CoreRoiCropTest, BoxesWithoutInteriorGiveAnAllWhiteCrop) {
    PicturePtr pix = Patterned(16, 16);
    const RoiBox boxes[] = {
        {5, 5, 5, 5},  // a click
        {5, 5, 6, 9},  // two columns wide
        {5, 5, 9, 6},  // two rows high
        {9, 9, 5, 5},  // reversed
    };
    for (const RoiBox& b : boxes) {
        PicturePtr crop = CropRectangle(pix, 16, b);
        ASSERT_TRUE(crop);
        EXPECT_EQ(CheckCopiedOnly(crop, pix, 1, 1, 0, 0), 0) << b.x1 << "," << b.y1;
    }
}

TEST(CoreRoiCropTest, SelectAllLeavesTheOuterRowsAndColumnsWhite) {
    PicturePtr pix = Patterned(32, 32);
    PicturePtr crop = CropRectangle(pix, 32, {0, 0, 31, 31});
    EXPECT_EQ(CheckCopiedOnly(crop, pix, 1, 1, 30, 30), 30 * 30);
}

TEST(CoreRoiCropTest, SourceOfAnotherSizeIsReadOnlyInsideItself) {
    // a smaller picture under an older, larger ROI
    PicturePtr small = Patterned(20, 12);
    PicturePtr crop = CropRectangle(small, 40, {5, 5, 39, 39});
    ASSERT_TRUE(crop);
    EXPECT_EQ(crop->Width(), 40);
    EXPECT_EQ(CheckCopiedOnly(crop, small, 6, 6, 19, 11), 14 * 6);
    // a larger picture is cut at the working size
    PicturePtr large = Patterned(50, 50);
    crop = CropRectangle(large, 30, {0, 0, 45, 45});
    EXPECT_EQ(crop->Width(), 30);
    EXPECT_EQ(CheckCopiedOnly(crop, large, 1, 1, 29, 29), 29 * 29);
    // boxes beyond the picture on every side
    crop = CropRectangle(small, 40, {-100, -100, 1000, 1000});
    EXPECT_EQ(CheckCopiedOnly(crop, small, 0, 0, 19, 11), 20 * 12);
}

TEST(CoreRoiCropTest, MissingSourceOrSizeIsHandled) {
    PicturePtr crop = CropRectangle(nullptr, 8, {0, 0, 7, 7});
    ASSERT_TRUE(crop);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(At(crop, x, y), kWhite);
    EXPECT_FALSE(CropRectangle(Patterned(4, 4), 0, {0, 0, 3, 3}));
    EXPECT_FALSE(OvalMask(0, {0, 0, 3, 3}));
    EXPECT_FALSE(CropMasked(Patterned(4, 4), OvalMask(4, {0, 0, 3, 3}), 0, {0, 0, 3, 3}));
}

std::string Map(const PicturePtr& p, Color c) {
    std::string s;
    for (int y = 0; y < p->Height(); ++y) {
        for (int x = 0; x < p->Width(); ++x) s += At(p, x, y) == c ? '#' : '.';
        s += '\n';
    }
    return s;
}

TEST(CoreRoiCropTest, OvalMaskIsTheFilledOvalOfTheBoxWidthAndHeight) {
    // box (1,1)-(7,5): left 1, top 1, width 6, height 4
    PicturePtr mask = OvalMask(9, {1, 1, 7, 5});
    ASSERT_TRUE(mask);
    EXPECT_EQ(Map(mask, kMaskColor),
              ".........\n"
              "..####...\n"
              ".######..\n"
              ".######..\n"
              "..####...\n"
              ".........\n"
              ".........\n"
              ".........\n"
              ".........\n");
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const Color c = At(mask, x, y);
            EXPECT_TRUE(c == kWhite || c == kMaskColor);
        }
    // a click gives an empty mask
    EXPECT_EQ(Map(OvalMask(9, {4, 4, 4, 4}), kMaskColor), Map(NewPicture(9, 9), kMaskColor));
}

TEST(CoreRoiCropTest, OvalCropEqualsTheImageExactlyUnderTheMask) {
    PicturePtr pix = Patterned(64, 64);
    const RoiBox box{7, 12, 50, 41};
    PicturePtr mask = OvalMask(64, box);
    PicturePtr crop = CropMasked(pix, mask, 64, box);
    ASSERT_TRUE(crop);
    int inside = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (At(mask, x, y) == kMaskColor) {
                ++inside;
                EXPECT_EQ(At(crop, x, y), At(pix, x, y)) << x << "," << y;
            } else {
                EXPECT_EQ(At(crop, x, y), kWhite) << x << "," << y;
            }
        }
    EXPECT_GT(inside, 900);
}

TEST(CoreRoiCropTest, MaskedCropIncludesTheBoxEdgesAndNeedsExactYellow) {
    PicturePtr pix = Patterned(12, 12);
    PicturePtr mask = testing::Filled(12, 12, kMaskColor);
    testing::Set(mask, 3, 4, RGB(255, 255, 1));  // nearly yellow: not under the mask
    PicturePtr crop = CropMasked(pix, mask, 12, {2, 3, 5, 6});
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool copied = x >= 2 && x <= 5 && y >= 3 && y <= 6 && !(x == 3 && y == 4);
            EXPECT_EQ(At(crop, x, y), copied ? At(pix, x, y) : kWhite) << x << "," << y;
        }
}

TEST(CoreRoiCropTest, MaskedCropReadsOnlyInsideSourceAndMask) {
    PicturePtr pix = Patterned(10, 30);
    PicturePtr mask = testing::Filled(30, 8, kMaskColor);
    PicturePtr crop = CropMasked(pix, mask, 30, {0, 0, 29, 29});
    EXPECT_EQ(CheckCopiedOnly(crop, pix, 0, 0, 9, 7), 10 * 8);
    crop = CropMasked(pix, nullptr, 30, {0, 0, 29, 29});
    EXPECT_EQ(CheckCopiedOnly(crop, pix, 1, 1, 0, 0), 0);
}

// x of vertex k at index 2k - 1, y at 2k.
std::vector<int> Vertices(std::initializer_list<int> xy) {
    std::vector<int> v{0};
    v.insert(v.end(), xy);
    return v;
}

TEST(CoreRoiCropTest, PolygonMaskCoversEveryOutlinePixel) {
    const std::vector<int> triangle = Vertices({10, 10, 100, 10, 100, 80});
    PicturePtr mask = PolygonMask(128, triangle);
    ASSERT_TRUE(mask);
    // the outline as the canvas draws it
    PicturePtr outline = NewPicture(128, 128);
    outline->Graphics().ForeColor = kMaskColor;
    outline->Graphics().DrawPolygon(triangle);
    int rim = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (At(outline, x, y) == kMaskColor) {
                ++rim;
                EXPECT_EQ(At(mask, x, y), kMaskColor) << x << "," << y;
            }
    EXPECT_GT(rim, 200);
    for (auto [x, y] : {std::pair{10, 10}, {100, 10}, {100, 80}, {100, 40}, {55, 10}})
        EXPECT_EQ(At(mask, x, y), kMaskColor) << x << "," << y;
    EXPECT_EQ(At(mask, 60, 20), kMaskColor) << "inside";
    EXPECT_EQ(At(mask, 20, 60), kWhite) << "below the hypotenuse";
    EXPECT_EQ(At(mask, 101, 40), kWhite) << "right of the rim";
}

TEST(CoreRoiCropTest, ConcavePolygonLeavesItsNotchWhite) {
    // a U: the notch between its arms lies inside the bounding box
    const std::vector<int> u = Vertices({10, 10, 30, 10, 30, 50, 70, 50, 70, 10, 90, 10, 90, 90,
                                         10, 90});
    PicturePtr pix = Patterned(128, 128);
    PicturePtr mask = PolygonMask(128, u);
    PicturePtr crop = CropMasked(pix, mask, 128, {10, 10, 90, 90});
    EXPECT_EQ(At(crop, 50, 30), kWhite) << "the notch";
    EXPECT_EQ(At(crop, 20, 30), At(pix, 20, 30)) << "an arm";
    EXPECT_EQ(At(crop, 50, 70), At(pix, 50, 70)) << "the base";
    EXPECT_EQ(At(crop, 50, 50), At(pix, 50, 50)) << "the notch's rim";
}

TEST(CoreRoiCropTest, PolygonMaskOfOneOrTwoVerticesIsAPointOrALine) {
    PicturePtr point = PolygonMask(32, Vertices({5, 6}));
    PicturePtr line = PolygonMask(32, Vertices({2, 20, 12, 20}));
    int inPoint = 0, inLine = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            inPoint += At(point, x, y) == kMaskColor;
            inLine += At(line, x, y) == kMaskColor;
        }
    EXPECT_EQ(inPoint, 1);
    EXPECT_EQ(At(point, 5, 6), kMaskColor);
    EXPECT_EQ(inLine, 11);
    PicturePtr none = PolygonMask(32, Vertices({}));
    ASSERT_TRUE(none);
    EXPECT_EQ(At(none, 0, 0), kWhite);
}

// Checks a polygon's mask: it holds every pixel of the outline the canvas
// draws, every pixel inside the polygon (by its centre, with the vertices at
// pixel centres as the outline has them, and as the platform's fill takes
// them), and nothing further than a pixel from those; what side steps reach
// from the picture's edge through pixels that are neither stays white. For a
// polygon that does not cross itself, no pixel left out is closed in by the
// mask either.
void CheckPolygonMask(const std::vector<int>& v, int side, const std::string& what,
                      bool simple = true) {
    SCOPED_TRACE(what);
    PicturePtr mask = PolygonMask(side, v);
    ASSERT_TRUE(mask);
    PicturePtr outline = NewPicture(side, side), fill = NewPicture(side, side);
    outline->Graphics().ForeColor = kMaskColor;
    outline->Graphics().DrawPolygon(v);
    fill->Graphics().ForeColor = kMaskColor;
    fill->Graphics().FillPolygon(v);
    auto rim = [&](int x, int y) {
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i)
                if (At(outline, x + i, y + j) == kMaskColor) return true;
        return false;
    };
    int missing = 0, extra = 0;
    std::vector<char> needs(static_cast<size_t>(side * side), 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool onOutline = At(outline, x, y) == kMaskColor;
            const bool inside = InsidePolygon(v, x, y);
            const bool needed = onOutline || inside || At(fill, x, y) == kMaskColor;
            const bool masked = At(mask, x, y) == kMaskColor;
            needs[static_cast<size_t>(y * side + x)] = needed;
            if (needed && !masked && missing++ < 5) {
                ADD_FAILURE() << "left out: " << x << "," << y;
            }
            if (masked && !needed && !rim(x, y) && extra++ < 5) {
                ADD_FAILURE() << "taken: " << x << "," << y;
            }
            if (!masked) {
                EXPECT_EQ(At(mask, x, y), kWhite);
            }
        }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(extra, 0);
    // outside the polygon and its outline, open to the picture's edge
    std::vector<char> open(static_cast<size_t>(side * side), 0);
    std::vector<std::pair<int, int>> todo;
    auto enter = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= side || y >= side) return;
        const size_t at = static_cast<size_t>(y * side + x);
        if (open[at] || needs[at]) return;
        open[at] = 1;
        todo.emplace_back(x, y);
    };
    for (int i = 0; i < side; ++i) enter(i, 0), enter(i, side - 1), enter(0, i), enter(side - 1, i);
    int taken = 0;
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (At(mask, x, y) == kMaskColor && taken++ < 5) {
            ADD_FAILURE() << "taken though open to the edge: " << x << "," << y;
        }
        enter(x - 1, y), enter(x + 1, y), enter(x, y - 1), enter(x, y + 1);
    }
    EXPECT_EQ(taken, 0);
    if (!simple) return;
    // what side steps reach from the picture's edge without entering the mask
    std::vector<char> reached(static_cast<size_t>(side * side), 0);
    auto reach = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= side || y >= side) return;
        char& r = reached[static_cast<size_t>(y * side + x)];
        if (r || At(mask, x, y) == kMaskColor) return;
        r = 1;
        todo.emplace_back(x, y);
    };
    for (int i = 0; i < side; ++i) reach(i, 0), reach(i, side - 1), reach(0, i), reach(side - 1, i);
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        reach(x - 1, y), reach(x + 1, y), reach(x, y - 1), reach(x, y + 1);
    }
    int closedIn = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (At(mask, x, y) != kMaskColor && !reached[static_cast<size_t>(y * side + x)] &&
                closedIn++ < 5) {
                ADD_FAILURE() << "white within the rim: " << x << "," << y;
            }
    EXPECT_EQ(closedIn, 0);
}

TEST(CoreRoiCropTest, PolygonMaskHoldsTheRimAndInsideForEdgesOfEveryDirectionAndSlope) {
    // The notch drawn on a 512-pixel image, turned and mirrored into all eight
    // positions: each of its slanted edges then runs in every direction.
    const std::vector<std::pair<int, int>> notch = {
        {150, 150}, {350, 150}, {350, 350}, {250, 250}, {150, 350}};
    for (int turn = 0; turn < 8; ++turn) {
        std::vector<int> v{0};
        for (auto [x, y] : notch) {
            int a = turn & 1 ? 511 - x : x, b = turn & 2 ? 511 - y : y;
            if (turn & 4) std::swap(a, b);
            v.push_back(a);
            v.push_back(b);
        }
        CheckPolygonMask(v, 512, "notch " + std::to_string(turn));
    }
    // Fans of edges from a centre: slopes from flat to steep in each direction.
    for (int rise : {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31}) {
        const std::vector<int> v =
            Vertices({64 + 31, 64 + rise, 64 - rise, 64 + 31, 64 - 31, 64 - rise, 64 + rise, 64 - 31});
        CheckPolygonMask(v, 128, "diamond " + std::to_string(rise));
        CheckPolygonMask(Vertices({64, 64, 64 + 40, 64 + rise, 64 + rise, 64 + 40}), 128,
                         "wedge " + std::to_string(rise));
        CheckPolygonMask(Vertices({64, 64, 64 - 40, 64 - rise, 64 - rise, 64 - 40}), 128,
                         "wedge back " + std::to_string(rise));
    }
    // Twenty vertices anywhere: concave, crossing itself, with thin spikes.
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(range));
    };
    for (int round = 0; round < 40; ++round) {
        // star-shaped around the centre, so it never crosses itself
        std::vector<int> star{0};
        const int n = 3 + next(18);
        for (int k = 0; k < n; ++k) {
            const double angle = 6.283185307179586 * (k + next(80) / 100.0) / n;
            const double radius = 5 + next(44);
            star.push_back(50 + static_cast<int>(std::lround(radius * std::cos(angle))));
            star.push_back(50 + static_cast<int>(std::lround(radius * std::sin(angle))));
        }
        CheckPolygonMask(star, 100, "star " + std::to_string(round));
    }
    for (int round = 0; round < 40; ++round) {
        std::vector<int> v{0};
        const int n = 3 + next(18);
        for (int k = 0; k < 2 * n; ++k) v.push_back(next(100));
        CheckPolygonMask(v, 100, "random " + std::to_string(round), false);
    }
}

TEST(CoreRoiCropTest, PolygonMaskLeavesNarrowNotchesOpenInEveryDirection) {
    // A square with a slit cut into it from below, `width` white columns
    // between its walls, straight or leaning; turned so that it opens down,
    // up, right and left.
    constexpr int side = 96;
    const char* opens[] = {"down", "up", "right", "left"};
    for (int width : {1, 2, 3, 4, 6, 9})
        for (int lean : {0, 5, -11, 30})
            for (int turn = 0; turn < 4; ++turn) {
                // the slit's walls rise from columns 40 and 41 + width on the bottom edge
                const int a = 40, b = a + width + 1, top = 40;
                const std::vector<std::pair<int, int>> notch = {
                    {15, 15},        {80, 15},        {80, 80}, {b, 80},
                    {b + lean, top}, {a + lean, top}, {a, 80},  {15, 80}};
                std::vector<int> v{0};
                for (auto [x, y] : notch) {
                    const int turned = turn % 2 ? side - 1 - y : y;
                    v.push_back(turn >= 2 ? turned : x);
                    v.push_back(turn >= 2 ? x : turned);
                }
                CheckPolygonMask(v, side,
                                 std::string("slit ") + std::to_string(width) + " lean " +
                                     std::to_string(lean) + " opening " + opens[turn]);
            }
}

TEST(CoreRoiCropTest, PolygonCropIsTheSourceExactlyUnderItsMask) {
    // a star with thin spikes, a notch, and a polygon reaching beyond the picture
    const std::vector<int> shapes[] = {
        Vertices({30, 2, 33, 28, 58, 30, 33, 32, 30, 58, 27, 32, 2, 30, 27, 28}),
        Vertices({5, 5, 50, 5, 50, 50, 29, 50, 29, 20, 27, 20, 27, 50, 5, 50}),
        Vertices({-20, 10, 90, 30, 10, 80})};
    // sources smaller, larger and of the working size
    const PicturePtr sources[] = {Patterned(40, 25), Patterned(80, 80), Patterned(60, 60)};
    for (const auto& v : shapes)
        for (const PicturePtr& source : sources) {
            const MaskedCrop made = CropPolygon(source, 60, v);
            ASSERT_TRUE(made.mask && made.crop);
            EXPECT_EQ(Map(made.mask, kMaskColor), Map(PolygonMask(60, v), kMaskColor));
            int copied = 0;
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 60; ++x) {
                    const bool under = At(made.mask, x, y) == kMaskColor && x < source->Width() &&
                                       y < source->Height();
                    copied += under;
                    EXPECT_EQ(At(made.crop, x, y), under ? At(source, x, y) : kWhite)
                        << x << "," << y;
                }
            EXPECT_GT(copied, 50);
        }
    EXPECT_FALSE(CropPolygon(Patterned(4, 4), 0, Vertices({0, 0, 3, 0, 3, 3})).crop);
    EXPECT_EQ(Map(CropPolygon(nullptr, 8, Vertices({1, 1, 6, 1, 6, 6})).crop, kWhite),
              Map(NewPicture(8, 8), kWhite));
}

TEST(CoreRoiCropTest, APolygonReachingBeyondTheMaskIsStillFilledOnIt) {
    // clicked on a larger frame: its lower corner lies outside this picture
    PicturePtr mask = PolygonMask(64, Vertices({10, 10, 120, 10, 10, 120}));
    ASSERT_TRUE(mask);
    EXPECT_EQ(At(mask, 30, 30), kMaskColor);
    EXPECT_EQ(At(mask, 63, 40), kMaskColor);
    EXPECT_EQ(At(mask, 5, 5), kWhite);
}

}  // namespace
}  // namespace qv
