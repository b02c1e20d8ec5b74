#include <gtest/gtest.h>

#include <QTest>

#include "app/globals.h"
#include "app/splash.h"
#include "platform/core/text.h"
#include "support/text_ink.h"
#include "support/workspace_fixture.h"
#include "tools/area_analyzer.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;
using test::ShowsWholeText;

// The workspace on a 1600 x 1200 screen, as a user first meets it, under a
// window manager that draws a title bar of 20 pixels and borders of 1, with
// 5 at the bottom.
class ScreenFitTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        fake_->frame = QMargins(1, 20, 1, 5);
        test::WorkspaceTest::SetUp();
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        test::WorkspaceTest::TearDown();
    }
    // The window with its frame and menu bar lies inside the screen.
    static ::testing::AssertionResult OnScreen(Window* window, const QRect& screen) {
        const QRect frame = window->FrameRect();
        if (screen.contains(frame)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << window->Title().toStdString() << " at " << frame.x() << "," << frame.y() << " "
               << frame.width() << "x" << frame.height();
    }
    static PicturePtr Filled(int width, int height, Color c) {
        PicturePtr p = NewPicture(width, height);
        p->Graphics().ForeColor = c;
        p->Graphics().FillRect(0, 0, width, height);
        return p;
    }
    const QRect screen{0, 0, 1600, 1200};
};

TEST_F(ScreenFitTest, OpenDemoImageGrowsTheWorkspaceWithoutLeavingTheScreen) {
    DrainEvents();
    const QPoint before = w->geometry().topLeft();
    QTest::keyClick(w, Qt::Key_D, Qt::ControlModifier);  // Tools > Open demo image
    DrainEvents();
    ASSERT_GT(w->imgsize, 0) << "the demo image came in";
    EXPECT_EQ(w->Height(), 1150) << "the size makeview gives";
    EXPECT_TRUE(OnScreen(w, screen));
    EXPECT_EQ(w->FrameRect().bottom(), screen.bottom()) << "moved up by the least step";
    EXPECT_EQ(w->Top() + w->Height() + 5, 1200);
    EXPECT_EQ(w->geometry().left(), before.x()) << "and not sideways";
}

TEST_F(ScreenFitTest, ToolWindowsBesideAWideWorkspaceStayOnTheScreen) {
    w->import(Filled(6000, 4000, RGB(120, 60, 30)));
    EXPECT_EQ(w->Width(), 1024 + 366);
    EXPECT_TRUE(OnScreen(w, screen));
    w->PushButton1->click();  // Select all
    w->coefficients();
    Window6* c = Window6::existing();
    ASSERT_TRUE(c);
    EXPECT_TRUE(OnScreen(c, screen));
    EXPECT_EQ(c->FrameRect().right(), screen.right()) << "moved left by the least step";
    EXPECT_EQ(c->Left() + c->Width() + 1, 1600);
    EXPECT_EQ(c->Top(), w->Top() + 250) << "kept at its height";

    w->quad_RB->SetValue(true);
    w->calculator();
    EXPECT_TRUE(OnScreen(Window2::existing(), screen));
    w->_ToolsAreas_Action();
    EXPECT_TRUE(OnScreen(Window9::existing(), screen));
    w->_ToolsAnalyzeROI_Action();  // as wide as the ROI and more
    EXPECT_TRUE(OnScreen(Window11::existing(), screen));
}

// A 1024 x 768 screen with a 60-pixel panel across its top.
TEST_F(ScreenFitTest, OnASmallScreenWithAPanelEveryWindowTakesTheLargestSizeThatFits) {
    const QRect area(0, 60, 1024, 708);
    fake_->screenWidth = 1024;
    fake_->screenHeight = 768;
    fake_->availableArea = area;

    Window8* splash = Window8::instance();
    splash->Show();
    EXPECT_TRUE(OnScreen(splash, area));
    EXPECT_EQ(splash->FrameRect().center(), area.center()) << "centred in the area";

    // The working area as large as the height under the panel allows: 658 - 35.
    const struct {
        int side, imgsize;
    } kPictures[] = {{512, 512}, {657, 623}, {1024, 623}};
    for (const auto [side, imgsize] : kPictures) {
        w->import(Filled(side, side, RGB(120, 60, 30)));
        EXPECT_TRUE(OnScreen(w, area)) << side;
        EXPECT_EQ(w->imgsize, imgsize) << side;
        EXPECT_EQ(w->Width(), imgsize + 366) << side << ": the width makeview gives";
        EXPECT_EQ(w->Height(), 708 - 50) << side << ": the height the rule gives";
        EXPECT_LE(w->Canvas2->geometry().bottom(), w->Height() - 5) << side;
    }
    // Without the panel the height leaves more than the width does.
    fake_->availableArea = QRect(0, 0, 1024, 768);
    w->import(Filled(1024, 1024, RGB(120, 60, 30)));
    EXPECT_TRUE(OnScreen(w, fake_->availableArea));
    EXPECT_EQ(w->FrameRect().width(), 1024) << "as wide as the area";
    fake_->availableArea = area;
    w->import(Filled(1024, 1024, RGB(120, 60, 30)));

    w->PushButton1->click();  // Select all
    w->_ToolsAnalyzeROI_Action();
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    EXPECT_TRUE(OnScreen(roi, area));
    EXPECT_EQ(roi->FrameRect().width(), 1024) << "shrunk to the area";
    EXPECT_EQ(roi->Width() - roi->Canvas1->width(), 423) << "the controls beside the crop";
}

