#include <gtest/gtest.h>

#include "app/addresses.h"
#include "app/application_object.h"
#include "app/globals.h"
#include "app/about_window.h"
#include "biorad/biorad_import.h"
#include "montage/montage_setup.h"
#include "montage/montage_window.h"
#include "platform/menus.h"
#include "support/workspace_fixture.h"
#include "tools/roi_analysis.h"
#include "tools/quadrant_calculator.h"
#include "tools/coefficient_window.h"
#include "tools/area_analyzer.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

class CommandsTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        fake_->screenHeight = 1024;
        DrainEvents();
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        test::WorkspaceTest::TearDown();
    }
    QStringList Enabled() {
        QStringList out;
        std::function<void(MenuItem*)> walk = [&](MenuItem* m) {
            for (int i = 0; i < m->Count(); ++i) {
                if (m->Item(i)->Enabled) out << m->Item(i)->Name;
                walk(m->Item(i));
            }
        };
        walk(TheMenuBar());
        out.sort();
        return out;
    }
};

TEST_F(CommandsTest, TheWorkspaceEnablesItsFifteenItemsAndTheApplicationNewWindow) {
    TheMenuBar()->Update(w);
    QStringList expected{"FileOpen",        "FileQuit",           "AppleAboutQuorvane",
                         "FileImportBioradPIC", "FileExportROI",  "FileSaveAs",
                         "FormatLoadquadrant",  "FormatSavequadrants", "FormatNextframe",
                         "FormatPreviousframe", "ToolsMontage",   "ToolsAreas",
                         "ToolsOpendemoimage",  "HelpOnlinehelp", "ToolsAnalyzeROI",
                         "FileNewwindow"};
    expected.sort();
    EXPECT_EQ(Enabled(), expected);
    EXPECT_FALSE(ItemEnabled(QStringLiteral("FileClose")));
    EXPECT_FALSE(ItemEnabled(QStringLiteral("EditCopy")));

    Window10* setup = Window10::instance();
    setup->Show();
    TheMenuBar()->Update(setup);
    EXPECT_TRUE(ItemEnabled(QStringLiteral("EditCopy"))) << "Copy only with the montage setup in front";
    EXPECT_TRUE(ItemEnabled(QStringLiteral("FileClose")));
}

TEST_F(CommandsTest, OnlySaveScreenReturnsTrue) {
    const char* commands[] = {"AppleAboutQuorvane", "FileImportBioradPIC", "ToolsMontage",
                              "ToolsAreas",         "HelpOnlinehelp",      "ToolsAnalyzeROI",
                              "FormatLoadquadrant", "FormatSavequadrants", "FormatNextframe",
                              "FormatPreviousframe", "FileExportROI"};
    for (const char* c : commands) {
        bool handled = false;
        EXPECT_FALSE(w->HandleMenu(QString::fromUtf8(c), &handled)) << c;
        EXPECT_TRUE(handled) << c;
    }
    bool handled = false;
    EXPECT_TRUE(w->HandleMenu(QStringLiteral("FileSaveAs"), &handled));
    EXPECT_EQ(fake_->urls.size(), 1);
    EXPECT_TRUE(fake_->urls[0].endsWith(QStringLiteral("sup_faq.asp")));
    EXPECT_TRUE(Window3::existing());
    EXPECT_TRUE(Window4::existing());
    EXPECT_TRUE(Window10::existing());
    EXPECT_TRUE(Window7::existing()) << "the setup's Open shows the montage";
}

TEST_F(CommandsTest, ToolWindowsLandBesideTheWorkspace) {
    w->SetLeft(40);
    w->SetTop(60);
    EXPECT_FALSE(w->_ToolsAreas_Action());
    EXPECT_EQ(fake_->messages,
              QStringList{"You must first select a ROI (region of interest) of an imported image."});
    Window9* areas = Window9::existing();
    ASSERT_TRUE(areas);
    EXPECT_EQ(areas->Left(), 40 + 705);
    EXPECT_EQ(areas->Top(), 80);
    EXPECT_TRUE(w->areaongoing);

    w->_ToolsAnalyzeROI_Action();
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    EXPECT_EQ(roi->Left(), 40 + 256 + 20);
    EXPECT_EQ(roi->Top(), 80);
    EXPECT_TRUE(w->roianalysisongoing);
    EXPECT_EQ(roi->starts, 1);

    areas->Close();
    roi->Close();
    EXPECT_FALSE(w->areaongoing);
    EXPECT_FALSE(w->roianalysisongoing);
}

