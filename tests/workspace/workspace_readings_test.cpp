// What the user reads on the fluorogram canvas and in the live tool windows:
// every count text in its place, colour and order, and every refresh that
// should follow a change.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "workspace/core/sections.h"
#include "support/workspace_fixture.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

constexpr Color kYellow = RGB(255, 255, 0);

// Two sections of the "rg" fluorogram with different counts: A holds 2 hits,
// B holds 3. Around the cross-point (100, 155) the quadrants hold 1, 2, 3 and 4.
constexpr FluorogramRect kA{140, 50, 210, 110};
constexpr FluorogramRect kB{0, 170, 60, 210};

PicturePtr ReadingsCrop() {
    PicturePtr p = NewPicture(10, 10);
    int at = 0;
    auto put = [&](int r, int g) {
        p->RGBSurface()->SetPixel(at % 10, at / 10, RGB(r, g, 0));
        ++at;
    };
    put(150, 50);                                            // upper left
    put(150, 150), put(200, 200);                            // upper right: section A
    put(50, 50), put(60, 20), put(80, 0);                    // lower left: section B
    put(50, 150), put(50, 200), put(20, 120), put(10, 250);  // lower right
    return p;
}

bool Same(const PicturePtr& a, const PicturePtr& b) {
    return a && b && a->Image() == b->Image();
}

class ReadingsTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        w->import(NewPicture(300, 300));
        w->poxc = ReadingsCrop();
        w->msdownx = 0, w->msdowny = 0, w->msupx = 9, w->msupy = 9;
        w->setColorMode(QStringLiteral("rg"));
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        test::WorkspaceTest::TearDown();
    }
    // A is the previous section, B the current one.
    void SetSections() {
        w->ms4downx = kA.downx, w->ms4downy = kA.downy, w->ms4upx = kA.upx, w->ms4upy = kA.upy;
        w->ms3downx = kB.downx, w->ms3downy = kB.downy, w->ms3upx = kB.upx, w->ms3upy = kB.upy;
    }
    // A fresh view of the given kind.
    PicturePtr View(int bevstate) const {
        PicturePtr view = NewPicture(256, 256);
        view->Graphics().DrawPicture(bevstate == 2 ? w->pox3 : w->pox, 0, 0);
        return view;
    }
    // The section counts "2" at A's corner and "3" at B's, as the user reads them.
    static void DrawCounts(const PicturePtr& p, Color c) {
        Graphics& g = p->Graphics();
        g.ForeColor = c;
        const TextPlace a = SectionTextPlace(kA.downx, kA.downy), b = SectionTextPlace(kB.downx, kB.downy);
        g.DrawString(QStringLiteral("2"), a.x, a.baseline);
        g.DrawString(QStringLiteral("3"), b.x, b.baseline);
    }
    static void DrawOutlines(const PicturePtr& p, Color c) {
        Graphics& g = p->Graphics();
        g.ForeColor = c;
        for (const FluorogramRect& r : {kA, kB}) g.DrawRect(r.downx, r.downy, r.upx - r.downx, r.upy - r.downy);
    }
    PicturePtr Sections(int bevstate, bool counts) const {
        PicturePtr p = View(bevstate);
        DrawOutlines(p, bevstate == 2 ? RGB(80, 80, 80) : kYellow);
        if (counts) DrawCounts(p, bevstate == 2 ? RGB(1, 1, 1) : kYellow);
        return p;
    }
};

TEST_F(ReadingsTest, SectionCountsAreWrittenAtTheirSections) {
    SetSections();
    w->ritatrean();
    w->calcroi(w->Canvas3->Backdrop()->Graphics(), 0, 0);
    PicturePtr expected = View(1);
    DrawCounts(expected, kYellow);
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), expected))
        << "the previous section's count and the current one's, each at its own corner";
}

TEST_F(ReadingsTest, AutoUpdateWritesTheCountsOntoTheCanvas) {
    SetSections();
    w->ritatrean();
    PicturePtr expected = NewPicture(256, 256);
    expected->Graphics().DrawPicture(w->Canvas3->Backdrop(), 0, 0);
    DrawCounts(expected, kYellow);
    w->CheckBox1->SetValue(true);
    EXPECT_TRUE(Same(w->Canvas3->Surface(), expected)) << "drawn on the canvas itself";
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), View(1))) << "not into its view";
}

