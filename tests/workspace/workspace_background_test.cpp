#include <gtest/gtest.h>

#include <QTest>

#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

const QString kNewBackground =
    QStringLiteral("New Backgound\rTest with Undo/Redo.\ror choose\rFluorogram to confirm.");
const QString kNeedsQuadrants = QStringLiteral(
    "To remove background using the Quad settings function requires that you have specified "
    "Quadrants. Quandrant mode is available under the Fluorogram tab.");

class BackgroundTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->import(test::Gradient(512));
        loaded = w->pix;
    }
    void Drag(QPoint from, QPoint to) { test::Drag(w->Canvas1, from, to); }
    static Color At(const PicturePtr& p, int x, int y) { return p->RGBSurface()->Pixel(x, y); }
    // "All channels" removal by the ROI (10, 10)-(20, 20): levels red 23, green 23, blue 7.
    void RemoveByRoi(QPoint from = {10, 10}, QPoint to = {20, 20}) {
        w->TabPanel1->SetValue(1);
        w->RadioButton4->SetValue(true);
        Drag(from, to);
    }
    // Quad settings ticked in quadrant mode, then the cross-point clicked on the fluorogram.
    void RemoveByCrossPoint(QPoint cross) {
        Drag({30, 30}, {300, 300});  // a crop, so that the fluorogram takes clicks
        w->quad_RB->SetValue(true);
        w->TabPanel1->SetValue(1);
        w->CheckBox4->SetValue(true);
        QTest::mouseClick(w->Canvas3, Qt::LeftButton, {}, cross);
    }
    PicturePtr loaded;
};

TEST_F(BackgroundTest, ARoiOnTheBackgroundPageRemovesWhatLiesAtOrBelowItsMaxima) {
    w->TabPanel1->SetValue(1);
    Drag({10, 10}, {20, 20});  // no channel chosen yet: this only chooses them all
    EXPECT_TRUE(w->RadioButton4->Value());
    EXPECT_EQ(w->pix, loaded);
    EXPECT_FALSE(w->pix2);

    Drag({10, 10}, {20, 20});
    EXPECT_EQ(w->pix2, loaded);
    ASSERT_NE(w->pix, loaded);
    EXPECT_EQ(At(w->pix, 5, 100), RGB(0, 103, 0));
    EXPECT_EQ(At(w->pix, 20, 20), RGB(0, 0, 0)) << "the maxima themselves go";
    EXPECT_EQ(At(w->pix, 100, 100), RGB(103, 103, 0)) << "the passes cover the whole picture";
    EXPECT_EQ(At(loaded, 5, 100), RGB(8, 103, 7)) << "the loaded picture is untouched";
    EXPECT_EQ(w->StaticText3->Text(), kNewBackground);
    EXPECT_EQ(w->PushButton8->Caption(), QStringLiteral("Undo"));
    EXPECT_TRUE(w->PushButton8->isEnabled());
    EXPECT_TRUE(w->staticText1->Text().isEmpty());
    EXPECT_TRUE(w->StaticText2->Text().isEmpty());
    // the canvas shows the new picture at once, with the ROI's outline over it
    EXPECT_EQ(At(w->Canvas1->Surface(), 100, 200), At(w->pix, 100, 200));
    EXPECT_EQ(At(w->Canvas1->Surface(), 15, 10), 0xFFFF00u);
}

TEST_F(BackgroundTest, UndoAndRedoSwapTheLastTwoPictures) {
    RemoveByRoi();
    const PicturePtr removed = w->pix;
    w->PushButton8->click();
    EXPECT_EQ(w->pix, loaded);
    EXPECT_EQ(w->pix2, removed);
    EXPECT_EQ(w->PushButton8->Caption(), QStringLiteral("Redo"));
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Undo, revert, or continue"));
    EXPECT_EQ(At(w->Canvas1->Surface(), 100, 200), At(loaded, 100, 200));
    w->PushButton8->click();
    EXPECT_EQ(w->pix, removed);
    EXPECT_EQ(w->PushButton8->Caption(), QStringLiteral("Undo"));
    EXPECT_EQ(At(w->Canvas1->Surface(), 100, 200), At(removed, 100, 200));
}

TEST_F(BackgroundTest, TwoRemovalsInARowAndUndoGoesBackToTheFirst) {
    RemoveByRoi();
    const PicturePtr first = w->pix;
    Drag({100, 100}, {110, 110});  // levels 113, 113, 0 over the first result
    const PicturePtr second = w->pix;
    EXPECT_EQ(w->pix2, first);
    EXPECT_EQ(At(second, 100, 200), RGB(0, 203, 0));
    w->PushButton8->click();
    EXPECT_EQ(w->pix, first);
}

TEST_F(BackgroundTest, RevertWorksInPlaceAndLeavesUndoItsPicture) {
    RemoveByRoi();
    const PicturePtr first = w->pix;
    Drag({100, 100}, {110, 110});
    const PicturePtr second = w->pix;
    w->PushButton2->click();
    EXPECT_EQ(w->pix, second) << "the same picture object";
    EXPECT_EQ(At(w->pix, 5, 100), At(loaded, 5, 100));
    EXPECT_EQ(w->pix2, first);
    EXPECT_NE(w->Canvas1->Backdrop(), w->pix) << "the backdrop is a copy";
    EXPECT_EQ(At(w->Canvas1->Backdrop(), 5, 100), At(loaded, 5, 100));
    w->PushButton8->click();
    EXPECT_EQ(w->pix, first) << "the last removal's input";
}

