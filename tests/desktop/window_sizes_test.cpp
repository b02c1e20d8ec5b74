// Sizes the window manager gives the program's windows: a resizable window
// keeps every size the user or the desktop gives it, to the last of a quick
// burst; a fixed-size window asks for its own size again, but only a few
// times when the desktop keeps refusing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "desktop/desktop_fixture.h"
#include "platform/core/size_notices.h"
#include "support/workspace_fixture.h"
#include "tools/area_analyzer.h"
#include "workspace/workspace_window.h"

namespace qv::desktop {
namespace {

// Runs the event loop for `ms` milliseconds.
void Pump(int ms) {
    WaitUntil([] { return false; }, ms);
}

TEST_F(DesktopTest, TheAreaAnalyzerFollowsABurstOfSizesToTheLast) {
    Window1* w = Window1::instance();
    w->Show();
    w->import(test::Gradient(512));
    w->_ToolsAreas_Action();
    Settle();
    Window9* areas = Window9::existing();
    ASSERT_TRUE(areas);
    ASSERT_TRUE(AsPlaced(areas));

    // Ten sizes 40 ms apart, 20 x 10 pixels a step, or less where the area
    // has no room for that. Where the frame grows past the area's edge, the
    // window moves back in, and keeps its size.
    const QSize start = areas->size();  // content and menu bar
    const int bar = start.height() - areas->Height();
    const QSize room = area_.size() - FrameOnScreen(areas).size();
    const QSize step(std::min(20, room.width() / 10), std::min(10, room.height() / 10));
    ASSERT_GT(step.width(), 0);
    ASSERT_GT(step.height(), 0);
    std::vector<QSize> burst;
    for (int i = 1; i <= 10; ++i) burst.push_back(start + step * i);
    for (const QSize& size : burst) {
        AskForSize(areas, size);
        Pump(40);
    }
    WaitUntil([&] { return areas->size() == burst.back(); }, 2000);
    Settle();
    EXPECT_EQ(areas->size(), burst.back())
        << "the last size, not the first step: " << areas->width() << "x" << areas->height();
    EXPECT_EQ(QSize(areas->Width(), areas->Height() + bar), burst.back())
        << "the program's own size";
    EXPECT_TRUE(AsPlaced(areas));
    EXPECT_TRUE(InsideScreen(areas));
}

// The desktop answers each request for the workspace's working size with a
// size of its own: the workspace asks again only a few times.
TEST_F(DesktopTest, AFixedSizeWindowStopsAskingForASizeTheDesktopKeepsRefusing) {
    Window1* w = Window1::instance();
    w->Show();
    w->import(test::Gradient(512));
    Settle();
    const QSize own = w->size();
    const int width = w->Width();
    int asked = 0;
    for (int i = 0; i < 10; ++i) {
        SendLateSizeNotice(w, own - QSize(40 + i % 2, 30));
        Pump(150);
        if (w->size() == own) ++asked;
    }
    EXPECT_GE(asked, 1) << "asked again at first";
    EXPECT_LE(asked, SizeNotices::kAsksAgain) << "not for as long as the desktop refuses";
    EXPECT_EQ(w->Width(), width) << "its working size stays its own";

    // A new working size is asked for, and asked for again, anew.
    w->import(test::Gradient(300));
    Settle();
    const QSize fresh = w->size();
    ASSERT_NE(fresh, own);
    SendLateSizeNotice(w, fresh - QSize(40, 30));
    Pump(150);
    Settle();
    EXPECT_EQ(w->size(), fresh);
    EXPECT_TRUE(AsPlaced(w));
}

}  // namespace
}  // namespace qv::desktop
