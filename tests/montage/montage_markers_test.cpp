#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>

#include "app/resources.h"
#include "montage_fixture.h"

namespace qv {
namespace {

using test::At;
using test::DrainEvents;
using test::Filled;

constexpr Color kCrop = RGB(120, 60, 30);  // no panel or merge pixel is black

int CountOf(const PicturePtr& p, Color c) {
    int n = 0;
    for (int y = 0; y < p->Height(); ++y)
        for (int x = 0; x < p->Width(); ++x) n += At(p, x, y) == c;
    return n;
}

// Whether the black arrow's black pixels lie with its top left at (x0, y0),
// clipped to p.
bool ArrowAt(const PicturePtr& p, int x0, int y0) {
    const PicturePtr arrow = arrowBlack();
    for (int j = 0; j < arrow->Height(); ++j)
        for (int i = 0; i < arrow->Width(); ++i) {
            const int x = x0 + i, y = y0 + j;
            if (At(arrow, i, j) == kBlack && x >= 0 && y >= 0 && x < p->Width() &&
                y < p->Height() && At(p, x, y) != kBlack)
                return false;
        }
    return true;
}

class MontageMarkersTest : public test::MontageTest {
protected:
    void SetUp() override {
        test::MontageTest::SetUp();
        s = Open(Filled(80, 60, kCrop));
        m = Window7::existing();
        ASSERT_TRUE(m);
        arrowPixels = CountOf(arrowBlack(), kBlack);
        ASSERT_GT(arrowPixels, 0);
    }
    void Enter() {
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), m->Panel(1)->mapToGlobal(QPointF(1, 1)));
        QCoreApplication::sendEvent(m->Panel(1), &e);
    }
    void Move(Canvas* c, QPoint p) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), c->mapToGlobal(QPointF(p)), Qt::NoButton,
                      Qt::NoButton, {});
        QCoreApplication::sendEvent(c, &e);
    }
    void Press(QPoint p) {
        QTest::mousePress(m->Panel(1), Qt::LeftButton, {}, p);
        QTest::mouseRelease(m->Panel(1), Qt::LeftButton, {}, p);
    }
    Window10* s = nullptr;
    Window7* m = nullptr;
    int arrowPixels = 0;
};

TEST_F(MontageMarkersTest, APressStampsEveryPanelPictureAtOnce) {
    for (const bool grid : {true, false}) {
        SCOPED_TRACE(grid ? "grid" : "row");
        Click(s, grid ? "RadioButton2" : "RadioButton1");
        Popup(s, 4)->SetListIndex(0);  // compose afresh: no marker left from before
        Click(s, "BevelButton4");      // black arrow
        EXPECT_EQ(m->curSelect, 2);
        Enter();
        Press({50, 40});
        for (int k = 1; k <= 4; ++k) {
            SCOPED_TRACE(k);
            const PicturePtr p = s->pic[static_cast<size_t>(k)];
            EXPECT_EQ(m->Panel(k)->Backdrop(), p);
            EXPECT_TRUE(ArrowAt(p, 43, 33));
            EXPECT_EQ(CountOf(p, kBlack), arrowPixels) << "one marker, nothing else black";
        }
        bool handled = false;
        s->HandleMenu(QStringLiteral("EditCopy"), &handled);
        const PicturePtr copy = fake_->clipboardPicture;
        ASSERT_TRUE(copy);
        EXPECT_EQ(CountOf(copy, kBlack), (grid ? 4 : 3) * arrowPixels);
        EXPECT_TRUE(ArrowAt(copy, 10 + 43, 10 + 33));
        EXPECT_TRUE(ArrowAt(copy, 80 + 20 + 43, 10 + 33));
        if (grid) {
            EXPECT_TRUE(ArrowAt(copy, 10 + 43, 60 + 20 + 33));
        }
    }
}

TEST_F(MontageMarkersTest, MarkersAccumulateUntilComposingAndClipAtTheEdge) {
    m->curSelect = 2;
    Press({50, 40});
    Press({3, 3});  // top left at (-4, -4): only its lower right part lands
    int clipped = 0;
    const PicturePtr arrow = arrowBlack();
    for (int j = 4; j < arrow->Height(); ++j)
        for (int i = 4; i < arrow->Width(); ++i) clipped += At(arrow, i, j) == kBlack;
    EXPECT_TRUE(ArrowAt(s->pic[1], -4, -4));
    EXPECT_EQ(CountOf(s->pic[1], kBlack), arrowPixels + clipped);

    Popup(s, 5)->SetListIndex(2);  // a popup change rewrites the merge and every held panel
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(CountOf(s->pic[static_cast<size_t>(k)], kBlack), 0);

    Press({50, 40});
    Click(s, "BevelButton2");  // Update: fresh pictures
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(CountOf(s->pic[static_cast<size_t>(k)], kBlack), 0);
}

