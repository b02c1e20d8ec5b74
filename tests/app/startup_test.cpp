#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/application_object.h"
#include "app/file_types.h"
#include "app/globals.h"
#include "app/splash.h"
#include "platform/core/filetypes.h"
#include "platform/menus.h"
#include "support/session_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;
using StartupTest = test::SessionTest;

FolderItemPtr File(const QString& path) { return FolderItem::FromPath(path); }

TEST_F(StartupTest, GlobalsExistBeforeAnyWindow) {
    EXPECT_EQ(Module1::iroi, (std::vector<std::int32_t>{0, 0, 0, 0}));
    EXPECT_FALSE(Module1::startfol);
    EXPECT_TRUE(Module1::versionDetails.isEmpty());
    EXPECT_FALSE(Module1::okuser);
    EXPECT_EQ(WindowCount(), 0);
    ASSERT_TRUE(App());
    EXPECT_EQ(App()->MenuBar, TheMenuBar());
    EXPECT_TRUE(FileTypeRegistry::Find(QStringLiteral("image/biorad")));
}

TEST_F(StartupTest, OpenShowsOnlyTheSplash) {
    App()->Event_Open();
    DrainEvents();
    ASSERT_EQ(WindowCount(), 1);
    EXPECT_EQ(WindowAt(0)->Title(), QStringLiteral("Quorvane beta"));
    EXPECT_TRUE(WindowAt(0)->isVisible());
    EXPECT_EQ(Window1::existing(), nullptr);
}

TEST_F(StartupTest, OnlyTheLastDocumentIsRememberedAndNothingOpens) {
    App()->Event_OpenDocument(File(QStringLiteral("/data/a.tif")));
    App()->Event_OpenDocument(File(QStringLiteral("/data/b.tif")));
    App()->Event_OpenDocument(nullptr);
    ASSERT_TRUE(Module1::startfol);
    EXPECT_EQ(Module1::startfol->AbsolutePath(), QStringLiteral("/data/b.tif"));
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(StartupTest, LaunchDeliversOpenThenExistingDocumentsOnly) {
    QTemporaryDir dir;
    const QString present = dir.filePath(QStringLiteral("cells.tif"));
    QFile f(present);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    session_->DeliverLaunch({present, dir.filePath(QStringLiteral("missing.tif"))});
    EXPECT_EQ(WindowCount(), 0) << "nothing happens before the event loop runs";
    DrainEvents();
    ASSERT_TRUE(Module1::startfol);
    EXPECT_EQ(Module1::startfol->AbsolutePath(), present);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(Window1::existing(), nullptr) << "a launch document opens no window by itself";
}

TEST_F(StartupTest, OkuserTurnsTrueWithTheFirstWorkspaceAndStays) {
    EXPECT_FALSE(Module1::okuser);
    Window1::instance()->Show();
    EXPECT_TRUE(Module1::okuser);
    Window1::instance()->Close();
    DrainEvents();
    EXPECT_TRUE(Module1::okuser);
}

TEST_F(StartupTest, NewWindowIsEnabledOnlyOnceAWorkspaceHasOpened) {
    App()->Event_Open();
    DrainEvents();
    TheMenuBar()->Update();
    EXPECT_FALSE(ItemEnabled(QStringLiteral("FileNewwindow")));
    EXPECT_TRUE(ItemEnabled(QStringLiteral("FileQuit")));

    Window1::instance()->Show();
    Window1::instance()->Close();
    DrainEvents();
    TheMenuBar()->Update();
    EXPECT_TRUE(ItemEnabled(QStringLiteral("FileNewwindow"))) << "stays after the workspace closed";
}

TEST_F(StartupTest, NewWindowAtApplicationLevelShowsTheWorkspace) {
    EXPECT_FALSE(DispatchMenuCommand(QStringLiteral("FileNewwindow")));
    ASSERT_TRUE(Window1::existing());
    EXPECT_TRUE(Window1::existing()->isVisible());
    Window1* w = Window1::existing();
    EXPECT_FALSE(App()->_FileNewwindow_Action());
    EXPECT_EQ(Window1::existing(), w) << "an open workspace is only brought forward";
}

TEST_F(StartupTest, EveryWorkspaceTakesTheLaunchDocumentIntoItsFrameList) {
    App()->Event_OpenDocument(File(QStringLiteral("/data/cells.tif")));
    Window1* w = Window1::instance();
    ASSERT_TRUE(w->fola[0]);
    EXPECT_EQ(w->fola[0], Module1::startfol);
    w->Close();
    DrainEvents();
    Window1* again = Window1::instance();
    EXPECT_EQ(again->fola[0], Module1::startfol) << "startfol is never cleared";
}

TEST_F(StartupTest, StartButtonClickedWithTheMouseOpensTheWorkspace) {
    App()->Event_Open();
    DrainEvents();
    Window8* splash = Window8::existing();
    ASSERT_TRUE(splash);
    splash->Timer1_Action();  // the movie has played for 2500 ms
    QTest::mouseClick(splash->PushButton1, Qt::LeftButton);
    DrainEvents();
    EXPECT_EQ(Window8::existing(), nullptr);
    ASSERT_TRUE(Window1::existing());
    EXPECT_TRUE(Window1::existing()->isVisible());
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(FrontWindow(), Window1::existing());
}

TEST(FinaliserTest, ReleasesEverythingTheSessionMade) {
    test::ScopedFakeServices fake;
    {
        Session session;
        session.Start();
        Module1::startfol = File(QStringLiteral("/data/a.tif"));
        Module1::versionDetails = QStringLiteral("news");
        Window1::instance();
        ASSERT_TRUE(TheMenuBar());
    }
    DrainEvents();
    EXPECT_EQ(Window1::existing(), nullptr);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(TheMenuBar(), nullptr);
    EXPECT_EQ(App(), nullptr);
    EXPECT_FALSE(FileTypeRegistry::Find(QStringLiteral("image/any")));
    EXPECT_FALSE(FileTypes::pImageAny);
    EXPECT_TRUE(Module1::iroi.empty());
    EXPECT_FALSE(Module1::startfol);
    EXPECT_TRUE(Module1::versionDetails.isEmpty());
}

}  // namespace
}  // namespace qv
