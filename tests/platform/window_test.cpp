#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <cstdlib>

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
        int expectLeft, expectTop;
    };
    const Case cases[] = {
        {300, 300, 100, 100, 100, 100},     // inside: where it was put
        {300, 300, 1497, 250, 1300, 250},   // past the right edge
        {300, 300, -20, 500, 0, 500},       // past the left edge
        {300, 300, 200, 1000, 200, 900},    // past the bottom
        {300, 300, 200, 10, 200, 40},       // under the panel
        {1390, 300, 800, 100, 210, 100},    // wide, past the right edge
        {2000, 1300, 500, 500, 0, 40},      // larger than the area: its top-left inside
    };
    for (const Case& c : cases) {
        BareWindow w;
        w.SetSize(c.width, c.height);
        w.SetLeft(c.left);
        w.SetTop(c.top);
        EXPECT_EQ(w.Left(), c.expectLeft) << c.left << "," << c.top;
        EXPECT_EQ(w.Top(), c.expectTop) << c.left << "," << c.top;
        EXPECT_EQ(w.Width(), c.width) << "never resized";
        EXPECT_EQ(w.Height(), c.height) << "never resized";
        // Shown, the window may gain a frame, which has to be on the screen too.
        w.Show();
        const QRect frame = w.frameGeometry();
        const QRect area = fake_->availableArea;
        if (frame.width() <= area.width()) {
            EXPECT_GE(frame.left(), area.left()) << c.left;
            EXPECT_LE(frame.right(), area.right()) << c.left;
        }
        if (frame.height() <= area.height()) {
            EXPECT_GE(frame.top(), area.top()) << c.top;
            EXPECT_LE(frame.bottom(), area.bottom()) << c.top;
        }
        EXPECT_LE(std::abs(w.Left() - c.expectLeft), w.Left() - frame.left() + frame.right() - w.geometry().right())
            << "moved no further than its frame asks";
        EXPECT_LE(std::abs(w.Top() - c.expectTop), w.Top() - frame.top() + frame.bottom() - w.geometry().bottom());
    }
}

TEST_F(OnScreenTest, AWindowThatGrowsInPlaceMovesUpJustEnough) {
    BareWindow w;
    w.SetCentred(true);
    w.SetSize(705, 702);
    w.Show();
    const QMargins frame(w.geometry().left() - w.frameGeometry().left(),
                         w.geometry().top() - w.frameGeometry().top(),
                         w.frameGeometry().right() - w.geometry().right(),
                         w.frameGeometry().bottom() - w.geometry().bottom());
    EXPECT_NEAR(w.Left(), (1600 - 705) / 2, frame.left() + frame.right());
    EXPECT_NEAR(w.Top(), 40 + (1160 - 702) / 2, frame.top() + frame.bottom())
        << "centred in the area left by the panel";
    const int left = w.Left();
    w.SetSize(705, 1150);
    EXPECT_EQ(w.Height(), 1150);
    EXPECT_EQ(w.Top(), 1200 - frame.bottom() - 1150) << "its bottom on the screen's bottom edge";
    EXPECT_EQ(w.Left(), left);
    w.SetSize(1400, 1150);
    EXPECT_EQ(w.Left(), 1600 - frame.right() - 1400) << "grown to the right: moved left by the overhang";
    EXPECT_EQ(w.Width(), 1400);
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
