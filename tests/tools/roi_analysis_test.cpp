#include "tools/roi_analysis.h"

#include <gtest/gtest.h>

#include <QImageWriter>
#include <QPointer>
#include <QTemporaryDir>

#include "app/globals.h"
#include "app/resources.h"
#include "support/roi_analysis_counts.h"
#include "support/workspace_fixture.h"
#include "tools/core/roi_views.h"
#include "workspace/core/roi_crop.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

Color At(const PicturePtr& p, int x, int y) {
    return p->RGBSurface()->Pixel(x, y);
}

class RoiAnalysisTest : public test::WorkspaceTest {
  protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        fake_->screenHeight = 1024;
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        test::WorkspaceTest::TearDown();
    }
    // The workspace's crop of a rectangle drawn around (x1, y1)-(x2, y2) of pix.
    void Roi(const PicturePtr& pix, int x1, int y1, int x2, int y2) {
        w->poxc = CropRectangle(pix, pix->Width(), {x1, y1, x2, y2});
        w->msdownx = x1, w->msdowny = y1, w->msupx = x2, w->msupy = y2;
    }
    QStringList Counts() const { return test::RoiAnalysisCounts(r); }
    // Opens a picture file in the workspace as File > Open does.
    void OpenImage(int width, int height) {
        QImage img(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) img.setPixel(x, y, qRgb(x % 200, 30 + y % 100, 5));
        const QString path = dir.filePath(QStringLiteral("cells.png"));
        ASSERT_TRUE(QImageWriter(path, "png").write(img));
        fake_->openItems.push_back(FolderItem::FromPath(path));
        w->_FileOpen_Action();
        ASSERT_TRUE(w->pix);
    }

    Window11* r = nullptr;
    QTemporaryDir dir;
};

