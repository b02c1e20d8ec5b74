#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QTest>

#include "app/application_object.h"
#include "app/globals.h"
#include "app/splash.h"
#include "platform/menus.h"
#include "support/session_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;
using MenuTest = test::SessionTest;

QStringList EnabledItems() {
    QStringList out;
    std::function<void(MenuItem*)> walk = [&](MenuItem* m) {
        for (int i = 0; i < m->Count(); ++i) {
            MenuItem* item = m->Item(i);
            if (item->Enabled) out << item->Name;
            walk(item);
        }
    };
    walk(TheMenuBar());
    out.sort();
    return out;
}

// A window serving a chosen set of items, each handled by a recording handler.
class ServingWindow : public Window, public SingleInstance<ServingWindow> {
public:
    ServingWindow() {
        SetTitle(QStringLiteral("Serving"));
        SetSize(200, 100);
    }
    void Serve(const QStringList& items, bool result) {
        served = items;
        for (const QString& name : items)
            AddMenuHandler(name, [this, name, result] {
                handled << name;
                return result;
            });
    }
    void Event_EnableMenuItems() override {
        for (const QString& name : served) EnableItem(name);
    }
    QStringList served;
    QStringList handled;
};

TEST_F(MenuTest, BarHasItsMenusAndItemsInOrder) {
    MenuBar* bar = TheMenuBar();
    ASSERT_EQ(bar->Count(), 5);
    QStringList menus;
    for (int i = 0; i < 5; ++i) menus << bar->Item(i)->Text;
    EXPECT_EQ(menus, (QStringList{"File", "Edit", "Format", "Tools", "Help"}));
    MenuItem* file = bar->Child(QStringLiteral("UntitledMenu5"));
    ASSERT_TRUE(file);
    QStringList texts;
    for (int i = 0; i < file->Count(); ++i) texts << file->Item(i)->Text;
    EXPECT_EQ(texts, (QStringList{"New window", "Open", "Close", "Import Biorad PIC ", "Export ROI",
                                  "Save Screen..", "Quit"}));
    EXPECT_EQ(bar->Find(QStringLiteral("ToolsOpendemoimage"))->Text, QStringLiteral("Open demo image "));
    EXPECT_EQ(bar->Find(QStringLiteral("FormatNextframe"))->KeyboardShortcut, QStringLiteral("Cmd+>"));
    EXPECT_EQ(bar->Find(QStringLiteral("FileQuit"))->Kind, MenuKind::Quit);
    EXPECT_EQ(bar->Find(QStringLiteral("AppleAboutQuorvane"))->Kind, MenuKind::Apple);
    EXPECT_TRUE(bar->Find(QStringLiteral("UntitledMenu4"))->Separator());
}

TEST_F(MenuTest, EnablingFollowsTheFrontWindow) {
    // Splash in front, before any workspace: only Quit.
    App()->Event_Open();
    DrainEvents();
    TheMenuBar()->Update();
    EXPECT_EQ(EnabledItems(), QStringList{"FileQuit"});

    // A window serving a chosen set gets exactly that set (and New window once okuser).
    ServingWindow* w = ServingWindow::instance();
    w->Serve({"FileOpen", "ToolsAreas", "EditCopy"}, false);
    w->Show();
    TheMenuBar()->Update(w);
    EXPECT_EQ(EnabledItems(), (QStringList{"EditCopy", "FileOpen", "FileQuit", "ToolsAreas"}));

    Module1::okuser = true;  // a workspace has opened in this run
    TheMenuBar()->Update(w);
    EXPECT_EQ(EnabledItems(),
              (QStringList{"EditCopy", "FileNewwindow", "FileOpen", "FileQuit", "ToolsAreas"}));
    w->Close();
    DrainEvents();
}

TEST_F(MenuTest, HandlerReturningFalsePassesTheCommandToTheApplication) {
    ServingWindow* w = ServingWindow::instance();
    w->Serve({"FileNewwindow"}, false);
    w->Show();
    EXPECT_EQ(Window1::existing(), nullptr);
    DispatchMenuCommand(QStringLiteral("FileNewwindow"), w);
    EXPECT_EQ(w->handled, QStringList{"FileNewwindow"});
    EXPECT_TRUE(Window1::existing()) << "the application's handler ran too";
    Window1::existing()->Close();
    w->Close();
    DrainEvents();
}

