#include "workspace/core/fluorogram.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "core_fixtures.h"

namespace qv {
namespace {

using testing::At;
using testing::Filled;
using testing::Pair;
using testing::Set;

// Every bin other than (column, row) is empty in all three pictures and the counts.
void ExpectOnlyBin(const Fluorogram& f, int column, int row) {
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            if (x == column && y == row) continue;
            ASSERT_EQ(f.hits->At(x, y), 0u) << x << "," << y;
            ASSERT_EQ(At(f.scatter, x, y), kBlack) << x << "," << y;
            ASSERT_EQ(At(f.counts, x, y), kBlack) << x << "," << y;
            ASSERT_EQ(At(f.density, x, y), kWhite) << x << "," << y;
        }
}

TEST(CoreFluorogramTest, PairTableNamesAxesLabelsAndRows) {
    struct Case {
        const char* mode;
        const char* row;
        Channel x, y;
        const char* yText;
        Color yColor;
        const char* xText;
        Color xColor;
    };
    const Case cases[] = {
        {"rg", "Red - Green", Channel::Green, Channel::Red, "Red", RGB(128, 0, 0), "Green",
         RGB(0, 128, 0)},
        {"rb", "Red - Blue", Channel::Blue, Channel::Red, "Red", RGB(128, 0, 0), "Blue",
         RGB(0, 0, 128)},
        {"bg", "Blue - Green", Channel::Green, Channel::Blue, "Blue", RGB(0, 0, 128), "Green",
         RGB(0, 128, 0)},
    };
    for (int i = 0; i < 3; ++i) {
        const Case& c = cases[i];
        const ChannelPair& p = kChannelPairs[static_cast<size_t>(i)];
        EXPECT_EQ(&Pair(c.mode), &p);
        EXPECT_STREQ(p.popupRow, c.row);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
        EXPECT_STREQ(p.yLabel.text, c.yText);
        EXPECT_EQ(p.yLabel.color, c.yColor);
        EXPECT_STREQ(p.xLabel.text, c.xText);
        EXPECT_EQ(p.xLabel.color, c.xColor);
    }
    for (const char* other : {"gr", "RG", "", "rgb"})
        EXPECT_EQ(FindChannelPair(QString::fromLatin1(other)), nullptr) << other;
}

TEST(CoreFluorogramTest, OnePixelMarksItsBinInEveryPair) {
    PicturePtr crop = NewPicture(5, 5);
    Set(crop, 2, 3, RGB(200, 50, 7));
    struct Case {
        const char* mode;
        int column, row;
        Color scatter;
    };
    const Case cases[] = {
        {"rg", 50, 55, RGB(200, 50, 0)},
        {"rb", 7, 55, RGB(200, 0, 7)},
        {"bg", 50, 248, RGB(0, 50, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const Fluorogram f = BuildFluorogram(crop, Pair(c.mode), {0, 0, 4, 4});
        ASSERT_TRUE(f.scatter && f.counts && f.density && f.hits);
        EXPECT_EQ(f.scatter->Width(), 256);
        EXPECT_EQ(f.density->Height(), 256);
        EXPECT_EQ(f.hits->At(c.column, c.row), 1u);
        EXPECT_EQ(f.hits->Total(), 1);
        EXPECT_EQ(At(f.scatter, c.column, c.row), c.scatter);
        EXPECT_EQ(At(f.counts, c.column, c.row), RGB(0, 1, 0));
        EXPECT_EQ(At(f.density, c.column, c.row), RGB(3, 3, 3));
        ExpectOnlyBin(f, c.column, c.row);
    }
}

TEST(CoreFluorogramTest, OnlyPureBlackAndPureWhiteAreSkipped) {
    PicturePtr crop = NewPicture(4, 1);  // (0,0) stays white
    Set(crop, 1, 0, kBlack);
    Set(crop, 2, 0, RGB(0, 0, 1));
    Set(crop, 3, 0, RGB(255, 255, 254));
    const Fluorogram f = BuildFluorogram(crop, Pair("rg"), {0, 0, 3, 0});
    EXPECT_EQ(f.hits->Total(), 2);
    // (0,0,1) lands on bin (0, 255) with a black scatter colour but is counted
    EXPECT_EQ(f.hits->At(0, 255), 1u);
    EXPECT_EQ(At(f.scatter, 0, 255), kBlack);
    EXPECT_EQ(At(f.counts, 0, 255), RGB(0, 1, 0));
    EXPECT_EQ(At(f.density, 0, 255), RGB(3, 3, 3));
    EXPECT_EQ(f.hits->At(255, 0), 1u);
    EXPECT_EQ(At(f.scatter, 255, 0), RGB(255, 255, 0));
}

TEST(CoreFluorogramTest, BoxOfOnlyNoDataPixelsGivesAnEmptyFluorogram) {
    PicturePtr crop = NewPicture(6, 6);
    for (int x = 0; x < 6; ++x) Set(crop, x, x, kBlack);
    const Fluorogram f = BuildFluorogram(crop, Pair("bg"), {0, 0, 5, 5});
    EXPECT_EQ(f.hits->Total(), 0);
    ExpectOnlyBin(f, -1, -1);
}

TEST(CoreFluorogramTest, CountsAndDensityAfterManyHitsOfOneBin) {
    // 300 x 300 of one data colour; each box selects a known number of pixels
    PicturePtr crop = Filled(300, 300, RGB(200, 50, 7));
    struct Case {
        RoiBox box;
        std::uint32_t hits;
        Color count;
        int grey;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, 1, RGB(0, 1, 0), 3},
        {{0, 0, 62, 0}, 63, RGB(0, 63, 0), 251},
        {{0, 0, 63, 0}, 64, RGB(0, 64, 0), 255},
        {{0, 0, 64, 0}, 65, RGB(0, 65, 0), 3},
        {{0, 0, 254, 0}, 255, RGB(0, 255, 0), 251},
        {{0, 0, 255, 0}, 256, RGB(1, 0, 0), 255},
        {{0, 0, 256, 254}, 65535, RGB(255, 255, 0), (255 + 4 * 65535) % 256},
        {{0, 0, 299, 218}, 65700, RGB(255, 255, 0), (255 + 4 * 65700) % 256},
        {{0, 0, 299, 299}, 90000, RGB(255, 255, 0), (255 + 4 * 90000) % 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hits);
        const Fluorogram f = BuildFluorogram(crop, Pair("rg"), c.box);
        EXPECT_EQ(f.hits->At(50, 55), c.hits);
        EXPECT_EQ(f.hits->Total(), c.hits);
        EXPECT_EQ(At(f.counts, 50, 55), c.count);
        EXPECT_EQ(At(f.density, 50, 55), RGB(c.grey, c.grey, c.grey));
    }
}

TEST(CoreFluorogramTest, BoxIncludesBothEdgesAndOneColumnScansOneColumn) {
    // column x holds green x + 1, so each column marks its own bin
    PicturePtr crop = NewPicture(8, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) Set(crop, x, y, RGB(9, x + 1, 0));
    const Fluorogram one = BuildFluorogram(crop, Pair("rg"), {3, 0, 3, 4});
    EXPECT_EQ(one.hits->Total(), 5);
    EXPECT_EQ(one.hits->At(4, 246), 5u);
    const Fluorogram square = BuildFluorogram(crop, Pair("rg"), {1, 1, 2, 2});
    EXPECT_EQ(square.hits->At(2, 246), 2u);
    EXPECT_EQ(square.hits->At(3, 246), 2u);
    EXPECT_EQ(square.hits->Total(), 4);
}

TEST(CoreFluorogramTest, BoxIsClippedToTheCrop) {
    PicturePtr crop = Filled(10, 10, RGB(1, 2, 3));
    struct Case {
        RoiBox box;
        std::int64_t hits;
    };
    const Case cases[] = {
        {{5, 5, 20, 20}, 25},    {{-3, -3, 1, 1}, 4}, {{10, 0, 40, 9}, 0},
        {{-50, -50, -1, -1}, 0}, {{6, 6, 2, 2}, 0},   {{-100000, -100000, 100000, 100000}, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountFluorogram(crop, Pair("rb"), c.box).Total(), c.hits)
            << c.box.x1 << "," << c.box.y1 << "-" << c.box.x2 << "," << c.box.y2;
    const Fluorogram none = BuildFluorogram(nullptr, Pair("rg"), {0, 0, 9, 9});
    ASSERT_TRUE(none.hits);
    EXPECT_EQ(none.hits->Total(), 0);
    ExpectOnlyBin(none, -1, -1);
}

TEST(CoreFluorogramTest, VariedCropMatchesAPixelByPixelCount) {
    std::mt19937 rng(7);
    PicturePtr crop = NewPicture(97, 61);
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 97; ++x) {
            const unsigned v = rng();
            // a few no-data pixels among many repeated colours
            const Color c = v % 11 == 0 ? kBlack : v % 13 == 0 ? kWhite : (v >> 8) & 0x3F3F3Fu;
            Set(crop, x, y, c);
        }
    const RoiBox box{3, 2, 90, 58};
    for (const ChannelPair& pair : kChannelPairs) {
        SCOPED_TRACE(pair.mode);
        FluorogramCounts expected;
        for (int x = box.x1; x <= box.x2; ++x)
            for (int y = box.y1; y <= box.y2; ++y) {
                const Color c = At(crop, x, y);
                if (c == kBlack || c == kWhite) continue;
                expected.Add(ChannelValue(c, pair.x), 255 - ChannelValue(c, pair.y));
            }
        const Fluorogram f = BuildFluorogram(crop, pair, box);
        EXPECT_EQ(*f.hits, expected);
        for (int row = 0; row < 256; ++row)
            for (int column = 0; column < 256; ++column) {
                const std::uint32_t k = expected.At(column, row);
                // the bin's own intensities in the pair's two channels
                auto part = [&](Channel ch) {
                    return ch == pair.x ? column : (ch == pair.y ? 255 - row : 0);
                };
                const Color scatter =
                    RGB(part(Channel::Red), part(Channel::Green), part(Channel::Blue));
                ASSERT_EQ(At(f.scatter, column, row), k ? scatter : kBlack);
                ASSERT_EQ(At(f.counts, column, row), RGB(k / 256, k % 256, 0));
                const int g = static_cast<int>((255 + 4 * k) % 256);
                ASSERT_EQ(At(f.density, column, row), RGB(g, g, g));
            }
    }
}

}  // namespace
}  // namespace qv
