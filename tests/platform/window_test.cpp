#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <cstdlib>
#include <vector>

#include "platform/longpass.h"
#include "platform/menus.h"
#include "platform/window.h"
#include "support/fake_services.h"

namespace qv {
namespace {

using test::DrainEvents;

// A desktop of 1600 x 1200 whose top 40 pixels hold a panel.
class OnScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake_->screenWidth = 1600;
        fake_->screenHeight = 1200;
        fake_->availableArea = QRect(0, 40, 1600, 1160);
    }
    void TearDown() override { DrainEvents(); }
    test::ScopedFakeServices fake_;
};

class BareWindow : public Window {
public:
    BareWindow() { MenuBarVisible = false; }
};

TEST_F(OnScreenTest, PlacementsMoveByTheLeastStepBackOntoTheScreen) {
    struct Case {
        int width, height, left, top;
        int expectLeft, expectTop;  // with no frame known
        int framedLeft, framedTop;  // under a frame of 3, 22, 3, 5
        QSize shown, framedShown;   // the size it ends at, without and with the frame
    };
    const QSize kept(300, 300), wide(1390, 300);
    const Case cases[] = {
        {300, 300, 100, 100, 100, 100, 100, 100, kept, kept},    // inside: where it was put
        {300, 300, 1497, 250, 1300, 250, 1297, 250, kept, kept}, // past the right edge
        {300, 300, -20, 500, 0, 500, 3, 500, kept, kept},        // past the left edge
        {300, 300, 200, 1000, 200, 900, 200, 895, kept, kept},   // past the bottom
        {300, 300, 200, 10, 200, 40, 200, 62, kept, kept},       // under the panel
        {1390, 300, 800, 100, 210, 100, 207, 100, wide, wide},   // wide, past the right edge
        // larger than the area: shrunk to fit it, frame included
        {2000, 1300, 500, 500, 0, 40, 3, 62, {1600, 1160}, {1594, 1133}},
    };
    for (const bool framed : {false, true}) {
        if (framed) fake_->frame = QMargins(3, 22, 3, 5);
        for (const Case& c : cases) {
            BareWindow w;
            w.SetSize(c.width, c.height);
            w.SetLeft(c.left);
            w.SetTop(c.top);
            const int left = framed ? c.framedLeft : c.expectLeft;
            const int top = framed ? c.framedTop : c.expectTop;
            EXPECT_EQ(w.Left(), left) << framed << ": " << c.left << "," << c.top;
            EXPECT_EQ(w.Top(), top) << framed << ": " << c.left << "," << c.top;
            EXPECT_EQ(QSize(w.Width(), w.Height()), framed ? c.framedShown : c.shown)
                << framed << ": " << c.left << "," << c.top << ": shrunk only to fit";
            EXPECT_TRUE(QRect(0, 40, 1600, 1160).contains(w.FrameRect()));
            w.Show();
            EXPECT_EQ(w.Left(), left) << "showing moves it no further";
            EXPECT_EQ(w.Top(), top) << "showing moves it no further";
        }
    }
}

TEST_F(OnScreenTest, AWindowThatGrowsInPlaceMovesUpJustEnough) {
    fake_->frame = QMargins(1, 20, 1, 5);
    BareWindow w;
    w.SetCentred(true);
    w.SetSize(705, 702);
    EXPECT_EQ(w.Left(), 1 + (1600 - 707) / 2) << "centred with its frame before it shows";
    EXPECT_EQ(w.Top(), 40 + 20 + (1160 - 727) / 2) << "centred in the area left by the panel";
    w.Show();
    EXPECT_EQ(w.Top(), 40 + 20 + (1160 - 727) / 2);
    const int left = w.Left();
    w.SetSize(705, 1100);
    EXPECT_EQ(w.Height(), 1100);
    EXPECT_EQ(w.Top(), 1200 - 5 - 1100) << "its frame's bottom on the screen's bottom edge";
    EXPECT_EQ(w.Left(), left);
    w.SetSize(1400, 1100);
    EXPECT_EQ(w.Left(), 1600 - 1 - 1400) << "grown to the right: moved left by the overhang";
    EXPECT_EQ(w.Width(), 1400);
}