TEST_F(ScreenFitTest, EveryCountAndValueShowsWholeAtItsLargest) {
    // a 1024 x 1024 ROI of pixels that count everywhere
    w->import(Filled(1024, 1024, RGB(255, 255, 254)));
    ASSERT_EQ(w->imgsize, 1024);
    w->PushButton1->click();  // Select all: the fluorogram of every pixel
    w->quad_RB->SetValue(true);
    w->ms3upx = 255, w->ms3upy = 255;
    w->quad();
    w->coefficients();
    w->calculator();
    Window6* c = Window6::existing();
    Window2* calc = Window2::existing();
    ASSERT_TRUE(c && calc);
    calc->calculate();

    // the largest the coefficient pass can count: the ROI's interior
    EXPECT_EQ(c->StaticText15->Text(), Str(1022 * 1022));
    for (StaticText* n : c->counts) EXPECT_TRUE(ShowsWholeText(n)) << n->objectName().toStdString();
    for (EditField* v : c->fields) EXPECT_TRUE(ShowsWholeText(v)) << v->objectName().toStdString();
    EXPECT_EQ(Module1::iroi[0], w->hits->Total()) << "the whole ROI in one quadrant";
    EXPECT_GT(Module1::iroi[0], 1000000);
    EXPECT_EQ(calc->ULP->Text(), QStringLiteral("100%"));
    for (EditField* q : {calc->UL, calc->UR, calc->LL, calc->LR, calc->ULP, calc->URP, calc->LLP,
                         calc->LRP, calc->EditField3, calc->EditField9})
        EXPECT_TRUE(ShowsWholeText(q)) << q->objectName().toStdString();

    // the ROI analysis window's pixel and saturation counts of the same ROI
    w->_ToolsAnalyzeROI_Action();
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    for (int i = 7; i <= 14; ++i) {
        auto* n = roi->ControlNamed<StaticText>(QStringLiteral("StaticText%1").arg(i));
        ASSERT_TRUE(n);
        EXPECT_TRUE(ShowsWholeText(n)) << i << ": " << n->Text().toStdString();
    }

    // the area analyzer's areas, channel sums, counts and means at their largest
    w->_ToolsAreas_Action();
    Window9* areas = Window9::existing();
    ASSERT_TRUE(areas);
    const std::pair<EditField*, QString> fields[] = {
        {areas->EditField1, Str(1024 * 1024)},        {areas->EditField2, Str(1024 * 1024)},
        {areas->EditField3, Str(1024 * 1024)},        {areas->EditField4, Str(99999)},
        {areas->EditField5, Str(99999)},              {areas->EditField6, Str(99999)},
        {areas->EditField7, Str(1048575.0 / 7)},      {areas->EditField8, Str(1048575.0 / 7)},
        {areas->EditField9, Str(1048575.0 / 7)},      {areas->EditField10, Str(1024 * 1024 * 255)},
        {areas->EditField11, Str(1024 * 1024 * 255)}, {areas->EditField12, Str(1024 * 1024 * 255)},
    };
    for (const auto& [field, text] : fields) {
        field->SetText(text);
        EXPECT_TRUE(ShowsWholeText(field)) << field->objectName().toStdString();
    }

    // the workspace's own readouts
    const std::pair<StaticText*, QString> readouts[] = {
        {w->StaticText5, Str(255)},
        {w->StaticText7, Str(255)},
        {w->StaticText6, QStringLiteral("\u2206x:") + Str(-1023)},
        {w->StaticText8, QStringLiteral("\u2206y:") + Str(-1023)},
        {w->StaticText4, QStringLiteral("81/81")},
    };
    for (const auto& [label, text] : readouts) {
        label->setVisible(true);
        label->SetText(text);
        EXPECT_TRUE(ShowsWholeText(label)) << label->objectName().toStdString();
    }
}

}  // namespace
}  // namespace qv
