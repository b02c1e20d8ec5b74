#include <gtest/gtest.h>

#include "app/globals.h"
#include "support/workspace_fixture.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

class FluorogramTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        PicturePtr p = NewPicture(300, 300);
        p->Graphics().ForeColor = RGB(200, 50, 7);
        p->Graphics().FillRect(0, 0, 300, 300);
        w->import(p);
    }
    // Makes the crop a picture of our own and the ROI its whole box.
    void SetCrop(const PicturePtr& crop, int x1, int y1, int x2, int y2) {
        w->poxc = crop;
        w->msdownx = x1, w->msdowny = y1, w->msupx = x2, w->msupy = y2;
    }
    static PicturePtr Filled(int side, Color c) {
        PicturePtr p = NewPicture(side, side);
        p->Graphics().ForeColor = c;
        p->Graphics().FillRect(0, 0, side, side);
        return p;
    }
    Color At(const PicturePtr& p, int x, int y) { return p->RGBSurface()->Pixel(x, y); }
};

TEST_F(FluorogramTest, EachPairPutsThePixelInItsBinWithItsColourAndLabels) {
    struct Case {
        const char* mode;
        int bx, by;
        Color scatter;
        const char* y;
        Color yColor;
        const char* x;
        Color xColor;
    };
    const Case cases[] = {
        {"rg", 50, 55, RGB(200, 50, 0), "Red", RGB(128, 0, 0), "Green", RGB(0, 128, 0)},
        {"rb", 7, 55, RGB(200, 0, 7), "Red", RGB(128, 0, 0), "Blue", RGB(0, 0, 128)},
        {"bg", 50, 248, RGB(0, 50, 7), "Blue", RGB(0, 0, 128), "Green", RGB(0, 128, 0)},
    };
    for (const Case& c : cases) {
        SetCrop(Filled(20, RGB(200, 50, 7)), 2, 3, 4, 5);  // 3 x 3 pixels, edges included
        w->setColorMode(QString::fromUtf8(c.mode));
        EXPECT_EQ(w->colormode, QString::fromUtf8(c.mode));
        EXPECT_EQ(At(w->pox, c.bx, c.by), c.scatter) << c.mode;
        EXPECT_EQ(At(w->pox2, c.bx, c.by), RGB(0, 9, 0)) << c.mode;
        EXPECT_EQ(At(w->pox3, c.bx, c.by), RGB(35, 35, 35)) << c.mode << ": 9 hits";
        EXPECT_EQ(w->hits->At(c.bx, c.by), 9u);
        EXPECT_EQ(w->hits->Total(), 9);
        EXPECT_EQ(w->staticText1->Text(), QString::fromUtf8(c.y));
        EXPECT_EQ(w->staticText1->TextColor(), c.yColor);
        EXPECT_EQ(w->StaticText2->Text(), QString::fromUtf8(c.x));
        EXPECT_EQ(w->StaticText2->TextColor(), c.xColor);
        EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a Section or Quadrant"));
        EXPECT_EQ(w->rensa, 0);
        EXPECT_TRUE(w->poxtaken);
    }
}

TEST_F(FluorogramTest, NoDataPixelsAndNearlyWhiteOnes) {
    PicturePtr crop = NewPicture(4, 1);
    crop->RGBSurface()->SetPixel(0, 0, RGB(0, 0, 0));
    crop->RGBSurface()->SetPixel(1, 0, RGB(255, 255, 255));
    crop->RGBSurface()->SetPixel(2, 0, RGB(255, 255, 254));
    crop->RGBSurface()->SetPixel(3, 0, RGB(0, 0, 1));
    SetCrop(crop, 0, 0, 3, 0);
    w->setColorMode(QStringLiteral("rg"));
    EXPECT_EQ(w->hits->Total(), 2);
    EXPECT_EQ(w->hits->At(255, 0), 1u);  // (255,255,254)
    EXPECT_EQ(w->hits->At(0, 255), 1u);  // (0,0,1): black in the scatter, counted anyway
    EXPECT_EQ(At(w->pox, 0, 255), 0u);
    EXPECT_EQ(At(w->pox3, 0, 255), RGB(3, 3, 3));

    // only black and white: empty pictures, labels and follow-up all the same
    SetCrop(NewPicture(5, 5), 0, 0, 4, 4);
    w->staticText1->SetText(QStringLiteral("x"));
    w->setColorMode(QStringLiteral("bg"));
    EXPECT_EQ(w->hits->Total(), 0);
    EXPECT_EQ(At(w->pox, 100, 100), 0u);
    EXPECT_EQ(At(w->pox2, 100, 100), 0u);
    EXPECT_EQ(At(w->pox3, 100, 100), 0xFFFFFFu);
    EXPECT_EQ(w->staticText1->Text(), QStringLiteral("Blue"));
}