TEST_F(OnScreenTest, FramesStandBesideWithoutOverlapping) {
    fake_->frame = QMargins(1, 20, 1, 5);
    BareWindow anchor, beside;
    anchor.SetSize(400, 300);
    anchor.SetLeft(100);
    anchor.SetTop(200);
    beside.SetSize(200, 100);
    beside.SetLeft(beside.LeftBeside(anchor));
    EXPECT_EQ(beside.Left(), 100 + 400 + 1 + 1) << "both borders between them";
    EXPECT_EQ(beside.FrameRect().left(), anchor.FrameRect().right() + 1);
}

TEST_F(OnScreenTest, ASizeFromTheScreenShrinksToLetTheFrameFit) {
    fake_->frame = QMargins(1, 20, 1, 1);
    BareWindow w;
    w.SetSizeOnScreen(1570, 1170);
    EXPECT_EQ(w.Width(), 1570) << "fits across";
    EXPECT_EQ(w.Height(), 1160 - 21) << "the panel, the title bar and the bottom border taken off";
    w.SetLeft(10);
    w.SetTop(10);
    EXPECT_TRUE(QRect(0, 40, 1600, 1160).contains(w.FrameRect()));
}

TEST_F(OnScreenTest, TheMenuBarAboveTheContentStaysOnTheScreenToo) {
    BareWindow w;
    w.SetTopBar(new QLabel(QStringLiteral("File Edit")));
    ASSERT_GT(w.TopBar()->sizeHint().height(), 5);
    w.SetSize(200, 100);
    w.SetTop(45);  // the content's top; the bar would reach above the area
    EXPECT_EQ(w.Top(), 40 + w.TopBar()->sizeHint().height());
    EXPECT_EQ(w.frameGeometry().top(), 40);
}

// Like the montage setup, it shows itself whenever it is activated.
class ShowsWhenActivated : public BareWindow {
  public:
    void Event_Activate() override {
        ++activations;
        Show();
    }
    int activations = 0;
};

TEST_F(OnScreenTest, TheDesktopHandingTheFocusOnLeavesTheWindowShownLastInFront) {
    ShowsWhenActivated earlier;
    earlier.Open();
    earlier.Show();
    DrainEvents();
    const int activations = earlier.activations;
    BareWindow fresh;
    fresh.Open();
    fresh.Show();  // not yet taken in by the desktop
    QEvent handedOn(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&earlier, &handedOn);
    DrainEvents();
    EXPECT_EQ(earlier.activations, activations) << "not the user's choice";
    EXPECT_EQ(FrontWindow(), &fresh);

    QCoreApplication::sendEvent(&earlier, &handedOn);  // once the fresh one is in
    DrainEvents();
    EXPECT_GT(earlier.activations, activations);
    EXPECT_EQ(FrontWindow(), &earlier);
}

// ---- sizes the desktop reports --------------------------------------------------------

// Counts the sizes it takes up as the user's or the desktop's.
class SizedWindow : public BareWindow {
public:
    explicit SizedWindow(bool resizeable) {
        SetResizeable(resizeable);
        Open();
        SetSize(331, 244);
        SetLeft(100);
        SetTop(100);
        Show();
        DrainEvents();
    }
    void Event_Resized() override {
        if (SizedByUser()) users.push_back(QSize(Width(), Height()));
    }
    std::vector<QSize> users;
};

// Ten sizes 40 ms apart, as a keyboard resize, a tiling desktop or a quick
// drag sends them, also right after the program sized the window; each size
// reaches the program on its own, or several arrive together.
TEST_F(OnScreenTest, EverySizeTheDesktopGivesAResizableWindowIsKeptToTheLast) {
    for (const bool together : {false, true}) {
        SCOPED_TRACE(together ? "arriving together" : "one by one");
        SizedWindow w(true);
        w.SetSize(321, 239);  // just before: the program's own size
        std::vector<QSize> given;
        for (int i = 1; i <= 10; ++i) {
            given.push_back(QSize(321 + 20 * i, 239 + 10 * i));
            test::DesktopResizes(&w, given.back());
            if (!together) DrainEvents();
        }
        DrainEvents();
        EXPECT_EQ(w.size(), given.back()) << "as the desktop shows it";
        EXPECT_EQ(QSize(w.Width(), w.Height()), given.back()) << "and as the program has it";
        if (!together) {
            EXPECT_EQ(w.users, given) << "each taken up as the user's";
        }
        // The program's own sizes stay its own, also after the user's.
        w.SetSize(400, 300);
        DrainEvents();
        EXPECT_EQ(w.size(), QSize(400, 300));
        ASSERT_FALSE(w.users.empty()) << "a size the desktop gave was taken up";
        EXPECT_EQ(w.users.back(), given.back());
    }
}

