// The polygon ROI drawn with the real pointer on a live X display: the events
// come from the X server as a user's clicks do, double click included.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include "support/polygon_inside.h"
#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

constexpr Color kYellow = 0xFFFF00u;

class DesktopPolygonTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs a live X display";
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            << "the pointer is moved with xdotool";
        test::WorkspaceTest::SetUp();
        // The desktop's own screen, whatever its size and panels.
        QScreen* screen = QGuiApplication::primaryScreen();
        fake_->screenWidth = screen->geometry().width();
        fake_->screenHeight = screen->geometry().height();
        fake_->availableArea = screen->availableGeometry();
        w->import(test::Gradient(512));
        ASSERT_EQ(w->imgsize, 512);
        w->polyRoi_RB->SetValue(true);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        w->raise();
        w->activateWindow();
        QTest::qWait(300);
    }
    // Runs xdotool on the canvas point (x, y), then lets the program take the events.
    void Pointer(int x, int y, const QStringList& click) {
        const QPoint at = w->Canvas1->mapToGlobal(QPoint(x, y));
        QStringList args{QStringLiteral("mousemove"), QString::number(at.x()),
                         QString::number(at.y()), QStringLiteral("click")};
        args << click << QStringLiteral("1");
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0);
        QTest::qWait(600);  // longer than the polygon's double-click window
    }
    Color Source(int x, int y) const { return w->pix->RGBSurface()->Pixel(x, y); }
    Color Crop(int x, int y) const { return w->poxc->RGBSurface()->Pixel(x, y); }
};

TEST_F(DesktopPolygonTest, ANotchDrawnWithThePointerHoldsItsWholeRim) {
    const std::vector<std::pair<int, int>> notch = {
        {150, 150}, {350, 150}, {350, 350}, {250, 250}, {150, 350}};
    for (size_t k = 0; k + 1 < notch.size(); ++k) Pointer(notch[k].first, notch[k].second, {});
    // the last vertex by a double click, which closes the polygon
    Pointer(150, 350, {QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                       QStringLiteral("80")});
    ASSERT_FALSE(w->polyongoing) << "the double click closed the polygon";
    ASSERT_EQ(w->msdownx, 150);
    ASSERT_EQ(w->msupy, 350);

    const PicturePtr outline = w->Canvas1->Backdrop();
    std::vector<int> points{0};
    for (auto [x, y] : notch) points.insert(points.end(), {x, y});
    // the thumbnail shows the crop; at this screen size it is not scaled
    const PicturePtr thumb = w->Canvas2->Backdrop();
    ASSERT_TRUE(thumb);
    const bool sameSize = w->can2size == w->imgsize;
    int wrong = 0, rim = 0;
    for (int y = 140; y <= 360; ++y)
        for (int x = 140; x <= 360; ++x) {
            const bool drawn = outline->RGBSurface()->Pixel(x, y) == kYellow;
            rim += drawn;
            if (!drawn && !test::InsidePolygon(points, x, y)) continue;
            const bool held = Crop(x, y) == Source(x, y) &&
                              (!sameSize || thumb->RGBSurface()->Pixel(x, y) == Source(x, y));
            if (!held && wrong++ < 5) ADD_FAILURE() << "left out: " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(rim, 700);
    EXPECT_EQ(Crop(250, 300), kWhite) << "the notch";
}

}  // namespace
}  // namespace qv
