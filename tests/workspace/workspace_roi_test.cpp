#include <gtest/gtest.h>

#include <QTest>

#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

constexpr Color kYellow = 0xFFFF00u;

class RoiTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->import(test::Gradient(512));
        ASSERT_EQ(w->imgsize, 512);
    }
    void Drag(QPoint from, QPoint to) { test::Drag(w->Canvas1, from, to); }
    std::array<int, 4> Roi() const { return {w->msdownx, w->msdowny, w->msupx, w->msupy}; }
    // Whether every crop pixel equals the image inside `inside` and is white elsewhere.
    void ExpectCrop(const PicturePtr& crop, const std::function<bool(int, int)>& inside) {
        ASSERT_TRUE(crop);
        ASSERT_EQ(crop->Width(), 512);
        int wrong = 0;
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x) {
                const Color want = inside(x, y) ? w->pix->RGBSurface()->Pixel(x, y) : 0xFFFFFFu;
                wrong += crop->RGBSurface()->Pixel(x, y) != want;
            }
        EXPECT_EQ(wrong, 0);
    }
};

TEST_F(RoiTest, DragsNormaliseClampAndFollowShift) {
    struct Case {
        QPoint from, to;
        bool shift;
        std::array<int, 4> roi;
        const char* rx;
        const char* ry;
    };
    const Case cases[] = {
        {{10, 20}, {15, 30}, false, {10, 20, 15, 30}, "\u2206x:5", "\u2206y:10"},
        {{100, 100}, {60, 130}, true, {60, 100, 100, 140}, "\u2206x:-40", "\u2206y:40"},
        {{100, 100}, {140, 70}, true, {100, 60, 140, 100}, "\u2206x:40", "\u2206y:-40"},
        {{30, 40}, {-20, -5}, false, {0, 0, 30, 40}, "\u2206x:-50", "\u2206y:-45"},
        {{30, 40}, {700, 60}, false, {30, 40, 511, 60}, "\u2206x:670", "\u2206y:20"},
        {{50, 50}, {50, 80}, true, {50, 50, 50, 50}, "\u2206x:0", "\u2206y:0"},
        {{50, 50}, {90, 50}, true, {50, 50, 90, 50}, "\u2206x:40", "\u2206y:0"},
        {{500, 500}, {600, 530}, true, {500, 500, 511, 511}, "\u2206x:100", "\u2206y:100"},
    };
    for (const Case& c : cases) {
        fake_->shift = c.shift;
        Drag(c.from, c.to);
        EXPECT_EQ(Roi(), c.roi) << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << ","
                                << c.to.y();
        EXPECT_EQ(w->StaticText6->Text(), QString::fromUtf8(c.rx));
        EXPECT_EQ(w->StaticText8->Text(), QString::fromUtf8(c.ry));
    }
    // the release's "Select 2-color mode" is followed by the fluorogram's text
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a Section or Quadrant"));
}

