#include <gtest/gtest.h>

#include <QTest>

#include "app/globals.h"
#include "platform/core/text.h"
#include "workspace/core/sections.h"
#include "support/workspace_fixture.h"
#include "tools/quadrant_calculator.h"
#include "tools/coefficient_window.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

// A 10 x 10 crop, white but for a few pixels around the cross-point (100, 155)
// of the "rg" fluorogram: column 100 is green 100, row 155 is red 100.
PicturePtr CrossFixture() {
    PicturePtr p = NewPicture(10, 10);
    auto set = [&](int x, int y, int r, int g) { p->RGBSurface()->SetPixel(x, y, RGB(r, g, 0)); };
    set(2, 2, 100, 100);  // on the cross-point itself
    set(3, 2, 150, 100);  // on its column, above
    set(4, 2, 100, 150);  // on its row, right
    set(5, 2, 50, 101);   // lower right
    set(6, 2, 50, 20);    // lower left
    set(7, 2, 200, 200);  // upper right
    set(8, 2, 80, 0);     // lower left, no green
    set(0, 5, 120, 130);  // on the box's edge: in the fluorogram, not in the coefficients
    return p;
}

class SectionsTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->import(NewPicture(300, 300));
        w->poxc = CrossFixture();
        w->msdownx = 0, w->msdowny = 0, w->msupx = 9, w->msupy = 9;
        w->setColorMode(QStringLiteral("rg"));
    }
    void Click(QPoint from, QPoint to) { test::Drag(w->Canvas3, from, to); }
    std::vector<std::int32_t> Iroi() const { return Module1::iroi; }
};

TEST_F(SectionsTest, QuadrantsCountTheCrossColumnLeftAndItsRowUp) {
    w->quad_RB->SetValue(true);
    EXPECT_TRUE(w->quadnotsection);
    EXPECT_TRUE(w->quadCalc_PB->isEnabled());
    Click({100, 155}, {100, 155});
    EXPECT_EQ(w->ms3upx, 100);
    EXPECT_EQ(w->ms3upy, 155);
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{2, 3, 2, 1}));
    EXPECT_EQ(w->ms4upy, 0);
    EXPECT_TRUE(w->BevelButton3->isEnabled());
    // the cross lines and texts are in the view
    EXPECT_EQ(w->Canvas3->Backdrop()->RGBSurface()->Pixel(30, 155), 0xFFFF00u);
    EXPECT_EQ(w->Canvas3->Backdrop()->RGBSurface()->Pixel(100, 200), 0xFFFF00u);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("When ready, drop new image here"));
    EXPECT_EQ(w->Timer2->Mode(), 1);

    Click({100, 155}, {300, -7});  // released off the canvas: clamped to (255, 0)
    EXPECT_EQ(w->ms3upx, 255);
    EXPECT_EQ(w->ms3upy, 0);
    // row 0 holds red 255 only: everything lies below it, left of column 255
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{0, 0, 8, 0}));
}

TEST_F(SectionsTest, CrossPointAtTheCorners) {
    w->quad_RB->SetValue(true);
    w->ms3upx = 255, w->ms3upy = 255;
    w->ritatrean();
    w->quad();
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{8, 0, 0, 0}));
    w->ms3upx = 0, w->ms3upy = 0;
    w->quad();
    // (0, 175) is the pixel without green: on column 0, below row 0
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{0, 0, 1, 7}));
}