TEST_F(CommandsTest, MontageSetupStoresTheLogoWhenNoCropExists) {
    EXPECT_FALSE(w->poxc);
    w->_ToolsMontage_Action();
    ASSERT_TRUE(w->poxc);
    EXPECT_EQ(w->poxc->Width(), 128);
}

TEST_F(CommandsTest, NewWindowReplacesTheWorkspaceAndLeavesToolWindowsOpen) {
    w->imgsize = 300;
    Window9::instance()->Show();
    QPointer<Window1> old(w);
    DispatchMenuCommand(QStringLiteral("FileNewwindow"), w);
    DrainEvents();
    EXPECT_TRUE(old.isNull());
    Window1* fresh = Window1::existing();
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->imgsize, 0);
    EXPECT_EQ(fresh->Width(), 705);
    EXPECT_TRUE(Window9::existing());
    int workspaces = 0;
    for (int i = 0; i < WindowCount(); ++i)
        workspaces += WindowAt(i)->Title() == QLatin1String("Colocalization analysis");
    EXPECT_EQ(workspaces, 1);
    w = fresh;
}

TEST_F(CommandsTest, AdvancedMenuRows) {
    BevelButton* b = w->BevelButton5;
    EXPECT_EQ(b->Rows(), (QStringList{"Rectangle", "Oval", "Polygon", "-", "Sections", "Quadrants",
                                      "-", "Background handling", "-", "Quad Calculator",
                                      "Coefficients", "Area", "-", "Histogram"}));
    EXPECT_EQ(b->Caption(), QStringLiteral("Advanced"));

    b->ChooseRow(9);  // Quad Calculator in section mode
    EXPECT_EQ(fake_->messages,
              QStringList{"Quad calculator requires Quadrant mode to be selected"});
    EXPECT_FALSE(Window2::existing());

    b->ChooseRow(5);  // Quadrants, then Quad Calculator opens it even in section mode
    EXPECT_EQ(b->Caption(), QStringLiteral("Quadrants"));
    b->ChooseRow(9);
    EXPECT_EQ(fake_->messages.size(), 1);

    b->ChooseRow(13);  // Histogram
    EXPECT_EQ(w->BevelButton1->Caption(), QStringLiteral("Save data"));
    EXPECT_TRUE(ControlVisible(w->CheckBox2));
    EXPECT_TRUE(ControlVisible(w->CheckBox3));
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Select a color channel to analyze"));

    b->ChooseRow(11);  // Area: placed, no message
    ASSERT_TRUE(Window9::existing());
    EXPECT_EQ(Window9::existing()->Left(), w->Left() + w->Width());
    EXPECT_EQ(fake_->messages.size(), 1);
}

TEST_F(CommandsTest, AnAddressTheDesktopCannotOpenIsShownInAMessage) {
    fake_->urlsOpen = false;
    w->_HelpOnlinehelp_Action();
    ASSERT_EQ(fake_->messages.size(), 1);
    EXPECT_TRUE(fake_->messages[0].endsWith(SupportPage())) << fake_->messages[0].toStdString();
    w->PushButton9_Action();  // the feedback mail
    ASSERT_EQ(fake_->messages.size(), 2);
    EXPECT_TRUE(fake_->messages[1].endsWith(
        QStringLiteral("Beta-version Feedback <%1>").arg(FeedbackAddress())))
        << fake_->messages[1].toStdString();
    fake_->urlsOpen = true;
    w->_HelpOnlinehelp_Action();
    EXPECT_EQ(fake_->messages.size(), 2) << "no message when the browser opens it";
    EXPECT_EQ(fake_->urls.size(), 3);
}

TEST_F(CommandsTest, ToolWindowsSetAndClearTheirLiveFlags) {
    Window2* calc = Window2::instance();
    calc->CheckBox1->SetValue(true);
    EXPECT_TRUE(w->calclive);
    calc->Close();
    EXPECT_FALSE(w->calclive);
    Window6* coeff = Window6::instance();
    coeff->CheckBox1->SetValue(true);
    EXPECT_TRUE(w->coefflive);
    coeff->Close();
    EXPECT_TRUE(w->coefflive) << "closing the coefficient window leaves the flag";
}

}  // namespace
}  // namespace qv
