// The montage on the desktop: however large its ROI, its frame stays inside
// the area windows may use, docked under its setup with neither title bar
// covered; and the window shown last is the one in front.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <initializer_list>

#include "desktop/desktop_fixture.h"
#include "montage/montage_setup.h"
#include "montage/montage_window.h"
#include "platform/menus.h"
#include "support/workspace_fixture.h"
#include "tools/area_analyzer.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv::desktop {
namespace {

// The workspace shown with the largest picture it takes and a rectangle ROI
// over most of it.
class MontageOnDesktop : public DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        w = Window1::instance();
        w->Show();
        w->import(test::Gradient(1024));
        const int side = w->imgsize;
        test::Drag(w->Canvas1, {side / 20, side / 20}, {side - side / 20, side - side / 20});
        ASSERT_GT(w->msupx - w->msdownx, side * 8 / 10) << "the ROI was drawn";
        Settle();
    }

    // The montage stands inside the area, under the setup: 21 pixels below its
    // content, or just below its frame where the frames need more room; at the
    // setup's left or pushed in by the screen's edge; as much shown of the size
    // it keeps (its laid-out size unless said otherwise) as fits, shorter
    // rather than higher.
    ::testing::AssertionResult DockedUnder(const Window10* setup, const Window7* montage,
                                           QSize kept = QSize()) const {
        if (!kept.isValid()) kept = montage->Sheet();
        const QRect s = FrameOnScreen(setup), m = FrameOnScreen(montage);
        if (s.isNull() || m.isNull()) return ::testing::AssertionFailure() << "not framed";
        const int between = m.top() - s.bottom() - 1;
        const int gap = montage->Top() - (setup->Top() + setup->Height());
        auto failure = [&] {
            return ::testing::AssertionFailure()
                   << "setup's frame " << s.top() << ".." << s.bottom() << ", montage's " << m.top()
                   << ".." << m.bottom() << " (content " << montage->Width() << "x"
                   << montage->Height() << " of " << montage->Sheet().width() << "x"
                   << montage->Sheet().height() << ", left " << montage->Left() << " for "
                   << setup->Left() << ") in the area " << area_.top() << ".." << area_.bottom();
        };
        if (between < 0) return failure() << ": a title bar is covered";
        if (between > 0 && gap != 21) return failure() << ": not docked (" << gap << " apart)";
        if (montage->Left() != setup->Left() && m.right() != area_.right())
            return failure() << ": not at the setup's left";
        if (montage->Height() < kept.height() && m.bottom() != area_.bottom())
            return failure() << ": shorter than the room below";
        if (montage->Width() < kept.width() && m.width() != area_.width())
            return failure() << ": narrower than the screen";
        if (montage->Height() > kept.height() || montage->Width() > kept.width())
            return failure() << ": larger than " << kept.width() << "x" << kept.height();
        return ::testing::AssertionSuccess();
    }

    void ExpectDocked(const char* when, QSize kept = QSize()) {
        SCOPED_TRACE(when);
        Window10* setup = Window10::existing();
        Window7* montage = Window7::existing();
        ASSERT_TRUE(setup && montage);
        EXPECT_TRUE(InsideScreen(setup));
        EXPECT_TRUE(InsideScreen(montage)) << "its close box in reach";
        EXPECT_TRUE(AsPlaced(montage));
        EXPECT_TRUE(DockedUnder(setup, montage, kept));
    }

    // A click of the real pointer at a point on the screen, as a user's.
    static void Click(QPoint at) {
        ASSERT_EQ(QProcess::execute(
                      QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(at.x()),
                       QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")}),
                  0);
    }

    Window1* w = nullptr;
};

TEST_F(MontageOnDesktop, ALargeRoiFitsDockedUnderTheSetupAlsoAfterAMoveAndUpdate) {
    w->_ToolsMontage_Action();
    Settle();
    Window10* setup = Window10::existing();
    ASSERT_TRUE(setup);
    ExpectDocked("opened");
    EXPECT_TRUE(InFront(setup, {Window7::existing(), w}));

    setup->RadioButton2_Action();  // the grid: twice as tall
    Settle();
    ExpectDocked("in the grid");

    setup->SetLeft(setup->Left() + 60);
    setup->SetTop(setup->Top() + 40);
    Settle();
    ExpectDocked("after the setup moved");
    EXPECT_TRUE(InFront(setup, {Window7::existing(), w}));

    // Closed, the setup moved (which brings the montage back), closed again:
    // Update makes a fresh montage, docked as it opens.
    Window7::existing()->Close();
    Settle();
    setup->SetTop(setup->Top() - 20);
    Settle();
    ExpectDocked("brought back by a move");
    Window7::existing()->Close();
    Settle();
    ASSERT_FALSE(Window7::existing());
    setup->BevelButton2_Action();  // Update
    Settle();
    ExpectDocked("made afresh by Update");
}

