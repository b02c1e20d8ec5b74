#include "montage/core/montage_composition.h"

#include <gtest/gtest.h>

#include <vector>

#include "../../workspace/core/core_fixtures.h"

namespace qv {
namespace {

using testing::At;
using testing::Filled;
using testing::Set;

// Five pictures of one size, the crop filled with `crop`, the panels and the
// merge with a colour no pass writes, so untouched pixels show.
MontagePictures Pictures(int w, int h, Color crop) {
    constexpr Color kUntouched = RGB(7, 8, 9);
    return {Filled(w, h, crop), Filled(w, h, kUntouched), Filled(w, h, kUntouched),
            Filled(w, h, kUntouched), Filled(w, h, kUntouched)};
}

constexpr Color kPixel = RGB(200, 100, 50);
constexpr Color kKept = RGB(7, 8, 9);

struct Case {
    const char* what;
    MontageChoices choices;
    bool grid;
    Color panel1, panel2, panel3, merge;
};

// One crop pixel (200, 100, 50) through the choices a user makes.
const Case kCases[] = {
    {"all popups blank, row", {{0, 0, 0}, {0, 0, 0}}, false,
     RGB(200, 200, 200), RGB(100, 100, 100), RGB(50, 50, 50), RGB(200, 100, 0)},
    {"all popups blank, grid gives the crop back", {{0, 0, 0}, {0, 0, 0}}, true,
     RGB(200, 200, 200), RGB(100, 100, 100), RGB(50, 50, 50), RGB(200, 100, 50)},
    {"rg defaults", {{2, 1, 3}, {1, 1, 1}}, false,
     RGB(100, 100, 100), RGB(200, 200, 200), RGB(50, 50, 50), RGB(200, 100, 0)},
    {"rb defaults", {{1, 3, 2}, {1, 1, 1}}, false,
     RGB(200, 200, 200), RGB(50, 50, 50), RGB(100, 100, 100), RGB(200, 0, 50)},
    {"bg defaults in the grid", {{2, 3, 1}, {1, 1, 1}}, true,
     RGB(100, 100, 100), RGB(50, 50, 50), RGB(200, 200, 200), RGB(200, 100, 50)},
    {"rg, panel 1 Color", {{2, 1, 3}, {2, 1, 1}}, false,
     RGB(0, 100, 0), RGB(200, 200, 200), RGB(50, 50, 50), RGB(200, 100, 0)},
    {"rg, panel 2 Phase: grey layer, sums saturate", {{2, 1, 3}, {1, 3, 1}}, false,
     RGB(100, 100, 100), RGB(200, 200, 200), RGB(50, 50, 50), RGB(200, 255, 200)},
    {"rg, panel 3 Phase only counts in the grid", {{2, 1, 3}, {1, 1, 3}}, false,
     RGB(100, 100, 100), RGB(200, 200, 200), RGB(50, 50, 50), RGB(200, 100, 0)},
    {"rg, panel 3 Phase in the grid", {{2, 1, 3}, {1, 1, 3}}, true,
     RGB(100, 100, 100), RGB(200, 200, 200), RGB(50, 50, 50), RGB(250, 150, 50)},
    {"an unknown mode row follows Gray", {{0, 0, 0}, {9, -1, 0}}, false,
     RGB(200, 200, 200), RGB(100, 100, 100), RGB(50, 50, 50), RGB(200, 100, 0)},
    // red goes to panel 2 (popup 2 is applied last); green, drawn after red,
    // is what panel 2 holds; panel 1 has no channel and a white layer.
    {"popups 1 and 2 both Red", {{1, 1, 0}, {1, 1, 1}}, false,
     kKept, RGB(100, 100, 100), RGB(50, 50, 50), RGB(255, 255, 255)},
    // red goes to panel 3 and blue, drawn later, overwrites it there.
    {"popup 3 Red, 1 and 2 blank", {{0, 0, 1}, {1, 1, 1}}, true,
     kKept, RGB(100, 100, 100), RGB(50, 50, 50), RGB(255, 255, 255)},
    {"popup 3 Red, 1 and 2 blank, row: white layer 1 plus green", {{0, 0, 1}, {1, 2, 1}}, false,
     kKept, RGB(0, 100, 0), RGB(50, 50, 50), RGB(255, 255, 255)},
};

// A 1 x 1 crop, and a 9 x 2 crop of the same pixel, whose rows are composed
// four pixels at a time with a one-pixel tail.
TEST(MontageComposition, OnePixelThroughEveryChoice) {
    for (const Case& c : kCases) {
        for (const QSize size : {QSize(1, 1), QSize(9, 2)}) {
            SCOPED_TRACE(::testing::Message() << c.what << ", " << size.width() << " x "
                                              << size.height());
            MontagePictures pic = Pictures(size.width(), size.height(), kPixel);
            drawtwo(pic, c.choices, c.grid);
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    ASSERT_EQ(At(pic[1], x, y), c.panel1) << x << "," << y;
                    ASSERT_EQ(At(pic[2], x, y), c.panel2) << x << "," << y;
                    ASSERT_EQ(At(pic[3], x, y), c.panel3) << x << "," << y;
                    ASSERT_EQ(At(pic[4], x, y), c.merge) << x << "," << y;
                    ASSERT_EQ(At(pic[0], x, y), kPixel) << "the crop is never written";
                }
            }
        }
    }
}

