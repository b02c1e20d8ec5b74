#include <gtest/gtest.h>

#include <set>

#include "platform/core/graphics.h"

namespace qv {
namespace {

std::set<Color> Colours(const PicturePtr& p) {
    std::set<Color> out;
    for (int y = 0; y < p->Height(); ++y)
        for (int x = 0; x < p->Width(); ++x) out.insert(p->RGBSurface()->Pixel(x, y));
    return out;
}

int CountOf(const PicturePtr& p, Color c) {
    int n = 0;
    for (int y = 0; y < p->Height(); ++y)
        for (int x = 0; x < p->Width(); ++x) n += p->RGBSurface()->Pixel(x, y) == c;
    return n;
}

// A map of the picture: '#' for colour c, '.' otherwise.
std::string Map(const PicturePtr& p, Color c) {
    std::string s;
    for (int y = 0; y < p->Height(); ++y) {
        for (int x = 0; x < p->Width(); ++x) s += p->RGBSurface()->Pixel(x, y) == c ? '#' : '.';
        s += '\n';
    }
    return s;
}

TEST(GraphicsTest, RectanglesCoverExactlyTheirBox) {
    PicturePtr p = NewPicture(6, 5);
    Graphics& g = p->Graphics();
    g.ForeColor = RGB(255, 255, 0);
    g.DrawRect(1, 1, 4, 3);
    EXPECT_EQ(Map(p, 0xFFFF00),
              "......\n"
              ".####.\n"
              ".#..#.\n"
              ".####.\n"
              "......\n");
    g.ForeColor = RGB(0, 0, 255);
    g.FillRect(2, 2, 2, 1);
    EXPECT_EQ(CountOf(p, 0x0000FF), 2);
    g.FillRect(0, 0, 0, 3);  // empty
    g.DrawRect(0, 0, -2, 3);
    EXPECT_EQ(CountOf(p, 0x0000FF), 2);
}

TEST(GraphicsTest, PenSizeThickensOutlinesInward) {
    PicturePtr p = NewPicture(6, 6);
    Graphics& g = p->Graphics();
    g.ForeColor = 0;
    g.PenWidth = 2;
    g.PenHeight = 2;
    g.DrawRect(0, 0, 6, 6);
    EXPECT_EQ(Map(p, 0),
              "######\n"
              "######\n"
              "##..##\n"
              "##..##\n"
              "######\n"
              "######\n");
}

TEST(GraphicsTest, LinesIncludeBothEnds) {
    PicturePtr p = NewPicture(5, 3);
    Graphics& g = p->Graphics();
    g.ForeColor = 0;
    g.DrawLine(0, 0, 4, 2);
    EXPECT_EQ(Map(p, 0),
              "#....\n"
              ".##..\n"
              "...##\n");
    g.DrawLine(-10, 1, 20, 1);  // clipped, no crash
    EXPECT_EQ(CountOf(p, 0), 8);
}

TEST(GraphicsTest, FilledPolygonHoldsOnlyItsColourAndWhite) {
    PicturePtr mask = NewPicture(40, 40);
    Graphics& g = mask->Graphics();
    g.ForeColor = RGB(255, 255, 0);
    // x at odd, y at even indexes; index 0 unused
    g.FillPolygon({0, 5, 5, 35, 8, 20, 33, 3, 25});
    EXPECT_EQ(Colours(mask), (std::set<Color>{0xFFFF00u, 0xFFFFFFu}));
    EXPECT_EQ(mask->RGBSurface()->Pixel(20, 15), 0xFFFF00u);  // inside
    EXPECT_EQ(mask->RGBSurface()->Pixel(38, 38), 0xFFFFFFu);  // outside
    // the outline drawn over the fill adds no other colour either
    g.DrawPolygon({0, 5, 5, 35, 8, 20, 33, 3, 25});
    EXPECT_EQ(Colours(mask), (std::set<Color>{0xFFFF00u, 0xFFFFFFu}));
    EXPECT_EQ(mask->RGBSurface()->Pixel(5, 5), 0xFFFF00u);  // a vertex lies on the rim
}

TEST(GraphicsTest, OvalsStayInsideTheirBoxAndOutlineLiesOnTheFill) {
    PicturePtr filled = NewPicture(20, 12);
    filled->Graphics().ForeColor = 0;
    filled->Graphics().FillOval(2, 1, 15, 9);
    PicturePtr outline = NewPicture(20, 12);
    outline->Graphics().ForeColor = 0;
    outline->Graphics().DrawOval(2, 1, 15, 9);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inBox = x >= 2 && x < 17 && y >= 1 && y < 10;
            if (!inBox) {
                EXPECT_EQ(filled->RGBSurface()->Pixel(x, y), 0xFFFFFFu) << x << "," << y;
            }
            if (outline->RGBSurface()->Pixel(x, y) == 0) {
                EXPECT_EQ(filled->RGBSurface()->Pixel(x, y), 0u) << x << "," << y;
            }
        }
    EXPECT_EQ(filled->RGBSurface()->Pixel(9, 5), 0u);
    EXPECT_EQ(outline->RGBSurface()->Pixel(9, 5), 0xFFFFFFu);
    EXPECT_GT(CountOf(outline, 0), 20);
}

TEST(GraphicsTest, DrawPictureSizeSentinelAndEmptySizes) {
    PicturePtr src = NewPicture(3, 2);
    src->Graphics().ForeColor = RGB(200, 0, 0);
    src->Graphics().FillRect(0, 0, 3, 2);

    PicturePtr target = NewPicture(8, 8);
    target->Graphics().DrawPicture(src, 1, 1, kSourceSize, kSourceSize, 0, 0, kSourceSize,
                                   kSourceSize);
    EXPECT_EQ(CountOf(target, 0xC80000), 6);
    EXPECT_EQ(target->RGBSurface()->Pixel(3, 2), 0xC80000u);
    EXPECT_EQ(target->RGBSurface()->Pixel(4, 2), 0xFFFFFFu);

    // a negative or zero size draws nothing (no mirrored copy)
    PicturePtr untouched = NewPicture(8, 8);
    untouched->Graphics().DrawPicture(src, 5, 5, -3, 2, 0, 0, 3, 2);
    untouched->Graphics().DrawPicture(src, 5, 5, 3, 0, 0, 0, 3, 2);
    untouched->Graphics().DrawPicture(src, 5, 5, 3, 2, 0, 0, -1, 2);
    EXPECT_EQ(CountOf(untouched, 0xFFFFFF), 64);
}

TEST(GraphicsTest, DrawPictureScalesByNearestNeighbourAndClips) {
    PicturePtr src = NewPicture(2, 2);
    src->RGBSurface()->SetPixel(0, 0, 0x000001);
    src->RGBSurface()->SetPixel(1, 0, 0x000002);
    src->RGBSurface()->SetPixel(0, 1, 0x000003);
    src->RGBSurface()->SetPixel(1, 1, 0x000004);
    PicturePtr big = NewPicture(4, 4);
    big->Graphics().DrawPicture(src, 0, 0, 4, 4, 0, 0, 2, 2);
    EXPECT_EQ(big->RGBSurface()->Pixel(1, 1), 1u);
    EXPECT_EQ(big->RGBSurface()->Pixel(2, 1), 2u);
    EXPECT_EQ(big->RGBSurface()->Pixel(1, 3), 3u);
    EXPECT_EQ(big->RGBSurface()->Pixel(3, 3), 4u);
    // partly outside the target, and a source rectangle past the source
    PicturePtr small = NewPicture(3, 3);
    small->Graphics().DrawPicture(big, -2, -2, 4, 4, 0, 0, 4, 4);
    EXPECT_EQ(small->RGBSurface()->Pixel(0, 0), 4u);
    small->Graphics().DrawPicture(src, 0, 0, 3, 3, 1, 1, 3, 3);
    EXPECT_EQ(small->RGBSurface()->Pixel(0, 0), 4u);
}

TEST(GraphicsTest, TransparentPictureLeavesWhiteOut) {
    PicturePtr marker = NewPicture(3, 1);
    marker->RGBSurface()->SetPixel(1, 0, RGB(255, 255, 0));
    marker->Transparent = 1;
    PicturePtr red = NewPicture(3, 1);
    red->Graphics().ForeColor = RGB(255, 0, 0);
    red->Graphics().FillRect(0, 0, 3, 1);
    red->Graphics().DrawPicture(marker, 0, 0);
    EXPECT_EQ(red->RGBSurface()->Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(red->RGBSurface()->Pixel(1, 0), 0xFFFF00u);
    EXPECT_EQ(red->RGBSurface()->Pixel(2, 0), 0xFF0000u);
}

TEST(GraphicsTest, MaskBlackShowsWhiteLeavesAndGreyMixes) {
    PicturePtr arrow = NewPicture(4, 1);
    arrow->Graphics().ForeColor = RGB(0, 0, 200);
    arrow->Graphics().FillRect(0, 0, 4, 1);
    PicturePtr below = NewPicture(4, 1);
    below->Graphics().ForeColor = RGB(100, 0, 0);
    below->Graphics().FillRect(0, 0, 4, 1);

    PicturePtr plain = NewPicture(4, 1);
    plain->Graphics().DrawPicture(below, 0, 0);
    plain->Graphics().DrawPicture(arrow, 0, 0);
    ASSERT_FALSE(arrow->HasMask());
    PicturePtr mask = arrow->Mask();
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->Width(), 4);
    EXPECT_EQ(CountOf(mask, kBlack), 4) << "a new mask shows the whole picture";
    below->Graphics().DrawPicture(arrow, 0, 0);
    EXPECT_EQ(CountOf(below, RGB(0, 0, 200)), 4);

    below->Graphics().ForeColor = RGB(100, 0, 0);
    below->Graphics().FillRect(0, 0, 4, 1);
    mask->RGBSurface()->SetPixel(1, 0, kWhite);
    mask->RGBSurface()->SetPixel(2, 0, RGB(128, 128, 128));
    below->Graphics().DrawPicture(arrow, 0, 0);
    EXPECT_EQ(below->RGBSurface()->Pixel(0, 0), RGB(0, 0, 200));
    EXPECT_EQ(below->RGBSurface()->Pixel(1, 0), RGB(100, 0, 0));
    EXPECT_EQ(below->RGBSurface()->Pixel(2, 0), RGB(50, 0, 100));
    EXPECT_EQ(below->RGBSurface()->Pixel(3, 0), RGB(0, 0, 200));

    // Clipped at the target's edge, the mask follows its own pixels.
    PicturePtr edge = NewPicture(3, 1);
    edge->Graphics().DrawPicture(arrow, -1, 0);
    EXPECT_EQ(edge->RGBSurface()->Pixel(0, 0), kWhite);
    EXPECT_EQ(edge->RGBSurface()->Pixel(2, 0), RGB(0, 0, 200));
}

TEST(GraphicsTest, TextIsDrawnInItsExactColourAtTheBaseline) {
    PicturePtr p = NewPicture(80, 30);
    Graphics& g = p->Graphics();
    g.ForeColor = RGB(1, 1, 1);
    g.TextSize = 12;
    g.DrawString(QStringLiteral("1234"), 2, 20);
    EXPECT_EQ(Colours(p), (std::set<Color>{0x010101u, 0xFFFFFFu}));
    // nothing below the baseline for digits, something above it
    int above = 0, below = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            if (p->RGBSurface()->Pixel(x, y) == 0x010101u) (y < 20 ? above : below)++;
    EXPECT_GT(above, 10);
    EXPECT_EQ(below, 0);
}

}  // namespace
}  // namespace qv
