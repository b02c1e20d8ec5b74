#include "workspace/core/frame_sequence.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core_fixtures.h"

namespace qv {
namespace {

using testing::At;
using testing::Filled;
using testing::Set;

TEST(FrameSequence, CounterReadsFrameOfFrames) {
    EXPECT_EQ(FrameCounter(0, 0), QStringLiteral("1/1"));
    EXPECT_EQ(FrameCounter(2, 11), QStringLiteral("3/12"));
    EXPECT_EQ(FrameCounter(80, 80), QStringLiteral("81/81"));
}

TEST(FrameSequence, AddsEachChannelOnItsOwnAndSaturatesAt255) {
    PicturePtr sum = Filled(3, 2, RGB(100, 50, 0));
    const PicturePtr frame = Filled(3, 2, RGB(100, 50, 0));
    EXPECT_TRUE(AddFrame(*sum, *frame, nullptr));
    EXPECT_EQ(At(sum, 2, 1), RGB(200, 100, 0));
    EXPECT_TRUE(AddFrame(*sum, *frame, nullptr));
    EXPECT_EQ(At(sum, 0, 0), RGB(255, 150, 0)) << "300 red saturates";

    // No component spills into its neighbour, and the picture stays opaque.
    Set(sum, 1, 0, RGB(200, 0, 255));
    PicturePtr other = Filled(3, 2, RGB(100, 1, 1));
    AddFrame(*sum, *other, nullptr);
    EXPECT_EQ(At(sum, 1, 0), RGB(255, 1, 255));
    EXPECT_EQ(sum->Image().pixel(1, 0), 0xFFFF01FFu);
}

TEST(FrameSequence, CoversTheSumsOwnSizeWithWhiteWhereTheFrameDoesNotReach) {
    // A frame smaller than the sum: the rest counts as white.
    PicturePtr sum = Filled(6, 5, RGB(10, 20, 30));
    AddFrame(*sum, *Filled(4, 3, RGB(1, 2, 3)), nullptr);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(At(sum, x, y), x < 4 && y < 3 ? RGB(11, 22, 33) : kWhite) << x << "," << y;
    // A larger frame adds only its part over the sum; the sum keeps its size.
    PicturePtr small = Filled(4, 4, RGB(10, 20, 30));
    PicturePtr big = Filled(9, 6, RGB(1, 1, 1));
    Set(big, 3, 3, RGB(5, 5, 5));
    Set(big, 4, 3, RGB(200, 200, 200));
    AddFrame(*small, *big, nullptr);
    EXPECT_EQ(small->Width(), 4);
    EXPECT_EQ(small->Height(), 4);
    EXPECT_EQ(At(small, 3, 3), RGB(15, 25, 35));
    EXPECT_EQ(At(small, 0, 0), RGB(11, 21, 31));
}

TEST(FrameSequence, CancelStopsAfterTheColumnWhosePollCancelled) {
    // 1100 columns: the polls of several bands
    const int w = 1100, h = 70;
    const PicturePtr frame = Filled(w, h, RGB(1, 2, 3));
    for (int k : {1, 2, 511, 512, 513, 1000, 1100}) {
        PicturePtr sum = Filled(w, h, RGB(10, 10, 10));
        int polls = 0;
        EXPECT_FALSE(AddFrame(*sum, *frame, [&] { return ++polls == k; }));
        EXPECT_EQ(polls, k);
        for (int x = 0; x < w; ++x)
            for (int y : {0, h - 1})
                ASSERT_EQ(At(sum, x, y), x < k ? RGB(11, 12, 13) : RGB(10, 10, 10))
                    << "poll " << k << " at " << x << "," << y;
    }
    PicturePtr sum = Filled(w, h, RGB(10, 10, 10));
    int polls = 0;
    EXPECT_TRUE(AddFrame(*sum, *frame, [&] { return ++polls > w; }));
    EXPECT_EQ(polls, w) << "one poll after each column";
}

TEST(FrameSequence, EqualsAPlainSumOnLargeRandomPictures) {
    std::mt19937 rng(7);
    for (const auto& [sw, sh, fw, fh] : {std::array{1024, 1024, 1024, 1024},
                                         std::array{777, 601, 800, 590},
                                         std::array{513, 300, 200, 333}}) {
        PicturePtr sum = NewPicture(sw, sh), frame = NewPicture(fw, fh);
        for (const PicturePtr& p : {sum, frame})
            for (int y = 0; y < p->Height(); ++y)
                for (int x = 0; x < p->Width(); ++x) Set(p, x, y, rng() & 0xFFFFFFu);
        PicturePtr expected = NewPicture(sw, sh);
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                const Color a = At(sum, x, y);
                const Color b = x < fw && y < fh ? At(frame, x, y) : kWhite;
                Set(expected, x, y,
                    RGB(Red(a) + Red(b), Green(a) + Green(b), Blue(a) + Blue(b)));
            }
        AddFrame(*sum, *frame, nullptr);
        ASSERT_TRUE(sum->Image() == expected->Image()) << sw << "x" << sh;
    }
}

}  // namespace
}  // namespace qv
