#include <gtest/gtest.h>

#include <QTest>

#include "support/polygon_inside.h"
#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

constexpr Color kYellow = 0xFFFF00u;
const QString kTooMany = QStringLiteral("A polygon can not have more than 20 sides.");

class PolygonTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->import(test::Gradient(512));
        ASSERT_EQ(w->imgsize, 512);
        w->PushButton1->click();  // a first ROI and fluorogram: Select all
        selectAllCrop = w->poxc;
        w->polyRoi_RB->SetValue(true);
        ASSERT_TRUE(w->polygonmode);
        ASSERT_EQ(w->polygoncount, 1);
    }
    void Click(int x, int y) { QTest::mouseClick(w->Canvas1, Qt::LeftButton, {}, QPoint(x, y)); }
    // A click after the double-click window has run out.
    void SlowClick(int x, int y) {
        Click(x, y);
        w->Timer3->Fire();
    }
    // A double click as the desktop hands it to the canvas: a press and a
    // release, then a double-click event (taken as the second press) and its
    // release. QTest's double click alone is only the second half of that.
    void DoubleClick(int x, int y) {
        Click(x, y);
        QTest::mouseDClick(w->Canvas1, Qt::LeftButton, {}, QPoint(x, y));
    }
    std::array<int, 4> Roi() const { return {w->msdownx, w->msdowny, w->msupx, w->msupy}; }
    Color Source(int x, int y) const { return w->pix->RGBSurface()->Pixel(x, y); }
    Color Crop(int x, int y) const { return w->poxc->RGBSurface()->Pixel(x, y); }
    PicturePtr selectAllCrop;
};

TEST_F(PolygonTest, ADoubleClickClosesTheTriangleAndCropsItWithItsRim) {
    SlowClick(10, 10);
    EXPECT_TRUE(w->polyongoing);
    SlowClick(100, 10);
    Click(100, 80);
    // the lines back to the previous click are on the canvas, none before the first vertex
    const PicturePtr shown = w->Canvas1->Surface();
    EXPECT_EQ(shown->RGBSurface()->Pixel(55, 10), kYellow);
    EXPECT_EQ(shown->RGBSurface()->Pixel(100, 45), kYellow);
    EXPECT_EQ(shown->RGBSurface()->Pixel(55, 45), Source(55, 45)) << "not closed yet";
    EXPECT_EQ(w->poxc, selectAllCrop);
    const PicturePtr fluorogram = w->pox;

    Click(100, 80);  // within 250 ms: the close
    EXPECT_FALSE(w->polyongoing);
    EXPECT_EQ(Roi(), (std::array<int, 4>{10, 10, 100, 80}));
    EXPECT_EQ(w->polygoncount, 9) << "the closing click is stored as a fourth vertex";
    EXPECT_EQ(w->bkpox, fluorogram) << "the fluorogram is rebuilt once";
    EXPECT_EQ(w->bkpoxc, selectAllCrop);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a Section or Quadrant"));
    for (auto [x, y] : {std::pair{60, 20}, {10, 10}, {100, 40}, {100, 80}, {55, 10}})
        EXPECT_EQ(Crop(x, y), Source(x, y)) << x << "," << y;
    EXPECT_EQ(Crop(20, 60), kWhite);
    EXPECT_EQ(Crop(101, 40), kWhite);
    EXPECT_EQ(w->polymask->RGBSurface()->Pixel(10, 10), kYellow);
    // the closed outline, its last side included, is the canvas's backdrop
    EXPECT_EQ(w->Canvas1->Backdrop()->RGBSurface()->Pixel(55, 45), kYellow);
    ASSERT_TRUE(w->Canvas2->Backdrop());
    EXPECT_EQ(w->Canvas2->Backdrop()->Width(), w->can2size);
    EXPECT_TRUE(w->doubleclick);
    w->Timer3->Fire();
    EXPECT_FALSE(w->doubleclick);
    EXPECT_EQ(w->Timer3->Mode(), 0);
}

