// Windows as large as their contents ask, on whatever screen the runner gives:
// each frame stays inside the area windows may use, panels counted, and is
// drawn where and as large as the program placed it.
#include <gtest/gtest.h>

#include "app/splash.h"
#include "desktop/desktop_fixture.h"
#include "platform/controls.h"
#include "support/workspace_fixture.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv::desktop {
namespace {

// First in the run: the splash is the first window the desktop frames.
TEST_F(DesktopTest, TheSplashStandsCentredInTheAreaOnceItsFrameIsKnown) {
    Window8* splash = Window8::instance();
    Settle();
    ASSERT_TRUE(splash->isVisible());
    EXPECT_TRUE(InsideScreen(splash));
    EXPECT_TRUE(AsPlaced(splash));
    const QRect frame = FrameOnScreen(splash);
    EXPECT_LE(std::abs(frame.center().x() - area_.center().x()), 1) << "centred across";
    EXPECT_LE(std::abs(frame.center().y() - area_.center().y()), 1) << "centred down";
}

TEST_F(DesktopTest, TheWorkspaceFitsTheAreaWithItsLargestPictures) {
    Window1* w = Window1::instance();
    w->Show();
    Settle();
    for (int side : {512, 1024, 2000}) {
        w->import(test::Gradient(side));
        Settle();
        EXPECT_TRUE(InsideScreen(w)) << side;
        EXPECT_TRUE(AsPlaced(w)) << side;
        EXPECT_EQ(w->Width(), std::max(650, w->imgsize + 366)) << side;
        EXPECT_LE(w->Canvas2->geometry().bottom(), w->Height() - 5)
            << side << ": the thumbnail inside the window";
        if (area_.height() >= 1200) {
            EXPECT_EQ(w->imgsize, std::min(side, 1024)) << side;
        }
    }
    EXPECT_GT(w->imgsize, 500) << "as large as the area allows";
}

TEST_F(DesktopTest, TheRoiAnalysisOfTheWholeLargestPictureFitsTheArea) {
    Window1* w = Window1::instance();
    w->Show();
    w->import(test::Gradient(1024));
    w->PushButton1->Push();  // "Select all"
    w->_ToolsAnalyzeROI_Action();
    Settle();
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    EXPECT_GE(roi->vidd, w->imgsize - 1) << "the whole working area";
    EXPECT_TRUE(InsideScreen(roi));
    EXPECT_TRUE(AsPlaced(roi));
    const auto* counts = roi->ControlNamed<QWidget>(QStringLiteral("StaticText1"));
    ASSERT_TRUE(counts);
    EXPECT_LT(roi->Canvas1->geometry().right(), counts->geometry().left())
        << "the crop ends left of the counts";
    if (area_.width() >= 1600) {
        EXPECT_EQ(roi->Canvas1->width(), roi->vidd) << "the whole crop shows";
    }
}

}  // namespace
}  // namespace qv::desktop
