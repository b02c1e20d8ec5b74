#include "workspace/core/background_removal.h"

#include <gtest/gtest.h>

#include "core_fixtures.h"

namespace qv {
namespace {

using testing::At;
using testing::Filled;
using testing::Set;

TEST(CoreBackgroundTest, RoiMaximaArePerChannelOverTheBoxWithItsEdges) {
    PicturePtr p = Filled(64, 64, RGB(200, 200, 200));
    for (int y = 10; y <= 20; ++y)
        for (int x = 10; x <= 20; ++x) Set(p, x, y, RGB(1, 2, 3));
    Set(p, 10, 20, RGB(12, 80, 40));  // on the box's edge
    Set(p, 20, 10, RGB(30, 20, 90));
    EXPECT_EQ(RoiMaxima(p, 64, {10, 10, 20, 20}), (BackgroundLevels{30, 80, 90}));
    EXPECT_EQ(RoiMaxima(p, 64, {20, 10, 20, 10}), (BackgroundLevels{30, 20, 90})) << "one pixel";
    EXPECT_EQ(RoiMaxima(Filled(8, 8, kBlack), 8, {0, 0, 7, 7}), (BackgroundLevels{0, 0, 0}));
    // clipped to the working area; nothing of it: zeros
    EXPECT_EQ(RoiMaxima(p, 64, {60, 60, 500, 500}), (BackgroundLevels{200, 200, 200}));
    EXPECT_EQ(RoiMaxima(p, 64, {100, 100, 200, 200}), (BackgroundLevels{0, 0, 0}));
    EXPECT_EQ(RoiMaxima(p, 16, {10, 10, 20, 20}), (BackgroundLevels{1, 2, 3})) << "a larger picture is cut";
    // the working copy is white beyond a smaller picture
    EXPECT_EQ(RoiMaxima(p, 100, {60, 10, 70, 20}), (BackgroundLevels{255, 255, 255}));
    EXPECT_EQ(RoiMaxima(nullptr, 8, {0, 0, 5, 5}), (BackgroundLevels{255, 255, 255}));
}

TEST(CoreBackgroundTest, RemovalClearsChosenChannelsAtOrBelowTheirLevelEverywhere) {
    const BackgroundLevels maxima{30, 80, 90};
    struct Case {
        ChannelChoice channels;
        Color before, after;
    };
    const ChannelChoice all{true, true, true}, green{false, true, false}, red{true, false, false};
    const Case cases[] = {
        {all, RGB(12, 81, 39), RGB(0, 81, 0)},
        {green, RGB(12, 81, 39), RGB(12, 81, 39)},
        {green, RGB(12, 80, 40), RGB(12, 0, 40)},  // equal to the maximum goes too
        {red, RGB(30, 5, 5), RGB(0, 5, 5)},        // the others stay, however low
        {red, RGB(31, 5, 5), RGB(31, 5, 5)},
        {all, kWhite, kWhite},
        {all, RGB(31, 81, 91), RGB(31, 81, 91)},
    };
    for (const Case& c : cases) {
        const PicturePtr p = Filled(3, 3, c.before);
        const PicturePtr removed = BackgroundRemoved(p, 3, ChosenLevels(maxima, c.channels));
        ASSERT_NE(removed, p);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(At(removed, x, y), c.after) << std::hex << c.before;
        EXPECT_EQ(At(p, 1, 1), c.before) << "the picture itself is untouched";
    }
}

TEST(CoreBackgroundTest, CrossPointRemovalFollowsThePairTable) {
    const ChannelPair& rb = *FindChannelPair("rb");
    const ChannelPair& rg = *FindChannelPair("rg");
    const ChannelPair& bg = *FindChannelPair("bg");
    struct Case {
        const ChannelPair& pair;
        int cx, cy;
        Color before, after;
    };
    const Case cases[] = {
        {rb, 50, 155, RGB(100, 77, 51), RGB(0, 0, 51)},
        {rb, 50, 155, RGB(101, 9, 50), RGB(101, 0, 0)},
        {rb, 50, 155, kWhite, RGB(255, 0, 255)},
        {rg, 255, 0, kWhite, kBlack},
        {rg, 255, 0, RGB(7, 250, 3), kBlack},
        {rg, 0, 255, RGB(0, 9, 200), RGB(0, 9, 0)},  // only blue and the zeros go
        {rg, 0, 255, RGB(5, 0, 0), RGB(5, 0, 0)},
        {bg, 10, 245, RGB(200, 11, 10), RGB(0, 11, 0)},
        {rg, 300, -4, RGB(9, 9, 9), kBlack},  // a cross-point beyond the fluorogram is clamped
    };
    for (const Case& c : cases) {
        const PicturePtr p = BackgroundRemoved(Filled(2, 2, c.before), 2,
                                               CrossPointLevels(c.pair, c.cx, c.cy));
        EXPECT_EQ(At(p, 1, 1), c.after) << c.pair.mode << " " << c.cx << "," << c.cy << " "
                                        << std::hex << c.before;
    }
    EXPECT_EQ(CrossPointLevels(rb, 50, 155), (BackgroundLevels{100, 255, 50}));
}

TEST(CoreBackgroundTest, TheRemovedCopyIsTheWorkingSquare) {
    const PicturePtr wide = Filled(40, 10, RGB(9, 200, 9));
    const PicturePtr p = BackgroundRemoved(wide, 20, {10, 10, 10});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 20);
    EXPECT_EQ(p->Height(), 20);
    EXPECT_EQ(At(p, 19, 9), RGB(0, 200, 0)) << "the picture, cut at the square";
    EXPECT_EQ(At(p, 5, 10), kWhite) << "white below a smaller picture";
    EXPECT_EQ(At(BackgroundRemoved(wide, 20, {255, -1, -1}), 5, 15), RGB(0, 255, 255));
    EXPECT_EQ(At(BackgroundRemoved(nullptr, 4, {-1, -1, -1}), 3, 3), kWhite);
    EXPECT_EQ(BackgroundRemoved(wide, 0, {}), nullptr);
}

}  // namespace
}  // namespace qv