// A desktop that answers each request for the size with one of its own: the
// window asks again a few times, not for as long as the desktop refuses.
TEST_F(OnScreenTest, AFixedSizeWindowAsksForItsSizeAgainOnlyAFewTimes) {
    SizedWindow w(false);
    const QSize own = w.size();
    int asked = 0;
    for (int i = 0; i < 10; ++i) {
        test::DesktopResizes(&w, own - QSize(20 + i % 2, 10));
        DrainEvents();
        if (w.size() == own) ++asked;
    }
    EXPECT_GE(asked, 1) << "asked again at first";
    EXPECT_LE(asked, SizeNotices::kAsksAgain);
    EXPECT_EQ(QSize(w.Width(), w.Height()), QSize(331, 244)) << "its own size and layout stay";
    EXPECT_TRUE(w.users.empty());

    // A size the program sets is asked for, and asked for again, anew.
    w.SetSize(351, 254);
    DrainEvents();
    EXPECT_EQ(w.size(), QSize(351, 254));
    test::DesktopResizes(&w, QSize(300, 200));
    DrainEvents();
    EXPECT_EQ(w.size(), QSize(351, 254));
}

// ---- the quit guard ------------------------------------------------------------------

struct Counts {
    int closes = 0;
    int opens = 0;
};
Counts& Seen() {
    static Counts c;
    return c;
}

class PlainWindow : public Window, public SingleInstance<PlainWindow> {
public:
    PlainWindow() {
        MenuBarVisible = false;
        SetSize(50, 50);
    }
    void Event_Open() override { ++Seen().opens; }
};

// Its close builds the plain window again, as a careless close handler would.
class CarelessWindow : public Window, public SingleInstance<CarelessWindow> {
public:
    CarelessWindow() { MenuBarVisible = false; }
    void Event_Close() override {
        ++Seen().closes;
        PlainWindow::instance();
    }
};

// Its close brings the plain window back unless the program quits.
class GuardedWindow : public Window, public SingleInstance<GuardedWindow> {
public:
    GuardedWindow() { MenuBarVisible = false; }
    void Event_Close() override {
        ++Seen().closes;
        if (Quitting()) return;
        PlainWindow::instance()->Show();
    }
};

class QuitGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        Seen() = {};
        SetLastWindowClosed([this] { ++quits; });
    }
    void TearDown() override {
        SetLastWindowClosed(nullptr);
        DestroyAllWindows();
        DrainEvents();
    }
    test::ScopedFakeServices fake_;
    int quits = 0;
};

TEST_F(QuitGuardTest, QuitEndsTheProgramAndClosesBuildNothing) {
    PlainWindow::instance();
    GuardedWindow::instance();  // in front of the plain window: closed after it
    DrainEvents();
    EXPECT_FALSE(Quitting());
    const int built = WindowsBuiltWhileQuitting();
    QuitApplication();
    DrainEvents();
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(Seen().opens, 1) << "the guarded close built no window";
    EXPECT_EQ(WindowsBuiltWhileQuitting(), built);
    EXPECT_FALSE(Quitting()) << "the guard holds only while the windows close";

    // outside Quit the same close brings the plain window back
    GuardedWindow::instance()->Close();
    DrainEvents();
    EXPECT_TRUE(PlainWindow::existing());
    EXPECT_EQ(quits, 1);
}

TEST_F(QuitGuardTest, AWindowBuiltByACarelessCloseIsClosedAgain) {
    PlainWindow::instance();
    CarelessWindow::instance();
    DrainEvents();
    const int built = WindowsBuiltWhileQuitting();
    QuitApplication();
    DrainEvents();
    EXPECT_EQ(WindowCount(), 0) << "Quit always quits";
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(WindowsBuiltWhileQuitting(), built + 1) << "and the fault is counted";
}

TEST_F(QuitGuardTest, QuitWithNoWindowEndsAtOnceAndARunningPassKeepsItsWindow) {
    QuitApplication();
    EXPECT_EQ(quits, 1);

    QPointer<PlainWindow> w(PlainWindow::instance());
    DrainEvents();
    {
        LongPass pass;
        QuitApplication();
        DrainEvents();
        EXPECT_TRUE(w && !w->Closed()) << "no window goes under a running pass";
        EXPECT_EQ(quits, 1);
    }
    QuitApplication();
    DrainEvents();
    EXPECT_EQ(quits, 2);
}

}  // namespace
}  // namespace qv