TEST(MontageComposition, ChannelsMoveByPopupsInTheOrderThreeOneTwo) {
    EXPECT_EQ(ChannelPanels({0, 0, 0}), (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(ChannelPanels({2, 1, 3}), (std::array<int, 3>{2, 1, 3}));
    EXPECT_EQ(ChannelPanels({1, 1, 0}), (std::array<int, 3>{2, 2, 3}));  // popup 2 wins
    EXPECT_EQ(ChannelPanels({0, 3, 3}), (std::array<int, 3>{1, 2, 2}));  // popup 2 after 3
    EXPECT_EQ(ChannelPanels({2, 0, 2}), (std::array<int, 3>{1, 1, 3}));  // popup 1 after 3
    EXPECT_EQ(ChannelPanels({4, -1, 0}), (std::array<int, 3>{1, 2, 3}));
}

// Every pixel at its own place: a non-square crop whose pixels all differ, in
// the grid with blank popups, comes back exactly in the merge, and each panel
// holds its channel in grey at the same place.
TEST(MontageComposition, EveryPixelKeepsItsPlace) {
    const int w = 37, h = 5;
    MontagePictures pic = Pictures(w, h, kBlack);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Set(pic[0], x, y, RGB(x * 7, y * 50 + x, 255 - x * 3));
    drawtwo(pic, {}, true);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Color c = At(pic[0], x, y);
            ASSERT_EQ(At(pic[4], x, y), c) << x << "," << y;
            ASSERT_EQ(At(pic[1], x, y), RGB(Red(c), Red(c), Red(c)));
            ASSERT_EQ(At(pic[2], x, y), RGB(Green(c), Green(c), Green(c)));
            ASSERT_EQ(At(pic[3], x, y), RGB(Blue(c), Blue(c), Blue(c)));
        }
    }
}

// The white outside the ROI is drawn like any pixel: white in grey panels and
// the channel's full colour in a "Color" panel.
TEST(MontageComposition, WhiteOutsideTheRoiIsComposedToo) {
    MontagePictures pic = Pictures(2, 1, kWhite);
    Set(pic[0], 0, 0, kPixel);
    drawtwo(pic, {{1, 2, 3}, {2, 1, 1}}, false);
    EXPECT_EQ(At(pic[1], 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(pic[2], 1, 0), kWhite);
    EXPECT_EQ(At(pic[4], 1, 0), RGB(255, 255, 0));
    EXPECT_EQ(At(pic[1], 0, 0), RGB(200, 0, 0));
}

// Pictures of unequal sizes (a panel that could not be made at full size) and
// missing pictures: nothing is read or written outside a picture, and what
// exists is still composed.
TEST(MontageComposition, StaysInsideEveryPictureAndSkipsMissingOnes) {
    MontagePictures pic = Pictures(4, 3, kPixel);
    pic[2] = Filled(2, 2, kKept);
    pic[3] = nullptr;
    drawtwo(pic, {}, true);
    EXPECT_EQ(At(pic[1], 1, 1), RGB(200, 200, 200));
    EXPECT_EQ(At(pic[1], 2, 1), kKept) << "only the common size is composed";
    EXPECT_EQ(At(pic[2], 1, 1), RGB(100, 100, 100));
    EXPECT_EQ(At(pic[4], 1, 1), kPixel);

    MontagePictures none = Pictures(1, 1, kPixel);
    none[0] = nullptr;
    drawtwo(none, {}, true);
    EXPECT_EQ(At(none[4], 0, 0), kKept);
}

}  // namespace
}  // namespace qv