TEST_F(FluorogramTest, CountsAndDensityAtTheirWrapPoints) {
    struct Case {
        int hits;
        Color count;
        Color density;
    };
    for (const Case& c : {Case{1, RGB(0, 1, 0), RGB(3, 3, 3)}, Case{64, RGB(0, 64, 0), 0xFFFFFFu},
                          Case{65, RGB(0, 65, 0), RGB(3, 3, 3)}, Case{255, RGB(0, 255, 0), RGB(251, 251, 251)},
                          Case{256, RGB(1, 0, 0), 0xFFFFFFu},
                          Case{65535, RGB(255, 255, 0), RGB(251, 251, 251)}}) {
        // one column of c.hits pixels: the box includes both edges
        PicturePtr crop = NewPicture(1, c.hits);
        crop->Graphics().ForeColor = RGB(10, 20, 30);
        crop->Graphics().FillRect(0, 0, 1, c.hits);
        SetCrop(crop, 0, 0, 0, c.hits - 1);
        w->setColorMode(QStringLiteral("rg"));
        EXPECT_EQ(w->hits->At(20, 245), static_cast<std::uint32_t>(c.hits));
        EXPECT_EQ(At(w->pox2, 20, 245), c.count) << c.hits;
        EXPECT_EQ(At(w->pox3, 20, 245), c.density) << c.hits;
    }
}

TEST_F(FluorogramTest, ABinPast65535KeepsItsExactCount) {
    SetCrop(Filled(300, RGB(200, 50, 7)), 0, 0, 299, 299);
    w->setColorMode(QStringLiteral("rg"));
    EXPECT_EQ(w->hits->At(50, 55), 90000u);
    EXPECT_EQ(At(w->pox2, 50, 55), RGB(255, 255, 0));
}

TEST_F(FluorogramTest, ABoxReachingPastTheCropReadsOnlyInsideIt) {
    SetCrop(Filled(10, RGB(200, 50, 7)), 5, 5, 400, 400);
    w->setColorMode(QStringLiteral("rg"));
    EXPECT_EQ(w->hits->Total(), 25);
}

TEST_F(FluorogramTest, WithoutACropOnlyTheModeIsKept) {
    w->poxc.reset();
    w->StaticText3->SetText(QStringLiteral("before"));
    w->colorModemenu->SetListIndex(1);
    EXPECT_EQ(w->colormode, QStringLiteral("rb"));
    EXPECT_FALSE(w->poxtaken);
    EXPECT_FALSE(w->pox);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("before"));
}