TEST_F(MontageMarkersTest, TheGhostFollowsThePointerOnEveryPanelOnScreenOnly) {
    Click(s, "BevelButton4");
    Enter();
    Move(m->Panel(1), {30, 20});
    Move(m->Panel(1), {50, 40});
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const PicturePtr screen = m->Panel(k)->Surface();
        EXPECT_TRUE(ArrowAt(screen, 43, 33)) << "hidden panel 3 included";
        EXPECT_EQ(CountOf(screen, kBlack), arrowPixels) << "only at the last place";
        EXPECT_EQ(CountOf(s->pic[static_cast<size_t>(k)], kBlack), 0) << "pictures untouched";
    }
    m->Panel(2)->Refresh();
    Move(m->Panel(2), {20, 20});
    Move(m->Panel(4), {20, 20});
    EXPECT_EQ(CountOf(m->Panel(2)->Surface(), kBlack), 0) << "only the first panel takes markers";
    EXPECT_EQ(CountOf(m->Panel(1)->Surface(), kBlack), arrowPixels);
}

TEST_F(MontageMarkersTest, EnteringThePanelTakesTheToolsMarkerAndCursor) {
    Enter();
    EXPECT_FALSE(m->stampArrow) << "no tool yet";
    Press({20, 20});
    EXPECT_EQ(CountOf(s->pic[1], kBlack), 0) << "no tool, no stamp";
    const struct {
        const char* button;
        PicturePtr marker;
        MouseCursorPtr cursor;
    } tools[] = {{"BevelButton3", yelCurs(), ResourceFile::GetCursor(1128)},
                 {"BevelButton4", arrowBlack(), cursArrowBlack()},
                 {"BevelButton5", m->arrowWhite, cursArrowWhite()}};
    int tool = 0;
    for (const auto& t : tools) {
        SCOPED_TRACE(t.button);
        Click(s, t.button);
        EXPECT_EQ(m->curSelect, ++tool);
        ASSERT_TRUE(t.marker);
        ASSERT_TRUE(t.cursor);
        Enter();
        EXPECT_EQ(m->stampArrow, t.marker);
        EXPECT_EQ(m->Panel(1)->cursor().hotSpot(), t.cursor->HotSpot);
        EXPECT_EQ(m->Panel(1)->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                  t.cursor->Image);
    }
}

// The white arrow is its base picture drawn through its mask: inside the
// silhouette the base shows (white inside, black rim), outside it the panel.
TEST_F(MontageMarkersTest, TheWhiteArrowShowsOnlyThroughItsMask) {
    ASSERT_TRUE(m->arrowWhite);
    EXPECT_EQ(m->arrowWhite->Width(), 16);
    Click(s, "BevelButton5");
    Press({20, 20});
    const PicturePtr base = arrowWhiteBG(), shape = arrowBlacknonT();
    const PicturePtr panel = s->pic[1];
    int white = 0;
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) {
            const Color want = At(shape, i, j) == kBlack ? At(base, i, j) : RGB(60, 60, 60);
            ASSERT_EQ(At(panel, 13 + i, 13 + j), want) << i << "," << j;
            white += want == kWhite;
        }
    EXPECT_GT(white, 0) << "the arrow's white inside shows";
}

TEST_F(MontageMarkersTest, AFreshMontageWithoutPicturesTakesNoStamp) {
    QPointer<Window7> old(m);
    m->Close();
    DrainEvents();
    // the closed montage is gone (the fresh one may take its address)
    ASSERT_FALSE(old);
    Click(s, "BevelButton4");  // brings a fresh montage back
    Window7* fresh = Window7::existing();
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->curSelect, 2);
    QTest::mousePress(fresh->Panel(1), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(fresh->Panel(1)->Backdrop());
    EXPECT_EQ(CountOf(s->pic[1], kBlack), 0);
}

}  // namespace
}  // namespace qv
