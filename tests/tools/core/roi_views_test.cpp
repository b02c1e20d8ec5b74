#include "tools/core/roi_views.h"

#include <gtest/gtest.h>

#include "core_fixtures.h"

namespace qv {
namespace {

using testing::At;
using testing::Set;

// A 3 x 3 copy whose row 0 and column 0 are black (they must come out white).
PicturePtr Copy3(Color a, Color b, Color c, Color d) {
    PicturePtr p = testing::Filled(3, 3, kBlack);
    Set(p, 1, 1, a);
    Set(p, 2, 1, b);
    Set(p, 1, 2, c);
    Set(p, 2, 2, d);
    return p;
}

void ExpectBorderWhite(const PicturePtr& p) {
    for (int i = 0; i < p->Width(); ++i) EXPECT_EQ(At(p, i, 0), kWhite) << i;
    for (int i = 0; i < p->Height(); ++i) EXPECT_EQ(At(p, 0, i), kWhite) << i;
}

TEST(RoiViewsTest, AutoContrastStretchesEachChannelToExactly255) {
    PicturePtr copy = Copy3(RGB(10, 8, 0), RGB(51, 40, 0), RGB(0, 16, 0), RGB(25, 0, 0));
    PicturePtr s = AutoContrast(copy);
    ASSERT_TRUE(s);
    EXPECT_NE(s, copy);
    EXPECT_EQ(At(s, 1, 1), RGB(50, 51, 0));
    EXPECT_EQ(At(s, 2, 1), RGB(255, 255, 0));
    EXPECT_EQ(At(s, 1, 2), RGB(0, 102, 0));
    EXPECT_EQ(At(s, 2, 2), RGB(125, 0, 0));
    ExpectBorderWhite(s);
    EXPECT_EQ(At(copy, 0, 0), kBlack) << "the copy is not changed";

    // A maximum of 25 lands on 255 (25 * (255 / 25) in doubles would give 254);
    // a channel already reaching 255 keeps its values.
    s = AutoContrast(Copy3(RGB(25, 255, 0), RGB(5, 128, 0), RGB(0, 1, 0), RGB(24, 254, 0)));
    EXPECT_EQ(At(s, 1, 1), RGB(255, 255, 0));
    EXPECT_EQ(At(s, 2, 1), RGB(51, 128, 0));
    EXPECT_EQ(At(s, 1, 2), RGB(0, 1, 0));
    EXPECT_EQ(At(s, 2, 2), RGB(244, 254, 0));
    EXPECT_FALSE(AutoContrast(nullptr));
}

TEST(RoiViewsTest, AutoContrastFindsEachMaximumAnywhereInTheInterior) {
    // 23 pixels a row: the maxima are read in blocks of four pixels and a
    // remainder; a maximum may sit in either, never on row 0 or column 0.
    PicturePtr copy = testing::Filled(23, 4, RGB(1, 1, 1));
    Set(copy, 21, 2, RGB(200, 1, 1));  // red maximum in the remainder
    Set(copy, 3, 3, RGB(1, 100, 1));   // green maximum in a block
    Set(copy, 0, 1, RGB(1, 1, 255));   // column 0: not part of the interior
    Set(copy, 5, 0, RGB(1, 1, 255));   // row 0 neither
    Set(copy, 9, 1, RGB(1, 1, 50));
    PicturePtr s = AutoContrast(copy);
    EXPECT_EQ(At(s, 21, 2), RGB(255, 2, 5));
    EXPECT_EQ(At(s, 3, 3), RGB(1, 255, 5));
    EXPECT_EQ(At(s, 9, 1), RGB(1, 2, 255));
    EXPECT_EQ(At(s, 22, 3), RGB(1, 2, 5));
}

TEST(RoiViewsTest, SaturationViewsPaintTheirChannelsSaturatedPixelsWhite) {
    PicturePtr copy = Copy3(RGB(255, 200, 0), RGB(254, 255, 0), RGB(3, 4, 255), RGB(1, 2, 3));
    struct Case {
        RoiChannel channel;
        Color a, b, c;
    } cases[] = {
        {RoiChannel::Red, kWhite, RGB(254, 255, 0), RGB(3, 4, 255)},
        {RoiChannel::Green, RGB(255, 200, 0), kWhite, RGB(3, 4, 255)},
        {RoiChannel::Blue, RGB(255, 200, 0), RGB(254, 255, 0), kWhite},
        {RoiChannel::Any, kWhite, kWhite, kWhite},
    };
    for (const Case& c : cases) {
        PicturePtr v = SaturationView(copy, c.channel);
        ASSERT_TRUE(v);
        EXPECT_EQ(At(v, 1, 1), c.a);
        EXPECT_EQ(At(v, 2, 1), c.b);
        EXPECT_EQ(At(v, 1, 2), c.c);
        EXPECT_EQ(At(v, 2, 2), RGB(1, 2, 3));
        ExpectBorderWhite(v);
    }
}

TEST(RoiViewsTest, RampFollowsItsReferencePoints) {
    struct Case {
        double f, hue, value;
    } cases[] = {
        {0.0, 0.0, 1.0},
        {0.5, 0.41236, 1.0},
        {0.9, 0.69259, 0.58744},
        {169.0 / 170.0, 0.74802, 0.03309},
        {1.0, 0.75133, 0.0},
        {(255 - 42) / 255.0, 0.65188, 0.99449},  // v = 42
        {254 / 255.0, 0.74913, 0.02204},         // v = 1
    };
    for (const Case& c : cases) {
        const RampPoint p = Ramp(c.f);
        EXPECT_NEAR(p.hue, c.hue, 5e-6) << c.f;
        EXPECT_NEAR(p.value, c.value, 5e-6) << c.f;
    }
    EXPECT_EQ(RampColour(0.0), RGB(255, 0, 0));
}

TEST(RoiViewsTest, PseudoColourMapsTheChosenChannelThroughTheRamp) {
    PicturePtr copy = Copy3(RGB(7, 255, 9), RGB(200, 1, 0), RGB(0, 0, 0), RGB(255, 128, 255));
    PicturePtr p = PseudoColour(copy, RoiChannel::Green);
    ASSERT_TRUE(p);
    EXPECT_EQ(At(p, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(At(p, 2, 1), RGB(3, 0, 6));
    EXPECT_EQ(At(p, 1, 2), kBlack);
    EXPECT_EQ(At(p, 2, 2), RampColour(127 / 255.0));
    ExpectBorderWhite(p);

    p = PseudoColour(copy, RoiChannel::Red);
    EXPECT_EQ(At(p, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(At(p, 2, 1), RampColour(55 / 255.0));
    p = PseudoColour(copy, RoiChannel::Blue);
    EXPECT_EQ(At(p, 1, 1), RampColour(246 / 255.0));
}

TEST(RoiViewsTest, LutBarShowsTheRampTopToBottom) {
    PicturePtr bar = LutBar();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 170);
    for (int x = 0; x < 17; ++x) {
        EXPECT_EQ(At(bar, x, 0), RGB(255, 0, 0));
        EXPECT_EQ(At(bar, x, 169), RGB(4, 0, 8));
        EXPECT_EQ(At(bar, x, 85), RampColour(0.5));
    }
    for (int y = 0; y < 170; ++y) EXPECT_NE(At(bar, 8, y), kBlack) << y;
}

}  // namespace
}  // namespace qv
