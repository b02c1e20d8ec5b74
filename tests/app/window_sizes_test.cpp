// Every window of the program keeps the content size its layout declares, or
// the size its own sizing rule gives it for the state it shows: no control's
// text widens or lengthens a window where it shows whole in its own place.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/addresses.h"
#include "app/application_object.h"
#include "app/globals.h"
#include "app/splash.h"
#include "app/update_alert.h"
#include "biorad/biorad_import.h"
#include "biorad/pic_fixtures.h"
#include "montage/montage_setup.h"
#include "montage/montage_window.h"
#include "support/workspace_fixture.h"
#include "tools/area_analyzer.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1200;

// The size a window must have, and where it comes from.
struct Expected {
    std::string window;
    Window* shown;
    QSize size;
};

class WindowSizesTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        ASSERT_EQ(fake_->screenWidth, kScreenWidth);
        ASSERT_EQ(fake_->screenHeight, kScreenHeight);
        SetUpdateServer(QStringLiteral("http://127.0.0.1:1"));  // nothing listens there
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        SetUpdateServer(QString());
        test::WorkspaceTest::TearDown();
    }
    static std::string Text(QSize size) {
        return std::to_string(size.width()) + " x " + std::to_string(size.height());
    }
    static void Check(const std::vector<Expected>& table, const std::string& moment) {
        DrainEvents();
        for (const Expected& e : table) {
            ASSERT_TRUE(e.shown) << moment << ": " << e.window << " is open";
            EXPECT_EQ(Text(QSize(e.shown->Width(), e.shown->Height())), Text(e.size))
                << moment << ": " << e.window;
            EXPECT_EQ(Text(e.shown->Content()->size()), Text(e.size))
                << moment << ": " << e.window << "'s content";
        }
    }
    QTemporaryDir dir_;
};

TEST_F(WindowSizesTest, EveryWindowKeepsTheSizeOfItsLayoutOrItsSizingRule) {
    // The windows that open without a picture, at their declared sizes.
    App()->Event_Open();  // the splash
    Window8::readVersion(QStringLiteral("QV*999*A note"));  // a newer version: the alert
    w->_AppleAboutQuorvane_Action();
    Check({{"splash", Window8::existing(), QSize(413, 432)},
           {"About window", Window3::existing(), QSize(300, 300)},
           {"update alert", alertDownloadWin::existing(), QSize(376, 221)},
           {"workspace before any image", w, QSize(705, 702)}},
          "at start");

    // A 400-pixel picture and a 300 x 200 ROI for the tool windows.
    w->import(test::Gradient(400));
    test::Drag(w->Canvas1, QPoint(50, 60), QPoint(350, 260));
    const int vidd = w->msupx - w->msdownx, hojd = w->msupy - w->msdowny;
    ASSERT_EQ(vidd, 300);
    ASSERT_EQ(hojd, 200);
    w->quadCalc_PB_Action();
    w->PushButton12_Action();  // the coefficient window
    w->_ToolsAreas_Action();
    w->_ToolsAnalyzeROI_Action();
    w->_ToolsMontage_Action();  // three panels in a row
    // A one-image stack of 300 x 200 pixels taken in by the import window.
    w->_FileImportBioradPIC_Action();
    const FolderItemPtr stack = FolderItem::FromPath(dir_.filePath(QStringLiteral("s.pic")));
    ASSERT_TRUE(stack->WriteBytes(
        testing::PicBytes(300, 200, 1, [](int, int x, int y) { return (x + y) & 0xFF; })));
    Window4::existing()->Canvas1->DropFiles({stack});

    // Every window, with the size its layout or its sizing rule gives it: the
    // workspace's from its working size and the screen (a 400-pixel working
    // area, 1150 high), the ROI analysis's from its copy of the ROI, the import
    // window's from the stack and the screen, the montage's from the ROI and
    // the layout.
    const auto everyWindow = [&](Window1* workspace, QSize workspaceSize, QSize roiSize,
                                 QSize montage) {
        return std::vector<Expected>{
            {"splash", Window8::existing(), QSize(413, 432)},
            {"About window", Window3::existing(), QSize(300, 300)},
            {"update alert", alertDownloadWin::existing(), QSize(376, 221)},
            {"workspace", workspace, workspaceSize},
            {"quadrant calculator", Window2::existing(), QSize(305, 246)},
            {"coefficient window", Window6::existing(), QSize(300, 300)},
            {"area analyzer", Window9::existing(), QSize(331, 244)},
            {"ROI analysis", Window11::existing(), roiSize},
            {"import window", Window4::existing(), QSize(350, 320)},
            {"montage setup", Window10::existing(), QSize(316, 202)},
            {"montage", Window7::existing(), montage}};
    };
    ASSERT_TRUE(Window11::existing());
    ASSERT_EQ(Window11::existing()->vidd, vidd) << "the ROI analysis copied the ROI";
    ASSERT_EQ(Window11::existing()->hojd, hojd);
    const QSize workspace(766, 1150), roiAnalysis(723, 228);
    Check(everyWindow(w, workspace, roiAnalysis, QSize(940, 220)),
          "with a picture, a ROI and every tool window open");

    // The grid layout of the montage.
    Window10::existing()->ControlNamed<RadioButton>(QStringLiteral("RadioButton2"))->SetValue(true);
    const QSize grid(630, 430);
    Check(everyWindow(w, workspace, roiAnalysis, grid), "four panels");

    // Started with a document: File > New window gives a fresh workspace the
    // size of the document it loads (and the ROI analysis follows its crop,
    // the whole 300-pixel document), and the other windows keep theirs.
    const QString path = dir_.filePath(QStringLiteral("launch.png"));
    ASSERT_TRUE(test::Gradient(300)->Image().save(path));
    Module1::startfol = FolderItem::FromPath(path);
    Window1* fresh = test::NewWindow(w);
    Module1::startfol = nullptr;
    ASSERT_TRUE(fresh);
    ASSERT_EQ(fresh->imgsize, 300) << "the launch document came in";
    Check(everyWindow(fresh, QSize(666, 1150), QSize(723, 328), grid),
          "after File > New window with a launch document");
}

}  // namespace
}  // namespace qv