TEST_F(RoiAnalysisTest, StartCutsTheRoiAndCountsItsInterior) {
    PicturePtr pix = NewPicture(40, 40);
    const Color inside[] = {RGB(255, 255, 255), RGB(255, 0, 0),  RGB(5, 255, 0),
                            RGB(0, 0, 255),     RGB(10, 20, 30), RGB(0, 0, 0)};
    int i = 0;
    for (int x = 11; x <= 13; ++x)
        for (int y = 21; y <= 22; ++y) pix->RGBSurface()->SetPixel(x, y, inside[i++]);
    Roi(pix, 10, 20, 14, 23);
    w->_ToolsAnalyzeROI_Action();
    r = Window11::existing();
    ASSERT_TRUE(r);
    EXPECT_TRUE(w->roianalysisongoing);
    EXPECT_EQ(r->vidd, 4);
    EXPECT_EQ(r->hojd, 3);
    EXPECT_EQ(r->Width(), 427);
    EXPECT_EQ(r->Height(), 180);
    EXPECT_EQ(r->Canvas1->width(), 4);
    EXPECT_EQ(r->Canvas1->height(), 3);
    EXPECT_EQ(Counts(), (QStringList{"4", "3", "3", "5", "2", "2", "2", "4"}));
    for (const PicturePtr& p : r->pic) EXPECT_EQ(p, r->pix) << "every slot is the one copy";
    EXPECT_EQ(r->Canvas1->Backdrop(), r->pix);
    EXPECT_EQ(r->visas, 0);
    // Controls locked to the right edge keep their distance from it.
    EXPECT_EQ(ControlLeft(r->RadioButton1), 364 - 150);
    EXPECT_EQ(ControlLeft(r->BevelButton3), 480 - 150);
    EXPECT_EQ(ControlLeft(r->Canvas1), 26);

    // A larger ROI of the live workspace: the window follows.
    PicturePtr big = NewPicture(400, 400);
    Roi(big, 50, 60, 350, 260);
    w->pix = big;
    w->imgsize = 400;
    w->ritacan(50, 60, 350, 260);
    EXPECT_EQ(r->starts, 2);
    EXPECT_EQ(r->Width(), 723);
    EXPECT_EQ(r->Height(), 228);
    EXPECT_EQ(Counts()[0], QStringLiteral("59501")) << "299 x 199 white interior";

    // A ROI one pixel wide has no interior.
    Roi(big, 50, 60, 51, 200);
    r->start();
    EXPECT_EQ(Counts(), (QStringList{"0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(RoiAnalysisTest, WithoutACropTheLogoIsCut) {
    r = Window11::instance();
    EXPECT_EQ(r->vidd, 128) << "a zero-size ROI takes the logo's size";
    EXPECT_EQ(r->hojd, 128);
    EXPECT_EQ(At(r->pix, 5, 7), At(QVlogga128(), 5, 7));
    EXPECT_EQ(r->Width(), 551);
    EXPECT_EQ(r->Height(), 180);
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Auto contrast"));
    EXPECT_TRUE(r->RadioButton5->Value());
    EXPECT_FALSE(ControlVisible(r->Canvas2));
    EXPECT_FALSE(r->originalpix);
    ASSERT_TRUE(r->rainbow);
    EXPECT_EQ(r->Canvas2->Backdrop(), r->rainbow);
    EXPECT_EQ(r->ControlCount(), 28);
}

TEST_F(RoiAnalysisTest, ViewsShowTheirOwnPicturesAndNeverDrawIntoOthers) {
    PicturePtr pix = NewPicture(10, 10);
    pix->RGBSurface()->SetPixel(2, 2, RGB(255, 200, 0));
    pix->RGBSurface()->SetPixel(3, 2, RGB(254, 255, 0));
    Roi(pix, 1, 1, 6, 6);
    r = Window11::instance();
    const PicturePtr copy = r->pix;
    const Color before = At(copy, 1, 1);

    r->RadioButton1->SetValue(true);
    EXPECT_EQ(r->visas, 2);
    EXPECT_EQ(r->Canvas1->Backdrop(), r->pic[2]);
    EXPECT_EQ(At(r->pic[2], 1, 1), kWhite);
    EXPECT_EQ(At(r->pic[2], 2, 1), RGB(254, 255, 0));
    r->RadioButton4->SetValue(true);
    EXPECT_FALSE(r->RadioButton1->Value());
    EXPECT_EQ(r->visas, 5);
    EXPECT_EQ(At(r->pic[5], 2, 1), kWhite);

    r->BevelButton2->click();  // Auto contrast
    EXPECT_EQ(r->visas, 1);
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Apply"));
    EXPECT_EQ(r->Canvas1->Backdrop(), r->pic[1]);

    r->BevelButton1->click();  // Revert
    EXPECT_EQ(r->visas, 0);
    EXPECT_EQ(r->Canvas1->Backdrop(), copy) << "the plain copy is shown again";
    for (RadioButton* b : {r->RadioButton1, r->RadioButton2, r->RadioButton3, r->RadioButton4})
        EXPECT_FALSE(b->Value());
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Auto contrast"));
    EXPECT_EQ(r->pix, copy);
    EXPECT_EQ(At(copy, 1, 1), before);
    EXPECT_EQ(At(copy, 2, 1), RGB(254, 255, 0)) << "the copy is never painted";
}

TEST_F(RoiAnalysisTest, ScaleColoursTheChosenChannelAndShowsTheBar) {
    PicturePtr pix = NewPicture(10, 10);
    pix->RGBSurface()->SetPixel(2, 2, RGB(0, 255, 0));
    pix->RGBSurface()->SetPixel(3, 2, RGB(0, 1, 0));
    pix->RGBSurface()->SetPixel(2, 3, RGB(0, 0, 0));
    Roi(pix, 1, 1, 6, 6);
    r = Window11::instance();
    r->BevelButton2->click();  // a stretch first: Scale colours the copy, not the stretch
    r->RadioButton6->SetValue(true);
    r->BevelButton3->click();
    EXPECT_TRUE(ControlVisible(r->Canvas2));
    EXPECT_EQ(r->visas, 1);
    EXPECT_EQ(r->Canvas1->Backdrop(), r->pic[1]);
    EXPECT_EQ(At(r->pic[1], 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(At(r->pic[1], 2, 1), RGB(3, 0, 6));
    EXPECT_EQ(At(r->pic[1], 1, 2), kBlack);
    EXPECT_EQ(At(r->pic[1], 0, 0), kWhite);
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Apply")) << "Scale leaves the caption";
    EXPECT_EQ(At(r->rainbow, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(r->rainbow, 16, 169), RGB(4, 0, 8));
}

TEST_F(RoiAnalysisTest, ApplyThenUndoGivesTheWorkspaceBackItsPicture) {
    OpenImage(300, 200);
    const Window1::WorkingImage before = w->workingImage();
    EXPECT_EQ(before.imgsize, 300);
    test::Drag(w->Canvas1, {20, 30}, {120, 90});
    EXPECT_NE(At(w->Canvas1->Backdrop(), 20, 50), At(before.pix, 20, 50)) << "ROI A is outlined";
    const int width = w->Width(), height = w->Height();
    w->_ToolsAnalyzeROI_Action();
    r = Window11::existing();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->vidd, 100);

    r->BevelButton2->click();  // Auto contrast
    const PicturePtr stretched = r->pic[1];
    r->BevelButton2->click();  // Apply
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Undo"));
    EXPECT_EQ(r->originalpix, before.pix);
    EXPECT_EQ(w->originalpix, stretched) << "the stretch itself is handed over";
    EXPECT_EQ(w->imgsize, 100) << "the workspace takes the 100-pixel stretch";
    EXPECT_NE(w->pix, before.pix);
    // ROI B on the stretch: the window follows it.
    test::Drag(w->Canvas1, {10, 15}, {60, 45});
    EXPECT_EQ(r->vidd, 50);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a Section or Quadrant"));

    r->BevelButton2->click();  // Undo
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Auto contrast"));
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a ROI or choose Background handling"));
    // The earlier picture is shown as taken in: neither A's outline nor B's.
    const PicturePtr shown = w->Canvas1->Backdrop();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Width(), 300);
    for (const QPoint p : {QPoint(20, 50), QPoint(70, 30), QPoint(120, 60), QPoint(70, 90),
                           QPoint(10, 30), QPoint(35, 15), QPoint(60, 30), QPoint(35, 45)})
        EXPECT_EQ(At(shown, p.x(), p.y()), At(before.pix, p.x(), p.y())) << p.x() << "," << p.y();
    EXPECT_EQ(At(shown, 5, 250), kWhite) << "below the picture the working area is white";
    EXPECT_EQ(w->pix, before.pix) << "the very picture, not a square redraw";
    EXPECT_EQ(w->pix->Width(), 300);
    EXPECT_EQ(w->pix->Height(), 200);
    EXPECT_EQ(w->originalpix, before.originalpix);
    EXPECT_EQ(w->imgsize, 300);
    EXPECT_EQ(w->can2size, before.can2size);
    EXPECT_EQ(w->Canvas1->width(), 300);
    EXPECT_EQ(w->Width(), width);
    EXPECT_EQ(w->Height(), height);

    // Apply, then Revert: the workspace keeps the stretch and no Undo is offered.
    r->BevelButton2->click();
    r->BevelButton2->click();
    const PicturePtr applied = w->pix;
    r->BevelButton1->click();
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Auto contrast"));
    EXPECT_EQ(w->pix, applied);
}

TEST_F(RoiAnalysisTest, UndoAfterApplyIntoAFreshWorkspaceLeavesItsPicture) {
    w->Close();
    DrainEvents();
    r = Window11::instance();  // the logo's crop, and a fresh workspace without a picture
    w = Window1::existing();
    ASSERT_TRUE(w);
    ASSERT_FALSE(w->pix);
    r->BevelButton2->click();  // Auto contrast
    r->BevelButton2->click();  // Apply
    ASSERT_TRUE(w->pix);
    const PicturePtr applied = w->pix;
    const PicturePtr shown = w->Canvas1->Backdrop();
    const int side = w->imgsize;

    r->BevelButton2->click();  // Undo: there is no earlier picture to take back
    EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Auto contrast"));
    EXPECT_EQ(w->pix, applied);
    EXPECT_EQ(w->originalpix, r->pic[1]);
    EXPECT_EQ(w->Canvas1->Backdrop(), shown);
    EXPECT_EQ(w->imgsize, side);
}

// Apply and Undo into a workspace that the hand-over itself brings up: the
// fresh workspace loads the launch document as it opens, with or without one,
// and the window's own pictures, counts and size stay through it.
TEST_F(RoiAnalysisTest, ApplyAndUndoIntoAFreshWorkspaceWhateverItLoadsAsItOpens) {
    for (const bool launched : {true, false}) {
        SCOPED_TRACE(launched ? "started with a document" : "started without one");
        OpenImage(300, 200);
        test::Drag(w->Canvas1, {20, 30}, {120, 90});
        w->_ToolsAnalyzeROI_Action();
        r = Window11::existing();
        ASSERT_TRUE(r);
        QImage doc(240, 240, QImage::Format_RGB32);
        doc.fill(qRgb(40, 90, 160));
        const QString path = dir.filePath(QStringLiteral("p240.png"));
        ASSERT_TRUE(QImageWriter(path, "png").write(doc));
        Module1::startfol = launched ? FolderItem::FromPath(path) : nullptr;

        r->BevelButton2->click();  // Auto contrast
        const PicturePtr stretched = r->pic[1];
        const QStringList counts = Counts();
        const QSize size(r->Width(), r->Height());
        const int starts = r->starts;
        w->Close();
        DrainEvents();
        ASSERT_FALSE(Window1::existing());

        r->BevelButton2->click();  // Apply: a fresh workspace takes the stretch
        w = Window1::existing();
        ASSERT_TRUE(w);
        EXPECT_EQ(w->Title(), launched ? QStringLiteral("p240.png")
                                       : QStringLiteral("Colocalization analysis"));
        EXPECT_TRUE(w->roianalysisongoing) << "the open window follows the new workspace";
        EXPECT_EQ(w->originalpix, stretched);
        ASSERT_TRUE(w->pix);
        EXPECT_EQ(w->imgsize, 100);
        PicturePtr square = NewPicture(100, 100);
        square->Graphics().DrawPicture(stretched, 0, 0, 100, 100, 0, 0, 100, 60);
        EXPECT_EQ(w->pix->Image(), square->Image()) << "the stretch, not the document";
        EXPECT_EQ(w->Canvas1->Backdrop()->Image(), square->Image());
        EXPECT_EQ(w->StaticText3->Text(),
                  QStringLiteral("Draw a ROI or choose Background handling"));
        EXPECT_EQ(r->starts, starts) << "the workspace's intake does not recut the window";
        EXPECT_EQ(r->pic[1], stretched);
        EXPECT_EQ(r->visas, 1);
        EXPECT_EQ(Counts(), counts);
        EXPECT_EQ(QSize(r->Width(), r->Height()), size);
        EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Undo"));

        r->BevelButton2->click();  // Undo: the picture the fresh workspace had
        EXPECT_EQ(r->BevelButton2->Caption(), QStringLiteral("Auto contrast"));
        if (launched) {
            ASSERT_TRUE(w->pix);
            EXPECT_EQ(w->imgsize, 240);
            EXPECT_EQ(At(w->pix, 50, 30), RGB(40, 90, 160));
            EXPECT_EQ(At(w->Canvas1->Backdrop(), 50, 30), RGB(40, 90, 160));
        } else {
            EXPECT_EQ(w->originalpix, stretched) << "no earlier picture: nothing to take back";
        }
        EXPECT_EQ(r->starts, starts);
        EXPECT_EQ(Counts(), counts);
        r->Close();
        DrainEvents();
        Module1::startfol = nullptr;
    }
}

TEST_F(RoiAnalysisTest, AfterNewWindowTheWindowFollowsTheNewWorkspace) {
    OpenImage(300, 200);
    test::Drag(w->Canvas1, {20, 30}, {120, 90});
    w->_ToolsAnalyzeROI_Action();
    r = Window11::existing();
    ASSERT_TRUE(r);
    r->BevelButton2->click();  // Auto contrast
    r->BevelButton2->click();  // Apply
    const PicturePtr stretched = w->pix;
    const int starts = r->starts;

    w = test::NewWindow(w);
    ASSERT_TRUE(w);
    EXPECT_EQ(Window11::existing(), r) << "tool windows stay open";
    EXPECT_TRUE(w->roianalysisongoing);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("1.\rDrop image here"));

    // Undo takes the earlier picture into the new workspace, as import does.
    r->BevelButton2->click();
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a ROI or choose Background handling"));
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(w->imgsize, 300);
    EXPECT_NE(w->pix, stretched);

    // A ROI drawn there recuts the window's copy and recounts.
    test::Drag(w->Canvas1, {50, 60}, {90, 80});
    EXPECT_EQ(r->starts, starts + 1);
    EXPECT_EQ(r->vidd, 40);
    EXPECT_EQ(r->hojd, 20);
    EXPECT_EQ(r->pix, r->pic[0]);
    EXPECT_EQ(At(r->pix, 10, 10), At(w->pix, 60, 70));
    EXPECT_EQ(r->StaticText10->Text(), QStringLiteral("741")) << "39 x 19 interior";

    // Closed, it stops following this workspace too.
    r->_FileClose_Action();
    DrainEvents();
    EXPECT_FALSE(w->roianalysisongoing);
}

TEST_F(RoiAnalysisTest, ClosingStopsTheLiveRefreshThroughTheWorkspacesAccessor) {
    r = Window11::instance();
    QPointer<Window11> old(r);
    EXPECT_EQ(r->starts, 1);
    w->Close();
    DrainEvents();
    r->_FileClose_Action();
    DrainEvents();
    // With the workspace gone, closing brings up a fresh one, its flag false.
    ASSERT_TRUE(Window1::existing());
    EXPECT_FALSE(Window11::existing());

    w = Window1::instance();
    EXPECT_FALSE(w->roianalysisongoing);
    PicturePtr pix = NewPicture(64, 64);
    w->pix = pix;
    w->imgsize = 64;
    w->msdownx = w->msdowny = 1;
    w->msupx = w->msupy = 30;
    w->ritacan(1, 1, 30, 30);
    EXPECT_FALSE(Window11::existing());
    r = Window11::instance();
    EXPECT_NE(r, old.data());
    EXPECT_EQ(r->starts, 1);
    EXPECT_EQ(r->vidd, 29);
}

}  // namespace
}  // namespace qv
