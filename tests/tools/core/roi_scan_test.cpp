#include "tools/core/roi_scan.h"

#include <gtest/gtest.h>

#include "core_fixtures.h"
#include "workspace/core/roi_crop.h"

namespace qv {
namespace {

using testing::At;
using testing::Patterned;
using testing::Set;

TEST(RoiScanTest, CountsTheInteriorOfTheWorkspacesCrop) {
    // The workspace's crop of the rectangle (10,20)-(14,23) holds its interior,
    // columns 11..13 and rows 21..22.
    PicturePtr pix = NewPicture(40, 40);
    const Color inside[] = {RGB(255, 255, 255), RGB(255, 0, 0),  RGB(5, 255, 0),
                            RGB(0, 0, 255),     RGB(10, 20, 30), RGB(0, 0, 0)};
    int i = 0;
    for (int x = 11; x <= 13; ++x)
        for (int y = 21; y <= 22; ++y) Set(pix, x, y, inside[i++]);
    PicturePtr poxc = CropRectangle(pix, 40, {10, 20, 14, 23});

    const RoiCutSize size = RoiCut(10, 20, 14, 23, poxc);
    EXPECT_EQ(size.width, 4);
    EXPECT_EQ(size.height, 3);
    PicturePtr copy = CutRoi(poxc, 10, 20, size);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Width(), 4);
    EXPECT_EQ(copy->Height(), 3);
    EXPECT_EQ(At(copy, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(At(copy, 3, 2), RGB(0, 0, 0));

    const RoiCounts c = ScanRoi(copy);
    EXPECT_EQ(c.pixels, (std::array<std::int64_t, 4>{4, 3, 3, 5}));
    EXPECT_EQ(c.saturated, (std::array<std::int64_t, 4>{2, 2, 2, 4}));

    const RoiCutSize window = RoiWindowSize(size);
    EXPECT_EQ(window.width, 427);
    EXPECT_EQ(window.height, 180);
}

TEST(RoiScanTest, SizesOfCutAndWindow) {
    PicturePtr source = NewPicture(256, 200);
    struct Case {
        int dx, dy, ux, uy;
        int w, h, ww, wh;
    } cases[] = {
        {0, 0, 300, 200, 300, 200, 723, 228}, {5, 5, 105, 65, 100, 60, 523, 180},
        {0, 0, 0, 0, 256, 200, 679, 228},  // no ROI: the whole crop picture
        {7, 3, 7, 50, 256, 47, 679, 180},  // zero width alone takes the full width
        {7, 3, 40, 3, 33, 200, 456, 228},
    };
    for (const Case& c : cases) {
        const RoiCutSize s = RoiCut(c.dx, c.dy, c.ux, c.uy, source);
        EXPECT_EQ(s.width, c.w) << c.ux;
        EXPECT_EQ(s.height, c.h) << c.ux;
        const RoiCutSize win = RoiWindowSize(s);
        EXPECT_EQ(win.width, c.ww) << c.ux;
        EXPECT_EQ(win.height, c.wh) << c.ux;
    }
}

TEST(RoiScanTest, RowZeroAndColumnZeroNeverCount) {
    PicturePtr copy = NewPicture(5, 4);  // white everywhere
    RoiCounts c = ScanRoi(copy);
    EXPECT_EQ(c.pixels, (std::array<std::int64_t, 4>{12, 12, 12, 12}));
    EXPECT_EQ(c.saturated, (std::array<std::int64_t, 4>{12, 12, 12, 12}));

    // Row 0 and column 0 black: still 12; interior black: none.
    PicturePtr black = NewPicture(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            if (x >= 1 && y >= 1) Set(black, x, y, kBlack);
    c = ScanRoi(black);
    EXPECT_EQ(c.pixels, (std::array<std::int64_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(c.saturated, (std::array<std::int64_t, 4>{0, 0, 0, 0}));

    // A copy one pixel wide or high has no interior.
    for (auto [w, h] : {std::pair{1, 30}, std::pair{30, 1}}) {
        c = ScanRoi(NewPicture(w, h));
        EXPECT_EQ(c.pixels, (std::array<std::int64_t, 4>{0, 0, 0, 0}));
        EXPECT_EQ(c.saturated, (std::array<std::int64_t, 4>{0, 0, 0, 0}));
    }
    c = ScanRoi(nullptr);
    EXPECT_EQ(c.pixels[3], 0);
}

TEST(RoiScanTest, CutBeyondTheSourceStaysWhite) {
    PicturePtr source = Patterned(20, 20);
    PicturePtr copy = CutRoi(source, 15, 16, {10, 8});
    ASSERT_TRUE(copy);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool in = 15 + x < 20 && 16 + y < 20;
            EXPECT_EQ(At(copy, x, y), in ? At(source, 15 + x, 16 + y) : kWhite) << x << "," << y;
        }
    EXPECT_FALSE(CutRoi(source, 0, 0, {0, 5}));
    EXPECT_FALSE(CutRoi(source, 0, 0, {-3, 5}));
}

}  // namespace
}  // namespace qv
