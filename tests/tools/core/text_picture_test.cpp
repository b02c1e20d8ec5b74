#include "tools/core/text_picture.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Kind = TextControl::Kind;

TEST(TextPictureTest, FieldsTakeThePenLeftByTheLastLabel) {
    const TextControl controls[] = {
        {Kind::Field, "first", 5, 0, kWhite},          // before any label: black
        {Kind::Label, "Red", 20, 60, RGB(127, 0, 0)},
        {Kind::Other, "Auto refresh", 28, 260, RGB(0, 127, 0)},  // not drawn, pen unchanged
        {Kind::Field, "0.6", 168, 59, kBlack},         // its own colour is not used
        {Kind::Label, "n", 253, 59, kBlack},
        {Kind::Field, "", 96, 3, kBlack},              // an empty field is still a text
    };
    EXPECT_EQ(TextPictureLayout(controls),
              (std::vector<PictureText>{{"first", 5, 10, kBlack},
                                        {"Red", 20, 70, RGB(127, 0, 0)},
                                        {"0.6", 168, 69, RGB(127, 0, 0)},
                                        {"n", 253, 69, kBlack},
                                        {"", 96, 13, kBlack}}));
}

TEST(TextPictureTest, TextsAreDrawnInTheirColoursOnWhite) {
    const PictureText texts[] = {{"Blue", 10, 20, RGB(0, 0, 127)}, {"W", 60, 20, kBlack}};
    PicturePtr p = DrawTextPicture(100, 30, texts);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 100);
    EXPECT_EQ(p->Height(), 30);
    int blue = 0, black = 0, other = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const Color c = p->RGBSurface()->Pixel(x, y);
            if (c == kWhite) continue;
            if (c == RGB(0, 0, 127) && x >= 10 && x < 58 && y <= 20) ++blue;
            else if (c == kBlack && x >= 60 && y <= 20) ++black;
            else ++other;
        }
    EXPECT_GT(blue, 10);
    EXPECT_GT(black, 5);
    EXPECT_EQ(other, 0) << "texts sit on their baselines, pixel-exact, in their own colours";
    EXPECT_FALSE(DrawTextPicture(0, 30, texts));
}

}  // namespace
}  // namespace qv