TEST_F(MenuTest, HandlerReturningTrueEndsTheCommand) {
    ServingWindow* w = ServingWindow::instance();
    w->Serve({"FileNewwindow"}, true);
    w->Show();
    EXPECT_TRUE(DispatchMenuCommand(QStringLiteral("FileNewwindow"), w));
    EXPECT_EQ(Window1::existing(), nullptr);
    w->Close();
    DrainEvents();
}

TEST_F(MenuTest, ShortcutsActOnlyWhileTheirItemIsEnabled) {
    ServingWindow* w = ServingWindow::instance();
    w->Serve({"FileOpen"}, true);
    w->AddMenuHandler(QStringLiteral("FileClose"), [w] {
        w->handled << "FileClose";
        return true;
    });
    w->Show();
    w->activateWindow();
    DrainEvents();
    ASSERT_TRUE(w->TopBar()) << "every window carries the menu bar";
    QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_W, Qt::ControlModifier);  // FileClose is not enabled
    EXPECT_EQ(w->handled, QStringList{"FileOpen"});

    // the shown actions follow the states of the last update
    auto* open = w->TopBar()->findChild<QAction*>(QStringLiteral("FileOpen"));
    auto* close = w->TopBar()->findChild<QAction*>(QStringLiteral("FileClose"));
    ASSERT_TRUE(open && close);
    EXPECT_TRUE(open->isEnabled());
    EXPECT_FALSE(close->isEnabled());
    w->Close();
    DrainEvents();
}

TEST(QuitTest, LastWindowClosingQuitsButNotBetweenCloseAndShow) {
    test::ScopedFakeServices fake;
    Session session;
    session.Start();
    int quits = 0;
    SetLastWindowClosed([&] { ++quits; });
    // the splash's click: it closes first, then the workspace is shown
    App()->Event_Open();
    DrainEvents();
    Window8::existing()->Close();
    Window1::instance()->Show();
    DrainEvents();
    EXPECT_EQ(quits, 0);
    // File > New window from the workspace: close, then a fresh one
    Window1::existing()->Close();
    Window1::instance()->Show();
    DrainEvents();
    EXPECT_EQ(quits, 0);
    // the last window
    Window1::existing()->Close();
    DrainEvents();
    EXPECT_EQ(quits, 1);
    SetLastWindowClosed(nullptr);
}

TEST(QuitTest, QuitWithTheAboutWindowAndToolWindowsInFrontEndsTheProgram) {
    test::ScopedFakeServices fake;
    fake->screenWidth = 1600, fake->screenHeight = 1200;
    Session session;
    session.Start();
    int quits = 0;
    SetLastWindowClosed([&] { ++quits; });
    Window1* w = Window1::instance();
    w->Show();
    w->quad_RB->SetValue(true);
    w->calculator();
    w->coefficients();
    w->_AppleAboutQuorvane_Action();
    DrainEvents();
    ASSERT_EQ(WindowCount(), 4);
    ASSERT_EQ(FrontWindow()->Title(), QStringLiteral("About Quorvane"));
    const int built = WindowsBuiltWhileQuitting();

    // File > Quit from the About window's menu bar; the workspace closes first
    auto* quit = FrontWindow()->TopBar()->findChild<QAction*>(QStringLiteral("FileQuit"));
    ASSERT_TRUE(quit);
    quit->trigger();
    DrainEvents();
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(quits, 1) << "one Quit is enough";
    EXPECT_EQ(WindowsBuiltWhileQuitting(), built) << "no close handler built a window";
    EXPECT_FALSE(Window1::existing());
    SetLastWindowClosed(nullptr);
}

TEST(QuitTest, ClosingTheAboutWindowStillBringsBackAWorkspace) {
    test::ScopedFakeServices fake;
    Session session;
    session.Start();
    Window1::instance()->Show();
    Window1::existing()->_AppleAboutQuorvane_Action();
    DrainEvents();
    Window1::existing()->Close();
    DrainEvents();
    ASSERT_FALSE(Window1::existing());
    FrontWindow()->Close();  // the About window's close box
    DrainEvents();
    EXPECT_TRUE(Window1::existing()) << "a fresh workspace";
}

}  // namespace
}  // namespace qv