TEST_F(FluorogramTest, HistoryKeepsOneStepAndMemoryFlipsBothWays) {
    // Columns from 50 on hold a second colour: only the larger ROI A has it.
    PicturePtr two = Filled(300, RGB(200, 50, 7));
    two->Graphics().ForeColor = RGB(100, 180, 7);
    two->Graphics().FillRect(50, 0, 250, 300);
    w->import(two);
    w->msdownx = 0, w->msdowny = 0, w->msupx = 99, w->msupy = 99;
    w->ritacan(0, 0, 99, 99);
    w->setColorMode(QStringLiteral("rg"));
    const PicturePtr a = w->pox, aCrop = w->poxc;
    const auto aHits = w->hits;
    EXPECT_FALSE(w->bkpox) << "the first build saves nothing";
    EXPECT_FALSE(w->BevelButton4->isEnabled());

    w->msupx = 49, w->msupy = 49;
    w->ritacan(0, 0, 49, 49);
    w->setColorMode(QStringLiteral("rg"));
    const PicturePtr b = w->pox, bCrop = w->poxc;
    EXPECT_EQ(w->bkpox, a);
    EXPECT_EQ(w->bkhits, aHits);
    EXPECT_EQ(w->bkpoxc, aCrop);
    EXPECT_TRUE(w->BevelButton4->isEnabled());
    EXPECT_EQ(w->hits->Total(), 48 * 48);

    w->BevelButton4->click();  // Memory down: A again
    EXPECT_TRUE(w->BevelButton4->Value());
    EXPECT_EQ(w->pox, a);
    EXPECT_EQ(w->hits, aHits) << "the counts travel with their pictures";
    EXPECT_EQ(w->poxc, aCrop);
    EXPECT_EQ(At(w->Canvas3->Backdrop(), 50, 55), At(a, 50, 55));
    EXPECT_EQ(At(w->Canvas3->Backdrop(), 180, 155), RGB(100, 180, 0)) << "A's view is shown";
    EXPECT_EQ(At(b, 180, 155), 0u) << "which B's lacks";
    w->PushButton5->click();  // On-screen refuses while Memory is down
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].startsWith(QStringLiteral("On-screen cannot be applied")));

    w->BevelButton4->click();  // and back to B
    EXPECT_EQ(w->pox, b);
    EXPECT_EQ(w->poxc, bCrop);
    EXPECT_EQ(At(w->Canvas3->Backdrop(), 180, 155), 0u) << "B's view again";
    EXPECT_EQ(w->Canvas2->Backdrop()->Width(), w->can2size);
}

TEST_F(FluorogramTest, MemoryWithoutAPreviousCropLeavesAnEmptyThumbnail) {
    w->msdownx = 0, w->msdowny = 0, w->msupx = 99, w->msupy = 99;
    w->PushButton1->click();  // one crop
    w->bkpoxc.reset();
    w->setColorMode(QStringLiteral("rb"));  // a second build from the same crop
    w->BevelButton4->click();
    EXPECT_FALSE(w->poxc);
    ASSERT_TRUE(w->Canvas2->Backdrop());
    EXPECT_EQ(At(w->Canvas2->Backdrop(), 5, 5), 0xFFFFFFu);
    w->setColorMode(QStringLiteral("rg"));  // no crop: nothing is built
    EXPECT_EQ(w->colormode, QStringLiteral("rg"));
}

TEST_F(FluorogramTest, MonochromeAlternatesTheViews) {
    w->PushButton1->click();
    EXPECT_EQ(w->BevelButton2->Caption(), QStringLiteral("Image"));
    w->BevelButton2->click();
    EXPECT_EQ(w->bevstate, 2);
    EXPECT_EQ(w->BevelButton2->Caption(), QStringLiteral("Monochr."));
    EXPECT_EQ(At(w->Canvas3->Backdrop(), 50, 55), At(w->pox3, 50, 55));
    EXPECT_NE(w->Canvas3->Backdrop(), w->pox3) << "a copy is shown";
    w->BevelButton2->click();
    EXPECT_EQ(w->bevstate, 1);
    EXPECT_EQ(At(w->Canvas3->Backdrop(), 50, 55), At(w->pox, 50, 55));
}

TEST_F(FluorogramTest, MonochromeBeforeAnyFluorogramOnlyToggles) {
    w->Close();
    w = Window1::instance();
    w->BevelButton2->click();
    EXPECT_EQ(w->bevstate, 2);
    EXPECT_EQ(w->BevelButton2->Caption(), QStringLiteral("Monochr."));

    // in quadrant mode too: nothing is counted, drawn or refreshed
    Window2* calc = Window2::instance();
    calc->CheckBox1->SetValue(true);  // calclive
    calc->UL->SetText(QStringLiteral("before"));
    w->quad_RB->SetValue(true);
    Module1::iroi = {5, 6, 7, 8};
    const PicturePtr view = w->Canvas3->Backdrop();
    w->BevelButton2->click();
    EXPECT_EQ(w->bevstate, 1);
    EXPECT_EQ(w->BevelButton2->Caption(), QStringLiteral("Image"));
    EXPECT_EQ(Module1::iroi, (std::vector<std::int32_t>{5, 6, 7, 8}));
    EXPECT_EQ(w->Canvas3->Backdrop(), view);
    EXPECT_EQ(calc->UL->Text(), QStringLiteral("before")) << "not refreshed";
    EXPECT_FALSE(Window6::existing());
}

