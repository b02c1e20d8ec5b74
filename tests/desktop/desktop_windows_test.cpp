// Every window the user meets, as it stands on the desktop: its frame on the
// screen, its frame buttons, its neighbours and the window in front.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/globals.h"
#include "biorad/biorad_import.h"
#include "biorad/pic_fixtures.h"
#include "desktop/desktop_fixture.h"
#include "montage/montage_setup.h"
#include "montage/montage_window.h"
#include "platform/controls.h"
#include "support/workspace_fixture.h"
#include "tools/area_analyzer.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv::desktop {
namespace {

constexpr int kToolBoxes = Close | Minimise | Zoom | Resize;

// The workspace shown, with a 512-pixel picture taken in and a rectangle ROI
// drawn on it.
class WorkspaceOnDesktop : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        w = Window1::instance();
        w->Show();
        w->import(test::Gradient(512));
        test::Drag(w->Canvas1, {40, 30}, {300, 260});
        ASSERT_TRUE(w->poxc) << "the ROI was drawn";
        Settle();
    }
    Window1* w = nullptr;
};

TEST_F(DesktopTest, TheWorkspaceStaysOnTheScreenAtLaunchWithAPictureAndAfterNewWindow) {
    Window1* w = Window1::instance();
    w->Show();
    Settle();
    EXPECT_TRUE(InsideScreen(w)) << "at launch";
    EXPECT_TRUE(HasBoxes(w, Close)) << "a close box only, and a size of its own";

    w->import(test::Gradient(512));
    Settle();
    EXPECT_TRUE(InsideScreen(w)) << "with a 512-pixel picture";

    // A launch document: every new workspace opens it, as tall as the screen allows.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("launch.png"));
    ASSERT_TRUE(test::Gradient(300)->Image().save(path));
    Module1::startfol = FolderItem::FromPath(path);
    w->_FileNewwindow_Action();
    Window1* fresh = Window1::instance();
    fresh->Show();
    Settle();
    Module1::startfol = nullptr;
    ASSERT_NE(fresh, w);
    EXPECT_EQ(fresh->imgsize, 300) << "the launch document came in";
    EXPECT_TRUE(InsideScreen(fresh)) << "after File > New window";
}

TEST_F(WorkspaceOnDesktop, ToolWindowsStandBesideTheWorkspaceOnTheScreen) {
    // A tool window the workspace places at its right edge, `below` its top.
    const auto beside = [this](const Window* tool, int below) {
        ASSERT_TRUE(tool);
        EXPECT_TRUE(InsideScreen(tool));
        EXPECT_TRUE(SideBySide(w, tool));
        EXPECT_EQ(tool->Top(), w->Top() + below) << tool->Title().toStdString();
        EXPECT_TRUE(HasBoxes(tool, kToolBoxes));
    };
    w->quad_RB->SetValue(true);
    w->quadCalc_PB->Push();
    Settle();
    Window2* calc = Window2::existing();
    beside(calc, 0);
    EXPECT_TRUE(InFront(calc, {w}));

    w->PushButton12->Push();  // "Coefficient Calculator"
    Settle();
    Window6* coeff = Window6::existing();
    beside(coeff, 250);
    EXPECT_TRUE(InFront(w, {coeff, calc})) << "the workspace shown again after its new window";

    w->_ToolsAreas_Action();
    Settle();
    Window9* areas = Window9::existing();
    beside(areas, 20);
    EXPECT_TRUE(InFront(areas, {w, coeff, calc}));

    w->_ToolsAnalyzeROI_Action();
    Settle();
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    EXPECT_TRUE(InsideScreen(roi));
    EXPECT_TRUE(LeftOrPushedIn(roi, roi->Left(), w->Left() + w->Canvas1->width() + 20))
        << "over the workspace's controls";
    EXPECT_TRUE(HasBoxes(roi, kToolBoxes));
    EXPECT_TRUE(InFront(roi, {w, coeff, calc, areas}));
}

