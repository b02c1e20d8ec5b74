#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

class WorkspaceLayoutTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    void TearDown() override {
        w->Close();
        test::WorkspaceTest::TearDown();
    }
    // Clicks the window where a control's centre lies, as the mouse would.
    void ClickOver(QWidget* control) {
        const QPoint centre = control->mapTo(w, control->rect().center());
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, centre);
    }
};

TEST_F(WorkspaceLayoutTest, OpensOnTheFluorogramPageWithItsInitialStates) {
    EXPECT_EQ(w->TabPanel1->Value(), 0);
    for (QWidget* c : std::initializer_list<QWidget*>{w->colorModemenu, w->PushButton5,
                                                      w->BevelButton2, w->CheckBox1, w->quad_RB,
                                                      w->sections_RB, w->PushButton12})
        EXPECT_TRUE(c->isVisible()) << c->objectName().toStdString();
    for (QWidget* c : std::initializer_list<QWidget*>{w->RadioButton1, w->CheckBox4, w->PushButton8,
                                                      w->histoRed_RB, w->CheckBox3, w->PushButton3})
        EXPECT_FALSE(c->isVisible()) << c->objectName().toStdString();
    EXPECT_TRUE(w->sections_RB->Value());
    EXPECT_TRUE(w->RectROI_RB->Value());
    for (QWidget* c : std::initializer_list<QWidget*>{w->BevelButton1, w->BevelButton4,
                                                      w->BevelButton3, w->quadCalc_PB})
        EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
    for (QWidget* c : std::initializer_list<QWidget*>{w->StaticText4, w->Slider1, w->LittleArrows1,
                                                      w->PushButton10, w->BevelButton5,
                                                      w->PushButton9, w->PushButton7, w->CheckBox2})
        EXPECT_FALSE(ControlVisible(c)) << c->objectName().toStdString();
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("1.\rDrop image here"));
    EXPECT_EQ(w->staticText1->Text(), QStringLiteral(" "));
    EXPECT_EQ(w->StaticText2->Text(), QStringLiteral(" "));
    EXPECT_EQ(w->colorModemenu->Text(), QStringLiteral("Red - Green"));
    EXPECT_EQ(w->PushButton1->toolTip(), QStringLiteral("Select the whole image as ROI"));
    EXPECT_EQ(ControlLeft(w->StaticText3), 479);
    EXPECT_EQ(ControlTop(w->StaticText3), 17);
    EXPECT_EQ(ControlLeft(w->quad_RB), 381);
    EXPECT_EQ(ControlTop(w->quad_RB), 210);
    EXPECT_EQ(w->ImageWell1->AcceptedTypes(),
              (QStringList{"image/x-tiff", "image/tiff", "image/any", "image/biorad"}));
}

TEST_F(WorkspaceLayoutTest, BackgroundAndHistogramGroupsAreSeparate) {
    w->TabPanel1->SetValue(1);
    w->RadioButton2->SetValue(true);
    w->TabPanel1->SetValue(2);
    w->histoBlue_RB->SetValue(true);
    EXPECT_TRUE(w->RadioButton2->Value());
    w->RadioButton3->SetValue(true);
    EXPECT_FALSE(w->RadioButton2->Value());
    EXPECT_TRUE(w->histoBlue_RB->Value());
    w->quad_RB->SetValue(true);
    EXPECT_FALSE(w->sections_RB->Value());
    EXPECT_TRUE(w->RectROI_RB->Value());
}

TEST_F(WorkspaceLayoutTest, EscapePressesSelectAll) {
    QSignalSpy pressed(w->PushButton1, &QPushButton::clicked);
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_EQ(pressed.count(), 1);
}

TEST_F(WorkspaceLayoutTest, ControlsUnderTheGroupBoxesTakeAClick) {
    QSignalSpy onscreen(w->PushButton5, &QPushButton::clicked);
    ClickOver(w->PushButton5);
    EXPECT_EQ(onscreen.count(), 1) << "On-screen lies under selcModeGroupBox";
    ClickOver(w->quad_RB);
    EXPECT_TRUE(w->quad_RB->Value());

    w->TabPanel1->SetValue(1);
    ClickOver(w->RadioButton4);
    EXPECT_TRUE(w->RadioButton4->Value()) << "under GroupBox2";
    w->TabPanel1->SetValue(2);
    ClickOver(w->histoGreen_RB);
    EXPECT_TRUE(w->histoGreen_RB->Value()) << "under GroupBox1";
}

TEST_F(WorkspaceLayoutTest, RightLockedControlsFollowTheRightEdge) {
    const int well = w->Width() - ControlLeft(w->ImageWell1);
    const int text = w->Width() - ControlLeft(w->StaticText3);
    const int tab = w->Width() - ControlLeft(w->TabPanel1);
    const int menu = w->Width() - ControlLeft(w->colorModemenu);
    const int beta = w->Height() - ControlTop(w->PushButton9);
    w->SetSize(1105, 900);
    EXPECT_EQ(w->Width() - ControlLeft(w->ImageWell1), well);
    EXPECT_EQ(w->Width() - ControlLeft(w->StaticText3), text);
    EXPECT_EQ(w->Width() - ControlLeft(w->TabPanel1), tab);
    EXPECT_EQ(w->Width() - ControlLeft(w->colorModemenu), menu);
    EXPECT_EQ(w->Height() - ControlTop(w->PushButton9), beta) << "locked right and bottom";
    EXPECT_EQ(ControlLeft(w->Canvas1), 10);
    EXPECT_EQ(ControlLeft(w->Canvas3), 396) << "moved by the intake, not by locks";
}

}  // namespace
}  // namespace qv