TEST_F(RoiTest, ReadoutsStartWithoutDeltaAndAClickLeavesThem) {
    EXPECT_EQ(w->StaticText6->Text(), QStringLiteral("x:0"));
    EXPECT_EQ(w->StaticText8->Text(), QStringLiteral("y:0"));
    QTest::mouseClick(w->Canvas1, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(w->StaticText6->Text(), QStringLiteral("x:0"));
    EXPECT_EQ(Roi(), (std::array<int, 4>{40, 40, 40, 40}));
    ExpectCrop(w->poxc, [](int, int) { return false; });  // a click crops nothing
}

TEST_F(RoiTest, RectangleCropTakesThePixelsStrictlyInside) {
    Drag({10, 20}, {15, 30});
    ExpectCrop(w->poxc, [](int x, int y) { return x >= 11 && x <= 14 && y >= 21 && y <= 29; });
    // the outline lies on the box's edge of the canvas backdrop
    PicturePtr shown = w->Canvas1->Backdrop();
    EXPECT_EQ(shown->RGBSurface()->Pixel(10, 25), kYellow);
    EXPECT_EQ(shown->RGBSurface()->Pixel(12, 20), kYellow);
    EXPECT_EQ(shown->RGBSurface()->Pixel(12, 25), w->pix->RGBSurface()->Pixel(12, 25));
    ASSERT_TRUE(w->Canvas2->Backdrop());
    EXPECT_EQ(w->Canvas2->Backdrop()->Width(), w->can2size);
}

TEST_F(RoiTest, TheCropBeforeIsKeptForMemory) {
    Drag({10, 10}, {50, 50});
    const PicturePtr a = w->poxc;
    Drag({100, 100}, {150, 150});
    EXPECT_EQ(w->bkpoxc, a);
    EXPECT_NE(w->poxc, a);
    EXPECT_EQ(w->poxc->RGBSurface()->Pixel(120, 120), w->pix->RGBSurface()->Pixel(120, 120));
    EXPECT_EQ(a->RGBSurface()->Pixel(120, 120), 0xFFFFFFu) << "the earlier crop was not touched";
}

TEST_F(RoiTest, OutlineOnlyWhenRensaIsThree) {
    Drag({10, 10}, {50, 50});
    const PicturePtr crop = w->poxc, before = w->bkpoxc, thumb = w->Canvas2->Backdrop();
    w->rensa = 3;
    w->msdownx = 200, w->msdowny = 200, w->msupx = 300, w->msupy = 300;
    w->ritacan(200, 200, 300, 300);
    EXPECT_EQ(w->poxc, crop);
    EXPECT_EQ(w->bkpoxc, before);
    EXPECT_EQ(w->Canvas2->Backdrop(), thumb);
    EXPECT_EQ(w->Canvas1->Backdrop()->RGBSurface()->Pixel(200, 250), kYellow);
    EXPECT_NE(w->Canvas1->Backdrop()->RGBSurface()->Pixel(10, 30), kYellow) << "old outline gone";
}

TEST_F(RoiTest, OvalCropIsTheImageUnderTheMask) {
    w->OvalRoi_RB->SetValue(true);
    EXPECT_TRUE(w->ovalmode);
    Drag({40, 60}, {200, 140});
    ASSERT_TRUE(w->polymask);
    ExpectCrop(w->poxc, [this](int x, int y) {
        return w->polymask->RGBSurface()->Pixel(x, y) == kYellow;
    });
    EXPECT_EQ(w->polymask->RGBSurface()->Pixel(120, 100), kYellow);
    EXPECT_EQ(w->polymask->RGBSurface()->Pixel(41, 61), 0xFFFFFFu) << "a corner of the box";
    EXPECT_EQ(w->Canvas1->Backdrop()->RGBSurface()->Pixel(40, 100), kYellow) << "oval outline";
}

TEST_F(RoiTest, AnOvalRedrawnByTheFrameStepIsCroppedAsItsRectangle) {
    w->OvalRoi_RB->SetValue(true);
    Drag({40, 60}, {200, 140});
    w->rensa = 4;
    w->ritacan(w->msdownx, w->msdowny, w->msupx, w->msupy);
    ExpectCrop(w->poxc, [](int x, int y) { return x > 40 && x < 200 && y > 60 && y < 140; });
}

TEST_F(RoiTest, BackgroundPageReleaseRedrawsTheOutlineOnly) {
    Drag({10, 10}, {50, 50});
    const PicturePtr crop = w->poxc, thumb = w->Canvas2->Backdrop();
    w->TabPanel1->SetValue(1);
    w->StaticText3->SetText(QStringLiteral("kept"));
    Drag({100, 100}, {300, 300});
    EXPECT_EQ(w->rensa, 3);
    EXPECT_EQ(w->poxc, crop);
    EXPECT_EQ(w->Canvas2->Backdrop(), thumb);
    EXPECT_EQ(Roi(), (std::array<int, 4>{100, 100, 300, 300}));
    EXPECT_EQ(w->Canvas1->Backdrop()->RGBSurface()->Pixel(100, 200), kYellow);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("kept")) << "set only on the Fluorogram page";
}

TEST_F(RoiTest, APressBeforeAnyImageBeepsTwiceAndChangesNothing) {
    w->Close();
    Window1* fresh = Window1::instance();
    fresh->Show();
    QTest::mousePress(fresh->Canvas1, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseRelease(fresh->Canvas1, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(fake_->beeps, 2);
    EXPECT_EQ(fresh->msdownx, 0);
    EXPECT_EQ(fresh->msupx, 0);
    EXPECT_FALSE(fresh->poxc);
    fresh->PushButton1->click();  // Select all without an image: nothing
    EXPECT_FALSE(fresh->poxc);
    w = fresh;
}

TEST_F(RoiTest, APressClearsTheThumbnailSurfaceButNotItsBackdrop) {
    Drag({10, 10}, {50, 50});
    const PicturePtr thumb = w->Canvas2->Backdrop();
    QTest::mousePress(w->Canvas1, Qt::LeftButton, {}, QPoint(80, 80));
    EXPECT_EQ(w->Canvas2->Backdrop(), thumb);
    EXPECT_EQ(w->Canvas2->Surface()->RGBSurface()->Pixel(20, 20), 0xFFFFFFu);
    EXPECT_EQ(w->lastclickx, 10) << "the previous press point is kept";
    QTest::mouseRelease(w->Canvas1, Qt::LeftButton, {}, QPoint(80, 80));
}

TEST_F(RoiTest, TheRubberBandShowsOverThePlainImage) {
    Drag({10, 10}, {50, 50});
    Canvas* c = w->Canvas1;
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(140, 120), c->mapToGlobal(QPointF(140, 120)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(c, &move);
    const PicturePtr s = c->Surface();
    EXPECT_EQ(s->RGBSurface()->Pixel(100, 110), kYellow);
    EXPECT_EQ(s->RGBSurface()->Pixel(10, 30), w->pix->RGBSurface()->Pixel(10, 30))
        << "the previous outline is hidden while dragging";
    EXPECT_EQ(c->Backdrop()->RGBSurface()->Pixel(10, 30), kYellow) << "backdrop unchanged";
    QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(140, 120));
}

TEST_F(RoiTest, SelectAllTakesTheWholeImage) {
    w->PushButton1->click();
    EXPECT_EQ(Roi(), (std::array<int, 4>{0, 0, 511, 511}));
    ExpectCrop(w->poxc, [](int x, int y) { return x >= 1 && x <= 510 && y >= 1 && y <= 510; });
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a Section or Quadrant"));
    EXPECT_TRUE(w->poxtaken);
    // on the Background page: the text of Select all, and no rebuild
    w->TabPanel1->SetValue(1);
    const PicturePtr fluorogram = w->pox;
    w->PushButton1->click();
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Select 2-color mode"));
    EXPECT_EQ(w->pox, fluorogram);
}

}  // namespace
}  // namespace qv
