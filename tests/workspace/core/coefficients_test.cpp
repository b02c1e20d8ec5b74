#include "workspace/core/coefficients.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "core_fixtures.h"

namespace qv {
namespace {

using testing::Set;

// A 6 x 4 crop; the box (0,0)-(5,3) has the interior x 1..4, y 1..2.
PicturePtr KnownCrop() {
    PicturePtr crop = NewPicture(6, 4);
    Set(crop, 1, 1, RGB(100, 50, 0));
    Set(crop, 2, 1, RGB(0, 200, 10));
    // (3, 1) stays pure white: skipped
    Set(crop, 4, 1, RGB(0, 7, 0));
    Set(crop, 1, 2, kBlack);
    Set(crop, 2, 2, RGB(30, 0, 40));
    Set(crop, 3, 2, RGB(255, 255, 254));  // not white: counted
    Set(crop, 4, 2, RGB(5, 6, 0));
    // on the box's edge: never part of the pass
    Set(crop, 0, 0, RGB(90, 90, 90));
    Set(crop, 5, 3, RGB(90, 90, 90));
    Set(crop, 0, 2, RGB(90, 90, 90));
    Set(crop, 3, 3, RGB(90, 90, 90));
    return crop;
}

constexpr RoiBox kBox{0, 0, 5, 3};

struct Expected {
    std::int64_t sum, total, pixels;
    const char* text;
};

void ExpectRows(const OverlapCoefficients& c, const std::array<Expected, 6>& e) {
    const char* names[] = {"Red-Green",  "Red-Blue", "Green-Red",
                           "Green-Blue", "Blue-Red", "Blue-Green"};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(names[i]);
        const OverlapRow& r = c.rows[static_cast<size_t>(i)];
        EXPECT_EQ(r.sum, e[static_cast<size_t>(i)].sum);
        EXPECT_EQ(r.total, e[static_cast<size_t>(i)].total);
        EXPECT_EQ(r.pixels, e[static_cast<size_t>(i)].pixels);
        EXPECT_EQ(CoefficientText(r), QString::fromLatin1(e[static_cast<size_t>(i)].text));
    }
}

TEST(CoreCoefficientsTest, WithoutMaskSumsEveryChannelAboveZero) {
    const OverlapCoefficients c =
        ComputeOverlap(KnownCrop(), kBox, ThresholdsFor("rg", false, 9, 9));
    // red total 100+30+255+5 = 390, green 50+200+7+255+6 = 518, blue 10+40+254 = 304
    ExpectRows(c, {{
                      {100 + 255 + 5, 390, 3, "0.92"},  // 360 / 390 = 0.923
                      {30 + 255, 390, 2, "0.73"},       // 285 / 390 = 0.731
                      {50 + 255 + 6, 518, 3, "0.60"},   // 311 / 518 = 0.600
                      {200 + 255, 518, 2, "0.87"},      // 455 / 518 = 0.878
                      {40 + 254, 304, 2, "0.96"},       // 294 / 304 = 0.967
                      {10 + 254, 304, 2, "0.86"},       // 264 / 304 = 0.868
                  }});
}

TEST(CoreCoefficientsTest, QuadrantMaskKeepsValuesFromTheCrossPointOn) {
    // "rg" cross-point (50, 155): green passes from 50, red from 255 - 155 = 100;
    // (100, 50, 0) sits exactly on both and passes both.
    const CoefficientThresholds t = ThresholdsFor("rg", true, 50, 155);
    EXPECT_EQ(t, (CoefficientThresholds{99, 49, 0}));
    const OverlapCoefficients c = ComputeOverlap(KnownCrop(), kBox, t);
    EXPECT_EQ(c.rows[kRedGreen].sum, 100 + 255);
    EXPECT_EQ(c.rows[kRedGreen].total, 100 + 255);
    EXPECT_EQ(c.rows[kRedGreen].pixels, 2);
    EXPECT_EQ(CoefficientText(c.rows[kRedGreen]), "1");
    EXPECT_EQ(c.rows[kGreenRed].sum, 50 + 255);
    EXPECT_EQ(c.rows[kGreenRed].total, 50 + 200 + 255);
    EXPECT_EQ(c.rows[kGreenRed].pixels, 2);
    EXPECT_EQ(CoefficientText(c.rows[kGreenRed]), "0.60");
}

TEST(CoreCoefficientsTest, ThresholdsOfMinusOneCountBlackPixels) {
    // cross-point column 0 and row 255: both thresholds -1
    const CoefficientThresholds t = ThresholdsFor("rg", true, 0, 255);
    EXPECT_EQ(t, (CoefficientThresholds{-1, -1, 0}));
    PicturePtr crop = KnownCrop();
    const OverlapCoefficients withBlack = ComputeOverlap(crop, kBox, t);
    Set(crop, 1, 2, kWhite);
    const OverlapCoefficients withoutBlack = ComputeOverlap(crop, kBox, t);
    // 7 pixels that are not white, the black one included
    EXPECT_EQ(withBlack.rows[kRedGreen].pixels, 7);
    EXPECT_EQ(withBlack.rows[kGreenRed].pixels, 7);
    EXPECT_EQ(withoutBlack.rows[kRedGreen].pixels, 6);
    EXPECT_EQ(CoefficientText(withBlack.rows[kRedGreen]), "1");
    EXPECT_EQ(CoefficientText(withBlack.rows[kGreenRed]), "1");
}

TEST(CoreCoefficientsTest, ThresholdsFollowTheChannelPair) {
    struct Case {
        const char* mode;
        bool mask;
        int cx, cy;
        CoefficientThresholds t;
    };
    const Case cases[] = {
        {"rg", true, 50, 155, {99, 49, 0}},  {"rb", true, 50, 155, {99, 0, 49}},
        {"bg", true, 50, 155, {0, 49, 99}},  {"bg", true, 0, 255, {0, -1, -1}},
        {"rg", true, 255, 0, {254, 254, 0}}, {"rg", false, 50, 155, {0, 0, 0}},
        {"gr", true, 50, 155, {0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ThresholdsFor(c.mode, c.mask, c.cx, c.cy), c.t) << c.mode << " " << c.mask;
}

TEST(CoreCoefficientsTest, RowsKeptUnderTheMask) {
    using Rows = std::array<bool, 6>;
    EXPECT_EQ(RowsKeptUnderMask("rg"), (Rows{true, false, true, false, false, false}));
    EXPECT_EQ(RowsKeptUnderMask("rb"), (Rows{false, true, false, false, true, false}));
    EXPECT_EQ(RowsKeptUnderMask("bg"), (Rows{false, false, false, true, false, true}));
    EXPECT_EQ(RowsKeptUnderMask("xy"), (Rows{true, true, true, true, true, true}));
}

TEST(CoreCoefficientsTest, WindowTextsAreTheValuesAndCountsOfTheKeptRows) {
    // Without the mask every row shows; with it only the rows of the mode's pair,
    // the others are empty; a mode that names no pair keeps every row.
    const OverlapCoefficients plain =
        ComputeOverlap(KnownCrop(), kBox, ThresholdsFor("rg", false, 9, 9));
    const OverlapCoefficients masked =
        ComputeOverlap(KnownCrop(), kBox, ThresholdsFor("rg", true, 50, 155));
    using Texts = std::array<const char*, 6>;
    struct Case {
        const OverlapCoefficients* result;
        const char* mode;
        bool mask;
        Texts values, pixels;
    };
    const Case cases[] = {
        {&plain,
         "rg",
         false,
         {"0.92", "0.73", "0.60", "0.87", "0.96", "0.86"},
         {"3", "2", "3", "2", "2", "2"}},
        {&plain,
         "bg",
         false,
         {"0.92", "0.73", "0.60", "0.87", "0.96", "0.86"},
         {"3", "2", "3", "2", "2", "2"}},
        {&masked, "rg", true, {"1", "", "0.60", "", "", ""}, {"2", "", "2", "", "", ""}},
        {&plain, "rb", true, {"", "0.73", "", "", "0.96", ""}, {"", "2", "", "", "2", ""}},
        {&plain, "bg", true, {"", "", "", "0.87", "", "0.86"}, {"", "", "", "2", "", "2"}},
        {&plain,
         "xy",
         true,
         {"0.92", "0.73", "0.60", "0.87", "0.96", "0.86"},
         {"3", "2", "3", "2", "2", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mode << (c.mask ? " masked" : ""));
        const CoefficientWindowTexts t = CoefficientTexts(*c.result, c.mode, c.mask);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(t.values[i], QString::fromLatin1(c.values[i])) << "row " << i;
            EXPECT_EQ(t.pixels[i], QString::fromLatin1(c.pixels[i])) << "row " << i;
        }
    }
    // A row without a channel total shows the fixed text, never a number.
    const OverlapCoefficients empty = ComputeOverlap(nullptr, kBox, {});
    const CoefficientWindowTexts none = CoefficientTexts(empty, "rg", false);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(none.values[i], kNoCoefficientText);
        EXPECT_EQ(none.pixels[i], "0");
    }
}

TEST(CoreCoefficientsTest, ValueTextIsCutToFourCharacters) {
    struct Case {
        std::int64_t sum, total;
        const char* text;
    };
    const Case cases[] = {
        {8532, 10000, "0.85"},   {2, 3, "0.66"}, {1, 1, "1"},   {1, 2, "0.5"},
        {123, 10000000, "0.00"}, {0, 5, "0"},    {0, 0, "n/a"}, {7, 0, "n/a"},
    };
    for (const Case& c : cases) {
        const OverlapRow row{Channel::Red, Channel::Green, c.sum, c.total, 0};
        EXPECT_EQ(CoefficientText(row), QString::fromLatin1(c.text)) << c.sum << "/" << c.total;
    }
}

TEST(CoreCoefficientsTest, ZeroChannelTotalsGiveATextNotANumber) {
    // a red-green image: blue is 0 everywhere
    PicturePtr crop = NewPicture(5, 5);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) Set(crop, x, y, RGB(10 * x, 20 * y, 0));
    const OverlapCoefficients c = ComputeOverlap(crop, {0, 0, 4, 4}, {});
    double v = 42;
    EXPECT_FALSE(c.rows[kBlueRed].Value(&v));
    EXPECT_EQ(v, 42);
    EXPECT_EQ(CoefficientText(c.rows[kBlueRed]), kNoCoefficientText);
    EXPECT_EQ(CoefficientText(c.rows[kBlueGreen]), kNoCoefficientText);
    EXPECT_EQ(CoefficientText(c.rows[kRedGreen]), "1");
    EXPECT_EQ(CoefficientText(c.rows[kRedBlue]), "0");
    EXPECT_EQ(c.rows[kRedBlue].pixels, 0);
}

TEST(CoreCoefficientsTest, EmptyPassesGiveZeros) {
    const PicturePtr crop = KnownCrop();
    const RoiBox boxes[] = {{0, 0, 0, 0}, {0, 0, 1, 3}, {1, 1, 3, 2}, {20, 20, 40, 40}};
    for (const RoiBox& b : boxes) {
        const OverlapCoefficients c = ComputeOverlap(crop, b, {});
        for (const OverlapRow& r : c.rows) {
            EXPECT_EQ(r.sum, 0);
            EXPECT_EQ(r.total, 0);
            EXPECT_EQ(r.pixels, 0);
        }
    }
    // no crop under a rectangle with an interior reads nothing
    for (const OverlapRow& r : ComputeOverlap(nullptr, {0, 0, 100, 100}, {}).rows)
        EXPECT_EQ(r.total + r.pixels, 0);
    // a box larger than the crop reads only the crop
    const OverlapCoefficients wide = ComputeOverlap(crop, {-10, -10, 100, 100}, {});
    EXPECT_EQ(wide.rows[kRedGreen].total, 390 + 90 * 4);
}

}  // namespace
}  // namespace qv