TEST_F(MontageOnDesktop, TheMontageKeepsASizeTheUserGaveItWhenTheSetupMoves) {
    w->_ToolsMontage_Action();
    Settle();
    Window10* setup = Window10::existing();
    Window7* montage = Window7::existing();
    ASSERT_TRUE(setup && montage);
    ExpectDocked("opened");

    // The user makes it smaller than its laid-out size, which fits any screen.
    const QSize user(300, 200);
    const int bar = montage->size().height() - montage->Height();
    AskForSize(montage, user + QSize(0, bar));
    WaitUntil([&] { return QSize(montage->Width(), montage->Height()) == user; });
    Settle();
    ASSERT_EQ(QSize(montage->Width(), montage->Height()), user);

    setup->SetLeft(setup->Left() + 60);
    setup->SetTop(setup->Top() + 40);
    Settle();
    EXPECT_EQ(QSize(montage->Width(), montage->Height()), user) << "kept on a move";
    ExpectDocked("after the setup moved", user);

    // Moved down until the room below is less than its height: shorter for
    // the while, and its size back once the setup moves up again.
    const int under = area_.bottom() - FrameOnScreen(montage).bottom();
    setup->SetTop(setup->Top() + under + 80);
    Settle();
    EXPECT_LT(montage->Height(), user.height());
    ExpectDocked("with too little room below", user);
    setup->SetTop(setup->Top() - under - 80);
    Settle();
    EXPECT_EQ(QSize(montage->Width(), montage->Height()), user) << "room again";
    ExpectDocked("moved back up", user);

    setup->BevelButton2_Action();  // Update
    Settle();
    EXPECT_NE(QSize(montage->Width(), montage->Height()), user);
    ExpectDocked("laid out anew by Update");
}

TEST_F(MontageOnDesktop, AfterTheToolWindowsTheMontageStillOpensDocked) {
    w->quad_RB->SetValue(true);
    w->quadCalc_PB->Push();
    w->PushButton12->Push();  // "Coefficient Calculator"
    w->_ToolsAreas_Action();
    w->_ToolsAnalyzeROI_Action();
    Settle();
    w->_ToolsMontage_Action();
    Settle();
    ExpectDocked("opened after the tool windows");
    for (const Window* tool : std::initializer_list<const Window*>{
             Window2::existing(), Window6::existing(), Window9::existing(), Window11::existing()}) {
        ASSERT_TRUE(tool);
        EXPECT_TRUE(InsideScreen(tool));
    }
}

TEST_F(MontageOnDesktop, NewWindowWithTheMontageOpenPutsTheFreshWorkspaceInFront) {
    w->_ToolsMontage_Action();
    Settle();
    Window10* setup = Window10::existing();
    Window7* montage = Window7::existing();
    ASSERT_TRUE(setup && montage);

    const QPointer<Window1> old(w);
    w->raise();
    w->activateWindow();
    Settle();
    auto* bar = qobject_cast<QMenuBar*>(w->TopBar());
    ASSERT_TRUE(bar);
    QMenu* file = bar->findChild<QMenu*>(QStringLiteral("UntitledMenu5"));
    ASSERT_TRUE(file);
    Click(bar->mapToGlobal(bar->actionGeometry(file->menuAction()).center()));
    ASSERT_TRUE(WaitUntil([&] { return file->isVisible(); })) << "the File menu opened";
    QAction* item = file->findChild<QAction*>(QStringLiteral("FileNewwindow"));
    ASSERT_TRUE(item);
    ASSERT_TRUE(WaitUntil([&] { return item->isEnabled(); }));
    Click(file->mapToGlobal(file->actionGeometry(item).center()));
    WaitUntil([&] { return !old; });
    Settle();
    ASSERT_FALSE(old) << "the workspace was closed";
    Window1* fresh = Window1::existing();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(InsideScreen(fresh));
    EXPECT_TRUE(InFront(fresh, {setup, montage})) << "the window shown last";
    EXPECT_EQ(FrontWindow(), fresh);
    ExpectDocked("the montage stays with its setup");
}

}  // namespace
}  // namespace qv::desktop