TEST_F(SectionsTest, SectionsAreNormalisedClampedAndCounted) {
    w->CheckBox1->SetValue(true);  // Auto Update
    Click({150, 150}, {95, 100});  // drawn up and to the left
    EXPECT_EQ(w->ms3downx, 95);
    EXPECT_EQ(w->ms3downy, 100);
    EXPECT_EQ(w->ms3upx, 150);
    EXPECT_EQ(w->ms3upy, 150);
    EXPECT_EQ(w->ms4upy, 0) << "no previous section the first time";
    // the section holds (100,105) and (130,135)
    EXPECT_EQ(SectionCount(w->Hits(), 95, 100, 150, 150), 2);
    EXPECT_EQ(w->Canvas3->Backdrop()->RGBSurface()->Pixel(95, 120), 0xFFFF00u) << "outline";

    Click({100, 50}, {300, -7});
    EXPECT_EQ(w->ms3downy, 0);
    EXPECT_EQ(w->ms3upx, 255);
    EXPECT_EQ(w->ms3upy, 50) << "the press's y after normalising";
    EXPECT_EQ(w->ms4downx, 95) << "the previous section is the one current at the press";
    EXPECT_EQ(w->ms4upy, 150);

    // the count text of a one-bin section
    w->ms3downx = w->ms3upx = 100;
    w->ms3downy = w->ms3upy = 155;
    w->ms4upy = 0;
    w->ritatrean();
    PicturePtr view = w->Canvas3->Backdrop();
    w->calcroi(view->Graphics(), 0, 0);
    int text = 0;
    for (int y = 155; y < 167; ++y)
        for (int x = 102; x < 112; ++x) text += view->RGBSurface()->Pixel(x, y) == 0xFFFF00u;
    EXPECT_GT(text, 3) << "the count is written at the section's corner";
}

TEST_F(SectionsTest, GreyViewDrawsInGrey) {
    w->BevelButton2->click();  // Monochrome
    ASSERT_EQ(w->bevstate, 2);
    w->roi(10, 10, 40, 40);
    EXPECT_EQ(w->Canvas3->Backdrop()->RGBSurface()->Pixel(10, 20), RGB(80, 80, 80));
    w->quad_RB->SetValue(true);
    w->ms3upx = 60, w->ms3upy = 70;
    w->quad();
    EXPECT_EQ(w->Canvas3->Backdrop()->RGBSurface()->Pixel(200, 70), RGB(10, 10, 10));
}

TEST_F(SectionsTest, SectionsButtonForgetsThePreviousSection) {
    w->quad_RB->SetValue(true);
    w->ms4upy = 40;
    w->sections_RB->SetValue(true);
    EXPECT_FALSE(w->quadnotsection);
    EXPECT_FALSE(w->quadCalc_PB->isEnabled());
    EXPECT_EQ(w->ms4upy, 0);
    EXPECT_EQ(w->ms3upy, 0);
}

TEST_F(SectionsTest, MemoryRecountsTheQuadrantsOfTheSetItShows) {
    w->quad_RB->SetValue(true);
    w->CheckBox1->SetValue(true);  // Auto Update
    w->ms3upx = 100, w->ms3upy = 155;
    w->setColorMode(QStringLiteral("rg"));  // A: the fixture
    const auto a = Iroi();
    EXPECT_EQ(a, (std::vector<std::int32_t>{2, 3, 2, 1}));
    PicturePtr b = NewPicture(10, 10);
    b->RGBSurface()->SetPixel(5, 5, RGB(10, 10, 10));
    w->poxc = b;
    w->setColorMode(QStringLiteral("rg"));  // B: one pixel, lower left
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{0, 0, 1, 0}));
    w->BevelButton4->click();
    EXPECT_EQ(Iroi(), a) << "Memory shows A and counts A";
    w->BevelButton4->click();
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{0, 0, 1, 0}));
}

TEST_F(SectionsTest, SaveAndLoadQuadrants) {
    w->quad_RB->SetValue(true);
    w->ms3upx = 100, w->ms3upy = 155;
    w->_FormatSavequadrants_Action();
    w->ms3upx = 3, w->ms3upy = 3;
    w->BevelButton5->ChooseRow(5);  // "Quadrants"
    w->BevelButton5->SetCaption(QStringLiteral("Advanced"));
    EXPECT_FALSE(w->_FormatLoadquadrant_Action());
    EXPECT_EQ(w->ms3upx, 100);
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{2, 3, 2, 1}));
    EXPECT_EQ(w->BevelButton5->Caption(), QStringLiteral("Quadrants"));
}