TEST_F(ReadingsTest, ABuildWithAutoUpdateOutlinesAndCountsTheSections) {
    w->CheckBox1->SetValue(true);
    SetSections();
    w->setColorMode(QStringLiteral("rg"));
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), Sections(1, true)));
    w->CheckBox1->SetValue(false);
    w->setColorMode(QStringLiteral("rg"));
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), View(1))) << "without Auto Update: the plain view";
}

TEST_F(ReadingsTest, MonochromeRedrawsBothSectionsInTheGreyView) {
    SetSections();
    w->BevelButton2->click();
    ASSERT_EQ(w->bevstate, 2);
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), Sections(2, false)));
    w->CheckBox1->SetValue(true);
    w->BevelButton2->click();  // colour view, counted
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), Sections(1, true)));
    w->BevelButton2->click();  // grey view: counts in RGB(1, 1, 1)
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), Sections(2, true)));
}

TEST_F(ReadingsTest, QuadrantCountsAreWrittenInTheirQuadrants) {
    w->quad_RB->SetValue(true);
    w->ms3upx = 100, w->ms3upy = 155;
    w->ritatrean();
    w->quad();
    EXPECT_EQ(Module1::iroi, (std::vector<std::int32_t>{1, 2, 3, 4}));
    PicturePtr expected = View(1);
    Graphics& g = expected->Graphics();
    g.ForeColor = kYellow;
    const auto places = QuadrantTextPlaces(100, 155);
    const char* texts[] = {"1", "2", "3", "4"};
    for (int i = 0; i < 4; ++i)
        g.DrawString(QString::fromLatin1(texts[i]), places[size_t(i)].x, places[size_t(i)].baseline);
    g.DrawLine(0, 155, 255, 155);
    g.DrawLine(100, 0, 100, 255);
    EXPECT_TRUE(Same(w->Canvas3->Backdrop(), expected));
}

TEST_F(ReadingsTest, TheCoefficientWindowFollowsEveryLiveRefresh) {
    w->quad_RB->SetValue(true);
    w->ms3upx = 100, w->ms3upy = 155;
    w->coefficients();
    Window6* c = Window6::existing();
    ASSERT_TRUE(c);
    const QString stale = QStringLiteral("stale");
    auto refreshed = [&] { return c->StaticText15->Text() != stale; };

    // the quadrant calculator's Auto refresh brings the coefficients along
    Window2* calc = Window2::instance();
    calc->CheckBox1->SetValue(true);
    c->StaticText15->SetText(stale);
    w->quad();
    EXPECT_TRUE(refreshed()) << "calclive";
    calc->CheckBox1->SetValue(false);

    // the coefficient window's own Auto refresh, in quad only under the mask
    c->CheckBox1->SetValue(true);
    ASSERT_TRUE(w->coefflive);
    c->StaticText15->SetText(stale);
    w->quad();
    EXPECT_FALSE(refreshed()) << "coefflive without the mask";
    c->CheckBox2->SetValue(true);
    c->StaticText15->SetText(stale);
    w->quad();
    EXPECT_TRUE(refreshed()) << "coefflive with the mask";
    c->CheckBox2->SetValue(false);

    // an oval released with the mouse
    w->OvalRoi_RB->SetValue(true);
    c->StaticText15->SetText(stale);
    test::Drag(w->Canvas1, {20, 20}, {80, 70});
    EXPECT_TRUE(w->ovalmode);
    EXPECT_TRUE(refreshed()) << "oval release";
}

TEST_F(ReadingsTest, ClearWipesMarksDrawnOnTheImageCanvas) {
    w->polyRoi_RB->SetValue(true);  // a polygon with no vertex yet: nothing to redraw
    const PicturePtr before = NewPicture(w->imgsize, w->imgsize);
    before->Graphics().DrawPicture(w->Canvas1->Surface(), 0, 0);
    w->Canvas1->Graphics().ForeColor = RGB(255, 0, 0);
    w->Canvas1->Graphics().FillRect(30, 30, 20, 20);
    ASSERT_EQ(w->Canvas1->Surface()->RGBSurface()->Pixel(40, 40), RGB(255, 0, 0));
    w->rensa = 1;
    w->rita3();
    EXPECT_TRUE(Same(w->Canvas1->Surface(), before)) << "the canvas shows its backdrop again";
    w->Timer1->SetMode(0);
}

}  // namespace
}  // namespace qv
