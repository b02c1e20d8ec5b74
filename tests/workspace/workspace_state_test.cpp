#include <gtest/gtest.h>

#include "app/globals.h"
#include "support/session_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;
using WorkspaceStateTest = test::SessionTest;

void ExpectInitialState(const Window1& w) {
    EXPECT_EQ(w.Title(), QStringLiteral("Colocalization analysis"));
    EXPECT_EQ(w.Width(), 705);
    EXPECT_EQ(w.Height(), 702);
    EXPECT_EQ(w.colormode, QStringLiteral("rg"));
    EXPECT_EQ(w.bevstate, 1);
    EXPECT_EQ(w.imgsize, 0);
    EXPECT_EQ(w.rensa, 0);
    for (const PicturePtr& p : {w.pix, w.pox, w.pox2, w.pox3, w.polymask, w.poxc, w.bkpoxc,
                                w.bkpox, w.pix2, w.originalpix})
        EXPECT_FALSE(p);
    EXPECT_EQ(w.points.size(), 41u);
    EXPECT_EQ(w.polypoints.size(), 41u);
    EXPECT_EQ(w.his.size(), 256u);
    EXPECT_EQ(w.fola.size(), 81u);
    EXPECT_FALSE(w.poxtaken || w.calclive || w.coefflive || w.areaongoing ||
                 w.roianalysisongoing || w.newstart || w.quadnotsection || w.polygonmode ||
                 w.ovalmode);
    EXPECT_EQ(w.msdownx + w.msdowny + w.msupx + w.msupy + w.ms3upx + w.ms3upy + w.ms4upy, 0);
}

TEST_F(WorkspaceStateTest, OpensWithItsInitialState) {
    Window1* w = Window1::instance();
    ExpectInitialState(*w);
    EXPECT_FALSE(w->fola[0]);
    EXPECT_TRUE(Module1::okuser);
}

TEST_F(WorkspaceStateTest, AfterACloseTheAccessorBuildsAFreshWindow) {
    Window1* w = Window1::instance();
    w->Show();
    w->colormode = QStringLiteral("bg");
    w->bevstate = 2;
    w->imgsize = 512;
    w->pix = NewPicture(4, 4);
    w->calclive = true;
    QPointer<Window1> old(w);
    w->Close();
    Window1* fresh = Window1::instance();
    EXPECT_NE(fresh, old.data());
    ExpectInitialState(*fresh);
    DrainEvents();
    EXPECT_TRUE(old.isNull());
}

TEST_F(WorkspaceStateTest, WindowIsNotResizableByTheUser) {
    Window1* w = Window1::instance();
    w->Show();
    DrainEvents();
    const QSize before = w->size();
    w->resize(before.width() + 50, before.height() + 50);
    EXPECT_EQ(w->size(), before);
    EXPECT_EQ(w->Width(), 705);
    // only code changes the size
    w->SetSize(800, 702);
    EXPECT_EQ(w->Width(), 800);
    EXPECT_EQ(w->Content()->width(), 800);
}

}  // namespace
}  // namespace qv