TEST_F(WorkspaceOnDesktop, TheQuadrantMaskPlacesTheCoefficientsBesideAFreshWorkspace) {
    w->PushButton12->Push();
    Settle();
    Window6* coeff = Window6::existing();
    ASSERT_TRUE(coeff);
    w->Close();
    Settle();

    coeff->CheckBox2->SetValue(true);  // "Quadrant mask": reaches a workspace, so builds one
    Settle();
    Window1* fresh = Window1::existing();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(InsideScreen(fresh));
    EXPECT_TRUE(InsideScreen(coeff));
    EXPECT_TRUE(SideBySide(fresh, coeff));
    EXPECT_EQ(coeff->Top(), fresh->Top() + 250);
    EXPECT_TRUE(InFront(coeff, {fresh})) << "the box's window shown last";
}

TEST_F(WorkspaceOnDesktop, ApplyIntoAFreshWorkspaceBringsTheRoiAnalysisBackToTheFront) {
    w->_ToolsAnalyzeROI_Action();
    Settle();
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    roi->BevelButton2_Action();  // "Auto contrast"
    w->Close();
    Settle();

    roi->BevelButton2_Action();  // "Apply": into a workspace built for it
    Settle();
    Window1* fresh = Window1::existing();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->pix) << "the stretched picture went to the fresh workspace";
    EXPECT_TRUE(InsideScreen(fresh));
    EXPECT_TRUE(AsPlaced(fresh)) << "at the working size, not the declared one";
    EXPECT_EQ(fresh->Width(), std::max(650, fresh->imgsize + 366));
    EXPECT_TRUE(InFront(roi, {fresh}));

    // The desktop's notice of the declared size the window was first shown
    // at, arriving after the working size was asked for, changes nothing.
    const QSize asked = fresh->size();
    SendLateSizeNotice(fresh, QSize(705, fresh->height() - fresh->Height() + 702));
    Settle();
    EXPECT_EQ(fresh->size(), asked) << "the late notice";
    EXPECT_TRUE(AsPlaced(fresh)) << "the late notice";
}

TEST_F(WorkspaceOnDesktop, TheImportWindowHasACloseBoxOnlyAndFitsAWideStack) {
    w->_FileImportBioradPIC_Action();
    Settle();
    Window4* importer = Window4::existing();
    ASSERT_TRUE(importer);
    EXPECT_TRUE(InsideScreen(importer));
    EXPECT_TRUE(HasBoxes(importer, Close)) << "no minimise or zoom box, not resizable";
    EXPECT_TRUE(InFront(importer, {w}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.pic"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(testing::PicBytes(2000, 1500, 1, [](int, int x, int y) { return (x + y) % 256; }));
    file.close();
    importer->Droppedonettan(FolderItem::FromPath(path));
    Settle();
    EXPECT_GT(importer->Height(), std::min(900, area_.height() - 100)) << "sized to the stack";
    EXPECT_TRUE(InsideScreen(importer)) << "a 2000 x 1500 stack";
    const auto* controls = importer->ControlNamed<QWidget>(QStringLiteral("GroupBox1"));
    ASSERT_TRUE(controls);
    EXPECT_LT(importer->Canvas1->geometry().bottom(), controls->geometry().top())
        << "the picture ends above the controls";
    EXPECT_TRUE(HasBoxes(importer, Close));
}

TEST_F(WorkspaceOnDesktop, TheMontageDocksUnderItsSetupWithBothFramesFree) {
    w->_ToolsMontage_Action();
    Settle();
    Window10* setup = Window10::existing();
    Window7* montage = Window7::existing();
    ASSERT_TRUE(setup && montage);
    const auto docked = [&] {
        EXPECT_TRUE(InsideScreen(setup));
        EXPECT_TRUE(InsideScreen(montage));
        EXPECT_GT(FrameOnScreen(montage).top(), FrameOnScreen(setup).bottom())
            << "the montage's title bar lies below the setup's frame";
        EXPECT_TRUE(LeftOrPushedIn(montage, montage->Left(), setup->Left()));
    };
    docked();
    EXPECT_TRUE(InFront(setup, {montage, w})) << "the montage shows as it is made, then the setup";
    EXPECT_TRUE(HasBoxes(setup, Close | Resize));
    EXPECT_TRUE(HasBoxes(montage, Close | Resize));

    setup->SetLeft(setup->Left() + 60);  // moved: both come forward, the setup on top
    setup->SetTop(setup->Top() + 40);
    Settle();
    docked();
    EXPECT_TRUE(InFront(setup, {montage, w}));

    setup->BevelButton2_Action();  // Update
    Settle();
    docked();
}

}  // namespace
}  // namespace qv::desktop