TEST_F(FluorogramTest, RedrawStates) {
    w->msdownx = 10, w->msdowny = 10, w->msupx = 60, w->msupy = 60;
    w->ritacan(10, 10, 60, 60);
    w->setColorMode(QStringLiteral("rg"));
    struct Case {
        int rensa;
        bool viewShown;
        bool outline;    // Canvas1 shows the ROI outline afterwards
        bool newCrop;
        int after;
        bool sectionsCleared;
    };
    const Case cases[] = {{0, true, true, false, 0, false},
                          {1, true, true, true, 2, true},
                          {2, true, false, false, 2, true},
                          {3, false, true, false, 0, false},
                          {4, false, true, true, 0, false}};
    for (const Case& c : cases) {
        w->ritacan(10, 10, 60, 60);
        w->Canvas3->SetBackdrop(nullptr);
        w->ms3upy = 7, w->ms4upy = 7, w->ms3upoldx = 7;
        const PicturePtr crop = w->poxc;
        w->rensa = c.rensa;
        w->rita3();
        EXPECT_EQ(w->Canvas3->Backdrop() != nullptr, c.viewShown) << c.rensa;
        EXPECT_EQ(At(w->Canvas1->Backdrop(), 10, 30) == 0xFFFF00u, c.outline) << c.rensa;
        EXPECT_EQ(w->poxc != crop, c.newCrop) << c.rensa;
        EXPECT_EQ(w->rensa, c.after) << c.rensa;
        EXPECT_EQ(w->ms3upy == 0 && w->ms4upy == 0 && w->ms3upoldx == 0, c.sectionsCleared)
            << c.rensa;
        w->Timer1->SetMode(0);
    }
}

TEST_F(FluorogramTest, ClearTwiceWithinTheWindowThenTheTimer) {
    w->PushButton1->click();
    ASSERT_EQ(w->rensa, 0);
    w->BevelButton1->setEnabled(true);
    w->BevelButton1->click();
    EXPECT_EQ(w->rensa, 2);
    EXPECT_EQ(w->BevelButton1->Caption(), QStringLiteral("Clean up"));
    EXPECT_EQ(w->Timer1->Mode(), 1);
    EXPECT_EQ(w->Timer1->Period(), 4000);
    EXPECT_EQ(At(w->Canvas1->Backdrop(), 0, 100), 0xFFFF00u) << "outline redrawn";
    w->Timer1->SetPeriod(4000);
    w->BevelButton1->click();  // second click: the plain image
    EXPECT_NE(At(w->Canvas1->Backdrop(), 0, 100), 0xFFFF00u);
    EXPECT_EQ(w->rensa, 2);
    w->Timer1->Fire();
    EXPECT_EQ(w->rensa, 0);
    EXPECT_EQ(w->BevelButton1->Caption(), QStringLiteral("Clear ROI"));
    EXPECT_EQ(w->Timer1->Mode(), 0);
    w->BevelButton1->click();  // a first click again
    EXPECT_EQ(At(w->Canvas1->Backdrop(), 0, 100), 0xFFFF00u);
    EXPECT_EQ(w->Timer1->Mode(), 1);
}

TEST_F(FluorogramTest, AutoUpdatePressesStats) {
    w->CheckBox1->SetValue(true);
    EXPECT_TRUE(w->BevelButton3->Value());
    w->CheckBox1->SetValue(false);
    EXPECT_FALSE(w->BevelButton3->Value());
}

}  // namespace
}  // namespace qv
