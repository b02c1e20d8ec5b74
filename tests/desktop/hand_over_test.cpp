// A window that hands a picture to the workspace after the workspace was
// closed, in a program started with a document: the fresh workspace loads the
// document as it opens, and then takes what the user handed over.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "app/globals.h"
#include "desktop/desktop_fixture.h"
#include "support/roi_analysis_counts.h"
#include "support/workspace_fixture.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv::desktop {
namespace {

TEST_F(DesktopTest, ApplyAndUndoReachAFreshWorkspaceThatLoadedTheLaunchDocument) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p1024.tif"));
    const PicturePtr document = test::Gradient(1024);
    ASSERT_TRUE(document->Image().save(path));
    Module1::startfol = FolderItem::FromPath(path);

    Window1* w = Window1::instance();
    w->Show();
    Settle();
    ASSERT_TRUE(w->pix) << "the launch document came in";
    test::Drag(w->Canvas1, {100, 100}, {300, 300});
    w->_ToolsAnalyzeROI_Action();
    Settle();
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    ASSERT_EQ(roi->vidd, 200);

    CloseWithCloseBox(w);
    ASSERT_TRUE(WaitUntil([] { return !Window1::existing(); })) << "closed by its close box";
    Settle();

    QTest::mouseClick(roi->BevelButton2, Qt::LeftButton);  // "Auto contrast"
    ASSERT_EQ(roi->BevelButton2->Caption(), QStringLiteral("Apply"));
    const PicturePtr stretched = roi->pic[1];
    const QStringList counts = test::RoiAnalysisCounts(roi);
    const QSize size(roi->Width(), roi->Height());
    const int starts = roi->starts;

    QTest::mouseClick(roi->BevelButton2, Qt::LeftButton);  // "Apply"
    Settle();
    Window1* fresh = Window1::existing();
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->Title(), QStringLiteral("p1024.tif"));
    ASSERT_TRUE(fresh->pix);
    EXPECT_EQ(fresh->imgsize, 200) << "the stretch's working size";
    PicturePtr square = NewPicture(200, 200);
    square->Graphics().DrawPicture(stretched, 0, 0, 200, 200, 0, 0, 200, 200);
    EXPECT_EQ(fresh->pix->Image(), square->Image()) << "the stretched picture, not white";
    EXPECT_EQ(roi->starts, starts) << "the ROI analysis kept its own crop";
    EXPECT_EQ(test::RoiAnalysisCounts(roi), counts);
    EXPECT_EQ(QSize(roi->Width(), roi->Height()), size);
    EXPECT_EQ(roi->BevelButton2->Caption(), QStringLiteral("Undo"));
    EXPECT_TRUE(InsideScreen(fresh));
    EXPECT_TRUE(InsideScreen(roi));

    QTest::mouseClick(roi->BevelButton2, Qt::LeftButton);  // "Undo"
    Settle();
    EXPECT_EQ(Window1::existing(), fresh);
    ASSERT_TRUE(fresh->pix);
    EXPECT_EQ(fresh->pix->Width(), 1024) << "the document the fresh workspace had opened";
    for (const QPoint p : {QPoint(0, 0), QPoint(150, 40), QPoint(199, 199), QPoint(60, 180)})
        EXPECT_EQ(fresh->Canvas1->Backdrop()->RGBSurface()->Pixel(p.x(), p.y()),
                  document->RGBSurface()->Pixel(p.x(), p.y()))
            << p.x() << "," << p.y();
    EXPECT_EQ(roi->BevelButton2->Caption(), QStringLiteral("Auto contrast"));
    EXPECT_EQ(roi->starts, starts);
    EXPECT_EQ(test::RoiAnalysisCounts(roi), counts);
    EXPECT_EQ(QSize(roi->Width(), roi->Height()), size);
    Module1::startfol = nullptr;
}

}  // namespace
}  // namespace qv::desktop
