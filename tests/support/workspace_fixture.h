#pragma once

#include <QTest>

#include "support/session_fixture.h"
#include "workspace/workspace_window.h"

namespace qv::test {

// A started program with its workspace shown, on a screen of 1600 x 1200 pixels.
class WorkspaceTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        fake_->screenWidth = 1600;
        fake_->screenHeight = 1200;
        w = Window1::instance();
        w->Show();
    }
    Window1* w = nullptr;
};

// A picture with no pure black or white pixel where every pixel tells its place:
// red x % 250 + 3, green y % 250 + 3, blue 7.
inline PicturePtr Gradient(int side) {
    PicturePtr p = NewPicture(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            p->RGBSurface()->SetPixel(x, y, RGB(x % 250 + 3, y % 250 + 3, 7));
    return p;
}

// Press at `from`, one move to `to` with the button held, release at `to`.
inline void Drag(QWidget* canvas, QPoint from, QPoint to) {
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    if (from != to) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(canvas, &move);
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
}

// File > New window from workspace `w`: the workspace that replaced it, or
// null (with a failure) when none did.
inline Window1* NewWindow(Window1* w) {
    bool handled = false;
    w->HandleMenu(QStringLiteral("FileNewwindow"), &handled);
    DrainEvents();
    EXPECT_TRUE(handled);
    Window1* fresh = Window1::existing();
    EXPECT_TRUE(fresh && fresh != w) << "a fresh workspace";
    return fresh != w ? fresh : nullptr;
}

}  // namespace qv::test
