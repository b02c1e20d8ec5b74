#include <gtest/gtest.h>

#include "platform/core/color.h"
#include "platform/core/picture.h"

namespace qv {
namespace {

TEST(NewPictureTest, StartsWhiteAndRefusesEmptySizes) {
    PicturePtr p = NewPicture(3, 2, 32);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 3);
    EXPECT_EQ(p->Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(p->RGBSurface()->Pixel(x, y), 0xFFFFFFu) << x << "," << y;

    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 3}, {3, -7}, {0, 0}})
        EXPECT_FALSE(NewPicture(w, h, 32)) << w << "x" << h;
}

TEST(PictureTest, WriteThroughOneReferenceIsSeenThroughAnother) {
    PicturePtr a = NewPicture(4, 4);
    PicturePtr alias = a;
    alias->RGBSurface()->SetPixel(2, 1, RGB(10, 20, 30));
    alias->Graphics().ForeColor = RGB(1, 2, 3);
    alias->Graphics().FillRect(0, 3, 1, 1);
    EXPECT_EQ(a->RGBSurface()->Pixel(2, 1), 0x0A141Eu);
    EXPECT_EQ(a->RGBSurface()->Pixel(0, 3), 0x010203u);
    // the alpha byte of the underlying image never shows in a read
    EXPECT_EQ(a->Image().pixel(2, 1) & 0xFF000000u, 0xFF000000u);
}

TEST(PictureTest, PixelAccessOutsideThePictureIsHarmless) {
    PicturePtr p = NewPicture(2, 2);
    p->RGBSurface()->SetPixel(-1, 0, 0);
    p->RGBSurface()->SetPixel(2, 1, 0);
    p->RGBSurface()->SetPixel(0, 2, 0);
    EXPECT_EQ(p->RGBSurface()->Pixel(5, 5), 0u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(p->RGBSurface()->Pixel(x, y), 0xFFFFFFu);
}

TEST(ColorTest, ComponentsSaturateWithoutSpilling) {
    struct Case {
        long long r, g, b;
        Color expected;
    };
    for (const Case& c : {Case{300, 0, 0, 0xFF0000u}, Case{0, 256, 0, 0x00FF00u},
                          Case{0, 0, 1000, 0x0000FFu}, Case{255, 255, 255, 0xFFFFFFu},
                          Case{-4, 12, 0, 0x000C00u}, Case{1, 2, 3, 0x010203u}}) {
        EXPECT_EQ(RGB(c.r, c.g, c.b), c.expected) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(ColorTest, HsvPrimaries) {
    EXPECT_EQ(HSV(0, 1, 1), 0xFF0000u);
    EXPECT_EQ(HSV(1.0 / 3, 1, 1), 0x00FF00u);
    EXPECT_EQ(HSV(2.0 / 3, 1, 1), 0x0000FFu);
    EXPECT_EQ(HSV(0.5, 0, 1), 0xFFFFFFu);
    EXPECT_EQ(HSV(0.5, 1, 0), 0x000000u);
}

TEST(PictureFromImageTest, ConvertsAndOwnsItsPixels) {
    QImage grey(2, 1, QImage::Format_Grayscale8);
    grey.fill(0);
    grey.scanLine(0)[1] = 128;
    PicturePtr p = PictureFromImage(grey);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(p->RGBSurface()->Pixel(0, 0), 0u);
    EXPECT_EQ(p->RGBSurface()->Pixel(1, 0), 0x808080u);

    QImage rgb(1, 1, QImage::Format_RGB32);
    rgb.fill(0xFF112233u);
    PicturePtr q = PictureFromImage(rgb);
    q->RGBSurface()->SetPixel(0, 0, 0);
    EXPECT_EQ(rgb.pixel(0, 0), 0xFF112233u) << "the picture must not share the source's buffer";
    EXPECT_FALSE(PictureFromImage(QImage()));
}

}  // namespace
}  // namespace qv