TEST_F(SectionsTest, LoadQuadrantsBeforeAnyFluorogramDoesNothing) {
    w->Close();
    w = Window1::instance();
    Module1::iroi = {5, 5, 5, 5};
    w->_FormatLoadquadrant_Action();
    EXPECT_EQ(Iroi(), (std::vector<std::int32_t>{5, 5, 5, 5}));
}

TEST_F(SectionsTest, CoefficientsWithoutAndWithTheQuadrantMask) {
    w->PushButton12->click();
    Window6* c = Window6::existing();
    ASSERT_TRUE(c);
    auto texts = [&] {
        QStringList v, n;
        for (int i = 0; i < 6; ++i) v << c->fields[i]->Text(), n << c->counts[i]->Text();
        return std::pair{v, n};
    };
    // reds 100+150+100+50+50+200+80 = 730, of it with green 650; greens 671, all with red
    EXPECT_EQ(texts().first, (QStringList{"0.89", "0", "1", "0", "n/a", "n/a"}));
    EXPECT_EQ(texts().second, (QStringList{"6", "0", "6", "0", "0", "0"}));
    EXPECT_EQ(c->EditField7->Text(), QStringLiteral("QV: Colocalization analysis"));
    EXPECT_EQ(c->Left(), w->Left() + w->Width());
    EXPECT_EQ(c->Top(), w->Top() + 250);

    // mask at the cross-point (100, 155): green from 100 and red from 100 pass
    w->ms3upx = 100, w->ms3upy = 155;
    c->CheckBox2->SetValue(true);  // its action recomputes
    // red kept 550, all of it where green passes; green kept 651, 550 where red passes
    EXPECT_EQ(texts().first, (QStringList{"1", "", "0.84", "", "", ""}));
    EXPECT_EQ(texts().second, (QStringList{"4", "", "4", "", "", ""}));

    // thresholds -1 on both axes: black counts as passing
    w->poxc->RGBSurface()->SetPixel(1, 1, 0);
    w->ms3upx = 0, w->ms3upy = 255;
    w->coefficients();
    EXPECT_EQ(texts().second[0], QStringLiteral("8")) << "the black pixel adds one";
    c->EditField7->SetText(QStringLiteral("mine"));
    w->coefficients();
    EXPECT_EQ(c->EditField7->Text(), QStringLiteral("mine"));
}

TEST_F(SectionsTest, CoefficientsBeforeAnyRoiShowZeroCounts) {
    w->Close();
    w = Window1::instance();
    w->msupx = 50, w->msupy = 50;  // a rectangle but no crop
    w->coefficients();
    Window6* c = Window6::existing();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->StaticText15->Text(), QStringLiteral("0"));
    EXPECT_EQ(c->EditField1->Text(), QStringLiteral("n/a"));
}

TEST_F(SectionsTest, LiveRefreshFollowsTheFlagsAndTheOpenWindows) {
    w->PushButton12->click();
    Window6* c = Window6::existing();
    c->CheckBox1->SetValue(true);  // coefflive
    ASSERT_TRUE(w->coefflive);
    w->poxc = CrossFixture();
    w->PushButton1->click();  // a new ROI over the (blank) working picture
    EXPECT_EQ(c->StaticText15->Text(), QStringLiteral("0")) << "recomputed for the new crop";
    c->Close();
    DrainEvents();
    w->PushButton1->click();
    EXPECT_FALSE(Window6::existing()) << "a closed window is not brought back";

    Module1::iroi = {7, 7, 7, 7};
    Window2* calc = Window2::instance();
    ASSERT_EQ(calc->UL->Text(), QStringLiteral("7"));
    w->quad_RB->SetValue(true);
    w->quad();
    ASSERT_NE(Module1::iroi[0], 7);
    EXPECT_EQ(calc->UL->Text(), QStringLiteral("7")) << "calclive is off";
    calc->CheckBox1->SetValue(true);
    w->quad();
    EXPECT_EQ(calc->UL->Text(), Str(Module1::iroi[0]));
}

}  // namespace
}  // namespace qv
