#include <gtest/gtest.h>

#include <QTest>

#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

class TabsTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        PicturePtr p = NewPicture(256, 256);
        p->Graphics().ForeColor = RGB(40, 90, 10);
        p->Graphics().FillRect(0, 0, 256, 256);
        w->import(p);
    }
    std::vector<QWidget*> Group() const {
        return {w->Canvas3, w->Canvas2, w->staticText1, w->StaticText2, w->StaticText5,
                w->StaticText7};
    }
    void ExpectGroupShown(bool shown) {
        for (QWidget* c : Group()) EXPECT_EQ(ControlVisible(c), shown) << c->objectName().toStdString();
    }
};

TEST_F(TabsTest, TheBackgroundPageAllowsRectanglesOnlyAndHidesTheFluorogram) {
    w->polyRoi_RB->SetValue(true);
    ASSERT_TRUE(w->polygonmode);
    w->PushButton8->setVisible(false);
    w->TabPanel1->SetValue(1);
    EXPECT_FALSE(w->polygonmode);
    EXPECT_FALSE(w->ovalmode);
    EXPECT_TRUE(w->RectROI_RB->Value());
    EXPECT_FALSE(w->OvalRoi_RB->isEnabled());
    EXPECT_FALSE(w->polyRoi_RB->isEnabled());
    EXPECT_TRUE(ControlVisible(w->PushButton8));
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Select a color channel or choose All (R+G+B)"));
    ExpectGroupShown(false);
}

TEST_F(TabsTest, LeavingTheBackgroundPageWithoutACropOnlySetsUpTheControls) {
    w->TabPanel1->SetValue(1);
    w->rensa = 3;
    w->colorModemenu->SetListIndex(1);
    w->TabPanel1->SetValue(0);
    EXPECT_TRUE(w->OvalRoi_RB->isEnabled());
    EXPECT_TRUE(w->polyRoi_RB->isEnabled());
    EXPECT_TRUE(w->RectROI_RB->Value()) << "the rectangle stays chosen";
    ExpectGroupShown(true);
    EXPECT_EQ(w->rensa, 1);
    EXPECT_EQ(w->colormode, QStringLiteral("rb"));
    EXPECT_FALSE(w->poxc);
}

TEST_F(TabsTest, TheFluorogramPageRebuildsFromTheCropAndTheHistogramPageShowsTheGroup) {
    w->PushButton1->click();
    const PicturePtr crop = w->poxc, fluorogram = w->pox;
    w->TabPanel1->SetValue(2);
    EXPECT_EQ(w->rensa, 1);
    ExpectGroupShown(true);
    EXPECT_EQ(w->pox, fluorogram) << "the Histogram page does not rebuild";
    w->TabPanel1->SetValue(1);
    w->TabPanel1->SetValue(0);
    EXPECT_EQ(w->bkpox, fluorogram);
    EXPECT_EQ(w->poxc, crop);
    EXPECT_EQ(w->rensa, 0);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a Section or Quadrant"));
}

TEST_F(TabsTest, ArrivingOnTheBackgroundPageUnticksQuadSettingsWithoutASwap) {
    w->PushButton1->click();
    w->quad_RB->SetValue(true);
    w->TabPanel1->SetValue(1);
    w->RadioButton2->SetValue(true);
    test::Drag(w->Canvas1, {10, 10}, {20, 20});  // a removal
    const PicturePtr removed = w->pix, before = w->pix2;
    w->PushButton8->click();  // Undo
    ASSERT_EQ(w->pix, before);
    w->CheckBox4->SetValue(true);
    w->TabPanel1->SetValue(2);
    w->TabPanel1->SetValue(1);
    EXPECT_FALSE(w->CheckBox4->Value());
    EXPECT_EQ(w->PushButton8->Caption(), QStringLiteral("Redo"));
    EXPECT_EQ(w->pix, before) << "no swap";
    EXPECT_EQ(w->pix2, removed);
    EXPECT_TRUE(w->RadioButton2->Value()) << "the channel stays chosen";
}

}  // namespace
}  // namespace qv