TEST_F(BackgroundTest, QuadSettingsRemoveByTheCrossPointAndUndoUnticksThem) {
    Drag({30, 30}, {300, 300});
    w->quad_RB->SetValue(true);
    w->TabPanel1->SetValue(1);
    EXPECT_FALSE(ControlVisible(w->Canvas3));
    w->CheckBox4->SetValue(true);
    EXPECT_EQ((std::array{w->msdownx, w->msdowny, w->msupx, w->msupy}),
              (std::array{0, 0, 511, 511}));
    EXPECT_TRUE(ControlVisible(w->Canvas3));
    EXPECT_TRUE(ControlVisible(w->staticText1));
    EXPECT_FALSE(ControlVisible(w->Canvas2));
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Quad setting\rNow specify Quadrant\rcross-point"));
    EXPECT_EQ(w->pix, loaded);

    // "rg": green at or below 50 goes, red at or below 100, and all of blue
    QTest::mouseClick(w->Canvas3, Qt::LeftButton, {}, QPoint(50, 155));
    EXPECT_EQ(w->pix2, loaded);
    const struct {
        int x, y;
        Color after;
    } cases[] = {
        {100, 100, RGB(103, 103, 0)},
        {97, 60, RGB(0, 63, 0)},    // red at its level
        {100, 47, RGB(103, 0, 0)},  // green at its level
        {97, 47, kBlack},           // both
        {400, 300, RGB(153, 53, 0)},
        {300, 400, RGB(0, 153, 0)},
    };
    for (const auto& c : cases) EXPECT_EQ(At(w->pix, c.x, c.y), c.after) << c.x << "," << c.y;
    EXPECT_EQ(w->StaticText3->Text(), kNewBackground);
    // the crop and the fluorogram follow the new picture
    EXPECT_EQ(At(w->poxc, 100, 100), RGB(103, 103, 0));

    w->PushButton8->click();
    EXPECT_EQ(w->pix, loaded) << "one swap only";
    EXPECT_EQ(w->PushButton8->Caption(), QStringLiteral("Redo"));
    EXPECT_FALSE(w->CheckBox4->Value());
    EXPECT_TRUE(ControlVisible(w->CheckBox4));
}

TEST_F(BackgroundTest, UntickingQuadSettingsGoesBackOnePicture) {
    RemoveByCrossPoint({50, 155});
    const PicturePtr removed = w->pix;
    w->CheckBox4->SetValue(false);  // the user's own untick of the visible box
    EXPECT_EQ(w->pix, loaded);
    EXPECT_EQ(w->pix2, removed);
    EXPECT_EQ(w->PushButton8->Caption(), QStringLiteral("Undo"));
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Quad setting\rNow specify Quadrant\rcross-point"));
}

TEST_F(BackgroundTest, QuadSettingsOutsideQuadrantModeAreRefused) {
    w->TabPanel1->SetValue(1);
    const QString status = w->StaticText3->Text();
    w->CheckBox4->SetValue(true);
    EXPECT_EQ(fake_->messages, QStringList{kNeedsQuadrants});
    EXPECT_FALSE(w->CheckBox4->Value());
    EXPECT_TRUE(ControlVisible(w->CheckBox4));
    EXPECT_EQ(w->pix, loaded);
    EXPECT_FALSE(w->pix2);
    EXPECT_EQ(w->StaticText3->Text(), status);
    EXPECT_EQ(w->msupx, 0) << "the ROI stays";
    EXPECT_FALSE(ControlVisible(w->Canvas3));
}

TEST_F(BackgroundTest, BeforeTheFirstRemovalUndoAndUntickHaveNothingToSwap) {
    w->TabPanel1->SetValue(1);
    const QString status = w->StaticText3->Text();
    w->PushButton8->click();
    EXPECT_EQ(w->pix, loaded);
    EXPECT_EQ(w->PushButton8->Caption(), QStringLiteral("Undo"));
    EXPECT_EQ(w->StaticText3->Text(), status);

    w->quad_RB->SetValue(true);
    w->CheckBox4->SetValue(true);
    w->CheckBox4->SetValue(false);
    EXPECT_EQ(w->pix, loaded);
    EXPECT_FALSE(w->pix2);
}

TEST_F(BackgroundTest, WithoutAnImageQuadSettingsAndRevertDoNothing) {
    w->Close();
    Window1* fresh = Window1::instance();
    fresh->Show();
    w = fresh;
    w->quad_RB->SetValue(true);
    w->TabPanel1->SetValue(1);
    w->CheckBox4->SetValue(true);
    EXPECT_FALSE(w->CheckBox4->Value());
    EXPECT_TRUE(fake_->messages.isEmpty());
    w->PushButton2->click();
    w->PushButton8->click();
    EXPECT_FALSE(w->pix);
    EXPECT_FALSE(w->pix2);
    EXPECT_FALSE(w->poxc);
}

}  // namespace
}  // namespace qv
