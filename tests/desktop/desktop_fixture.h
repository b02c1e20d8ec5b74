#pragma once

// A started program on the real desktop the runner provides: an X server
// (1600 x 1200, or a small screen with a panel across its top) with a window
// manager. Dialogs are scripted as in every test; the screen, the area windows
// may use and the windows' frames are the desktop's.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <initializer_list>

#include "desktop/x_desktop.h"
#include "platform/window.h"
#include "support/session_fixture.h"

namespace qv::desktop {

// What the window manager lets the user do with a window: its frame buttons
// and resizing.
enum Box { Close = 1, Minimise = 2, Zoom = 4, Resize = 8 };

class DesktopTest : public test::SessionTest {
protected:
    void SetUp() override {
        test::SessionTest::SetUp();
        QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_TRUE(screen);
        fake_->screenWidth = screen->geometry().width();
        fake_->screenHeight = screen->geometry().height();
        area_ = WorkArea();
        ASSERT_FALSE(area_.isNull()) << "the window manager reports no work area";
        ASSERT_EQ(screen->availableGeometry(), area_)
            << "the program sees the area the window manager reports";
        fake_->availableArea = area_;
    }
    void TearDown() override {
        Settle();
        // Whatever a test left open stands inside the area too, drawn as placed.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowType() == Qt::Window) {
                EXPECT_TRUE(InsideScreen(w)) << "at the end of the test";
                if (const auto* window = qobject_cast<const Window*>(w)) {
                    EXPECT_TRUE(AsPlaced(window)) << "at the end of the test";
                }
            }
        }
        test::SessionTest::TearDown();
    }

    // The window's frame, as the window manager drew it, lies inside the area
    // windows may use (the screen less its panels).
    ::testing::AssertionResult InsideScreen(const QWidget* window) const {
        const QRect frame = FrameOnScreen(window);
        if (frame.isNull())
            return ::testing::AssertionFailure()
                   << window->windowTitle().toStdString() << " has no frame";
        if (area_.contains(frame)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << window->windowTitle().toStdString() << "'s frame " << frame.x() << ","
               << frame.y() << " " << frame.width() << "x" << frame.height()
               << " leaves the area windows may use, " << area_.x() << "," << area_.y() << " "
               << area_.width() << "x" << area_.height();
    }

    // The window manager drew the window where and as large as the program
    // placed it: the frame on the screen is the one the window counts with.
    static ::testing::AssertionResult AsPlaced(const Window* window) {
        const QRect drawn = FrameOnScreen(window), placed = window->FrameRect();
        if (drawn == placed) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << window->Title().toStdString() << "'s frame is " << drawn.x() << "," << drawn.y()
               << " " << drawn.width() << "x" << drawn.height() << ", placed at " << placed.x()
               << "," << placed.y() << " " << placed.width() << "x" << placed.height();
    }

    // The frame buttons and the resizing the window manager allows (Box).
    // A box shows when the manager allows its action and the window asks for
    // its decoration.
    static ::testing::AssertionResult HasBoxes(const QWidget* window, int boxes) {
        const QStringList allowed = AllowedActions(window);
        auto allows = [&](const char* action) { return allowed.contains(QLatin1String(action)); };
        const struct {
            Box box;
            const char* name;
            bool shown;
        } shown[] = {
            {Close, "close box", allows("CLOSE")},
            {Minimise, "minimise box", allows("MINIMIZE") && AsksForDecoration(window, 0x20)},
            {Zoom, "zoom box", allows("MAXIMIZE_HORZ") && AsksForDecoration(window, 0x40)},
            {Resize, "resizing", allows("RESIZE")},
        };
        for (const auto& s : shown) {
            if (s.shown != bool(boxes & s.box))
                return ::testing::AssertionFailure()
                       << window->windowTitle().toStdString() << ": " << s.name
                       << (s.shown ? " offered" : " missing") << " (allowed: "
                       << allowed.join(QLatin1Char(' ')).toStdString() << ")";
        }
        return ::testing::AssertionSuccess();
    }

    // `right`'s frame stands at `left`'s frame's right edge, neither over the
    // other, or as near to it as the screen's right edge lets it.
    ::testing::AssertionResult SideBySide(const QWidget* left, const QWidget* right) const {
        const QRect a = FrameOnScreen(left), b = FrameOnScreen(right);
        if (!a.isNull() && !b.isNull() &&
            b.left() == std::min(a.right() + 1, area_.right() + 1 - b.width()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << right->windowTitle().toStdString() << "'s frame starts at " << b.left()
               << ", " << left->windowTitle().toStdString() << "'s ends at " << a.right();
    }

    // The window's Left is `left`, or less by the least step that keeps its
    // frame on the screen.
    ::testing::AssertionResult LeftOrPushedIn(const QWidget* window, int content, int left) const {
        const QRect frame = FrameOnScreen(window);
        if (content == left || (content < left && frame.right() == area_.right()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "Left " << content << " for " << left
                                             << ", frame ending at " << frame.right();
    }

    // Of these windows, `front` is the one the window manager stacks highest.
    static ::testing::AssertionResult InFront(const QWidget* front,
                                              std::initializer_list<const QWidget*> others) {
        std::vector<const QWidget*> all(others);
        all.push_back(front);
        const QWidget* top = Frontmost(all);
        if (top == front) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << (top ? top->windowTitle().toStdString() : std::string("nothing"))
               << " is in front, not " << front->windowTitle().toStdString();
    }

    // The area windows may use, as the window manager reports it.
    QRect area_;
};

}  // namespace qv::desktop