TEST_F(PolygonTest, ANotchClosedByADoubleClickHoldsItsWholeRim) {
    // drawn on a 512-pixel image: slow clicks, then a double click on the last vertex
    const std::vector<std::pair<int, int>> notch = {
        {150, 150}, {350, 150}, {350, 350}, {250, 250}, {150, 350}};
    for (size_t k = 0; k + 1 < notch.size(); ++k) SlowClick(notch[k].first, notch[k].second);
    DoubleClick(150, 350);
    ASSERT_FALSE(w->polyongoing);
    ASSERT_EQ(Roi(), (std::array<int, 4>{150, 150, 350, 350}));
    const PicturePtr outline = w->Canvas1->Backdrop();
    std::vector<int> points{0};
    for (auto [x, y] : notch) points.insert(points.end(), {x, y});
    int rim = 0, wrong = 0;
    for (int y = 140; y <= 360; ++y)
        for (int x = 140; x <= 360; ++x) {
            const bool drawn = outline->RGBSurface()->Pixel(x, y) == kYellow;
            rim += drawn;
            if ((drawn || test::InsidePolygon(points, x, y)) && Crop(x, y) != Source(x, y) && wrong++ < 5)
                ADD_FAILURE() << "left out of the crop: " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(rim, 700);
    EXPECT_EQ(Crop(250, 300), kWhite) << "the notch";
    EXPECT_EQ(Crop(150, 351), kWhite);
}

TEST_F(PolygonTest, ClicksFurtherApartThanTheDoubleClickNeverClose) {
    for (int i = 0; i < 4; ++i) SlowClick(200, 200);
    EXPECT_TRUE(w->polyongoing);
    EXPECT_EQ(w->polygoncount, 9);
    EXPECT_EQ(w->poxc, selectAllCrop);
    EXPECT_EQ(Roi(), (std::array<int, 4>{200, 200, 511, 511})) << "only the press point moves";
}

TEST_F(PolygonTest, TheTwentiethVertexClosesWithAMessage) {
    for (int k = 0; k < 20; ++k) SlowClick(20 + 10 * k, k % 2 ? 30 : 90);
    EXPECT_EQ(fake_->messages, QStringList{kTooMany});
    EXPECT_FALSE(w->polyongoing);
    EXPECT_EQ(w->polygoncount, 41);
    EXPECT_EQ(Roi(), (std::array<int, 4>{20, 30, 210, 90}));
    EXPECT_EQ(w->bkpoxc, selectAllCrop);
    SlowClick(300, 300);  // a new polygon
    EXPECT_TRUE(w->polyongoing);
    EXPECT_EQ(w->polygoncount, 3);
    EXPECT_EQ(fake_->messages.size(), 1);
}

TEST_F(PolygonTest, ADoubleClickAtNineteenVerticesClosesOnce) {
    for (int k = 0; k < 18; ++k) SlowClick(20 + 10 * k, k % 2 ? 30 : 90);
    Click(400, 200);  // the nineteenth vertex
    Click(400, 200);  // at once: the close, and the twentieth vertex
    EXPECT_TRUE(fake_->messages.isEmpty());
    EXPECT_FALSE(w->polyongoing);
    EXPECT_EQ(w->polygoncount, 41);
    EXPECT_EQ(w->bkpoxc, selectAllCrop) << "no second close pushed the earlier crop out";
    EXPECT_EQ(Roi(), (std::array<int, 4>{20, 30, 400, 200}));
}

TEST_F(PolygonTest, AClickRightAfterACloseChangesNothing) {
    SlowClick(10, 10);
    SlowClick(100, 10);
    Click(100, 80);
    Click(100, 80);
    const PicturePtr crop = w->poxc, before = w->bkpoxc, outline = w->Canvas1->Backdrop(),
                     thumb = w->Canvas2->Backdrop(), fluorogram = w->pox;
    Click(300, 300);
    EXPECT_FALSE(w->polyongoing);
    EXPECT_EQ(Roi(), (std::array<int, 4>{10, 10, 100, 80}));
    EXPECT_EQ(w->poxc, crop);
    EXPECT_EQ(w->bkpoxc, before);
    EXPECT_EQ(w->Canvas1->Backdrop(), outline);
    EXPECT_EQ(w->Canvas2->Backdrop(), thumb);
    EXPECT_EQ(w->pox, fluorogram);
    EXPECT_EQ(w->polygoncount, 9) << "a redraw still draws the closed polygon";
    w->Timer3->Fire();
    SlowClick(300, 300);
    EXPECT_TRUE(w->polyongoing);
    EXPECT_EQ(w->polygoncount, 3);
}

TEST_F(PolygonTest, OutlineOnlyWhenRensaIsThree) {
    const PicturePtr thumb = w->Canvas2->Backdrop();
    SlowClick(10, 10);
    SlowClick(100, 10);
    Click(100, 80);
    w->rensa = 3;
    Click(100, 80);
    EXPECT_EQ(Roi(), (std::array<int, 4>{10, 10, 100, 80}));
    EXPECT_EQ(w->Canvas1->Backdrop()->RGBSurface()->Pixel(55, 45), kYellow);
    EXPECT_EQ(w->poxc, selectAllCrop);
    EXPECT_EQ(w->Canvas2->Backdrop(), thumb);
}

TEST_F(PolygonTest, AConcavePolygonLeavesItsNotchWhite) {
    for (auto [x, y] : {std::pair{10, 10}, {30, 10}, {30, 50}, {70, 50}, {70, 10}, {90, 10}, {90, 90}})
        SlowClick(x, y);
    Click(10, 90);
    Click(10, 90);
    EXPECT_EQ(Roi(), (std::array<int, 4>{10, 10, 90, 90}));
    EXPECT_EQ(Crop(50, 30), kWhite);
    EXPECT_EQ(Crop(20, 30), Source(20, 30));
    EXPECT_EQ(Crop(50, 70), Source(50, 70));
}

TEST_F(PolygonTest, RedrawsWithoutAVertexKeepTheRoiAndItsCrop) {
    // Polygon just chosen: nothing clicked yet, then Clear and a frame step redraw
    const auto roi = Roi();
    const PicturePtr outline = w->Canvas1->Backdrop(), thumb = w->Canvas2->Backdrop();
    for (int state : {1, 4}) {
        w->rensa = state;
        w->rita3();
        EXPECT_EQ(Roi(), roi) << state;
        EXPECT_EQ(w->poxc, selectAllCrop) << state;
        EXPECT_EQ(w->Canvas1->Backdrop(), outline) << state;
        EXPECT_EQ(w->Canvas2->Backdrop(), thumb) << state;
    }
    EXPECT_GE(w->msupx, w->msdownx);
}

TEST_F(PolygonTest, ARedrawOnASmallerFrameKeepsTheBoxOnIt) {
    SlowClick(100, 100);
    SlowClick(500, 120);
    Click(300, 480);
    Click(300, 480);
    w->import(test::Gradient(256));
    ASSERT_EQ(w->imgsize, 256);
    w->rensa = 4;
    w->rita3();
    EXPECT_EQ(Roi(), (std::array<int, 4>{100, 100, 255, 255}));
    EXPECT_EQ(w->poxc->Width(), 256);
    EXPECT_EQ(Crop(200, 130), w->pix->RGBSurface()->Pixel(200, 130));
}

}  // namespace
}  // namespace qv
