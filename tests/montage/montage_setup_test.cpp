#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "app/resources.h"
#include "montage_fixture.h"
#include "platform/menus.h"

namespace qv {
namespace {

using test::At;
using test::DrainEvents;
using test::Filled;

// Every pixel tells its place, and none is white.
PicturePtr Gradient(int w, int h) {
    PicturePtr p = NewPicture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p->RGBSurface()->SetPixel(x, y, RGB(x, y, 99));
    return p;
}

class MontageSetupTest : public test::MontageTest {};

struct LayoutCase {
    const char* what;
    bool crop;  // a 200 x 200 gradient crop, or none (the logo stands in)
    int downx, downy, upx, upy;
    int vidd, hojd;
    QSize row, grid;
};

const LayoutCase kLayouts[] = {
    {"ROI (10,20)-(50,80)", true, 10, 20, 50, 80, 40, 60, {160, 80}, {110, 150}},
    {"no crop and no ROI", false, 0, 0, 0, 0, 128, 128, {424, 148}, {286, 286}},
    {"zero-width ROI", true, 30, 20, 30, 80, 200, 60, {640, 80}, {430, 150}},
    {"10 x 10 ROI: the window keeps its minimum", true, 5, 5, 15, 15, 10, 10, {70, 64}, {64, 64}},
};

TEST_F(MontageSetupTest, PanelsWindowSizesAndDockingByTheRoi) {
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(c.what);
        PicturePtr crop = c.crop ? Gradient(200, 200) : nullptr;
        Window10* s = Open(crop, c.downx, c.downy, c.upx, c.upy);
        Window7* m = Window7::existing();
        ASSERT_TRUE(m);
        EXPECT_EQ(s->Title(), QStringLiteral("Montage setup"));
        EXPECT_EQ(m->Title(), QStringLiteral("Montage"));
        EXPECT_EQ(s->vidd, c.vidd);
        EXPECT_EQ(s->hojd, c.hojd);
        for (const PicturePtr& p : s->pic) {
            ASSERT_TRUE(p);
            EXPECT_EQ(QSize(p->Width(), p->Height()), QSize(c.vidd, c.hojd));
        }
        // The 1:1 copy from the ROI's corner; what lies past the crop stays white.
        const PicturePtr source = c.crop ? crop : w->poxc;
        ASSERT_TRUE(source);
        EXPECT_EQ(At(s->pic[0], 0, 0), At(source, c.downx, c.downy));
        EXPECT_EQ(At(s->pic[0], 7, 5), At(source, c.downx + 7, c.downy + 5));
        if (c.downx + c.vidd > source->Width()) {
            EXPECT_EQ(At(s->pic[0], c.vidd - 1, 0), kWhite);
        }

        EXPECT_FALSE(s->fourmodetrue);
        EXPECT_EQ(QSize(m->Width(), m->Height()), c.row);
        EXPECT_EQ(m->Content()->size(), c.row) << "white to the window's edges";
        EXPECT_EQ(m->Panel(1)->geometry(), QRect(10, 10, c.vidd, c.hojd));
        EXPECT_EQ(m->Panel(2)->geometry(), QRect(c.vidd + 20, 10, c.vidd, c.hojd));
        EXPECT_EQ(m->Panel(4)->pos(), QPoint(2 * c.vidd + 30, 10));
        EXPECT_FALSE(ControlVisible(m->Panel(3)));
        EXPECT_FALSE(Popup(s, 3)->isEnabled());
        EXPECT_FALSE(Popup(s, 6)->isEnabled());
        EXPECT_EQ(Named<RectangleControl>(s, "Rectangle10")->FillColor, RGB(150, 150, 150));

        Click(s, "RadioButton2");
        EXPECT_TRUE(s->fourmodetrue);
        EXPECT_EQ(QSize(m->Width(), m->Height()), c.grid);
        EXPECT_EQ(m->Content()->size(), c.grid);
        EXPECT_EQ(m->Panel(3)->geometry(), QRect(10, c.hojd + 20, c.vidd, c.hojd));
        EXPECT_EQ(m->Panel(4)->pos(), QPoint(c.vidd + 20, c.hojd + 20));
        EXPECT_TRUE(ControlVisible(m->Panel(3)));
        EXPECT_TRUE(Popup(s, 3)->isEnabled());
        EXPECT_TRUE(Popup(s, 6)->isEnabled());
        EXPECT_EQ(Named<RectangleControl>(s, "Rectangle10")->FillColor, kWhite);
        s->Close();
        m->Close();
        DrainEvents();
    }
}

TEST_F(MontageSetupTest, TheLogoStandsInAsACopyOfItsOwn) {
    w->poxc = nullptr;
    Window10* s = Open(nullptr);
    const PicturePtr logo = QVlogga128();
    ASSERT_TRUE(w->poxc);
    EXPECT_NE(w->poxc, logo);
    EXPECT_EQ(w->poxc->Image(), logo->Image());
    const Color before = At(logo, 5, 5);
    w->poxc->Graphics().ForeColor = RGB(1, 2, 3);
    w->poxc->Graphics().FillRect(0, 0, 128, 128);
    EXPECT_EQ(At(logo, 5, 5), before) << "writing into the workspace's crop leaves the logo";
    EXPECT_EQ(At(s->pic[0], 5, 5), before);
}

TEST_F(MontageSetupTest, DefaultChannelsByTheWorkspacePair) {
    const struct {
        const char* colormode;
        const char* channels[3];
    } cases[] = {{"rg", {"Green", "Red", "Blue"}},
                 {"rb", {"Red", "Blue", "Green"}},
                 {"bg", {"Green", "Blue", "Red"}},
                 {"xx", {"", "", ""}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colormode);
        Window10* s = Open(Gradient(20, 20), 0, 0, 0, 0, QString::fromUtf8(c.colormode));
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(Popup(s, k)->Text(), QString::fromUtf8(c.channels[k - 1]));
            EXPECT_EQ(Popup(s, k + 3)->Text(), QStringLiteral("Gray"));
            EXPECT_TRUE(ControlVisible(Popup(s, k)));
        }
        EXPECT_EQ(Popup(s, 1)->ListCount(), 4);
        EXPECT_EQ(Popup(s, 4)->ListCount(), 4);
        s->Close();
        Window7::existing()->Close();
        DrainEvents();
    }
}

TEST_F(MontageSetupTest, UnderAWindowManagerTheMontageDocksBelowTheSetupsFrame) {
    // A title bar of 20 pixels and a bottom border of 5 need more than 21.
    fake_->frame = QMargins(1, 20, 1, 5);
    w->poxc = Gradient(50, 40);
    Window10* s = Window10::instance();
    Window7* m = Window7::existing();
    ASSERT_TRUE(m);
    DrainEvents();
    EXPECT_EQ(m->FrameRect().top(), s->FrameRect().bottom() + 1) << "title bar free, buttons free";
    EXPECT_EQ(m->Left(), s->Left());
    s->SetTop(s->Top() + 30);
    DrainEvents();
    EXPECT_EQ(m->FrameRect().top(), s->FrameRect().bottom() + 1) << "docked again after a move";
}

// Screens of 1600 x 1200 and of 1024 x 768 under a 60-pixel top panel.
const QRect kWholeScreen(0, 0, 1600, 1200);
const QRect kUnderPanel(0, 60, 1024, 708);

struct ScreenCase {
    const char* what;
    QRect area;
    QSize roi;
    bool grid;
    bool narrower, shorter;  // the window shows less of the montage across, down
    QSize sheet;             // the whole montage as laid out
    QPoint merge;            // where the merge's panel stands in it
};

const ScreenCase kScreens[] = {
    {"40 x 60 ROI", kWholeScreen, {40, 60}, false, false, false, {160, 80}, {110, 10}},
    {"700 x 800 ROI in a row", kWholeScreen, {700, 800}, false, true, false, {2140, 820},
     {1430, 10}},
    {"700 x 800 ROI in the grid", kWholeScreen, {700, 800}, true, false, true, {1430, 1630},
     {720, 820}},
    {"200 x 600 ROI under a panel", kUnderPanel, {200, 600}, false, false, true, {640, 620},
     {430, 10}},
    {"700 x 800 ROI in a row under a panel", kUnderPanel, {700, 800}, false, true, true,
     {2140, 820}, {1430, 10}},
    {"700 x 800 ROI in the grid under a panel", kUnderPanel, {700, 800}, true, true, true,
     {1430, 1630}, {720, 820}},
};

TEST_F(MontageSetupTest, TheMontageFitsTheScreenDockedUnderTheSetupAndIsSavedWhole) {
    // Side borders of 2 at least: offscreen, a window never comes nearer the
    // screen's left edge.
    fake_->frame = QMargins(3, 20, 3, 5);
    const PicturePtr crop = Filled(1024, 1024, RGB(200, 100, 50));
    for (const ScreenCase& c : kScreens) {
        SCOPED_TRACE(c.what);
        fake_->availableArea = c.area;
        const QSize roi = c.roi;
        Window10* s = Open(crop, 100, 100, 100 + roi.width(), 100 + roi.height());
        if (c.grid) Click(s, "RadioButton2");
        s->SetLeft(c.area.left() + 200);
        s->SetTop(c.area.top());  // as high as its frame lets it
        DrainEvents();
        Window7* m = Window7::existing();
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Sheet(), c.sheet);
        EXPECT_TRUE(c.area.contains(s->FrameRect()));
        EXPECT_TRUE(c.area.contains(m->FrameRect())) << "close box in reach";
        EXPECT_EQ(m->FrameRect().top(), s->FrameRect().bottom() + 1) << "no title bar covered";
        EXPECT_TRUE(m->Left() == s->Left() || m->FrameRect().right() == c.area.right());
        EXPECT_EQ(m->Width() < c.sheet.width(), c.narrower);
        EXPECT_EQ(m->Height() < c.sheet.height(), c.shorter);
        if (c.narrower) {
            EXPECT_EQ(m->FrameRect().width(), c.area.width()) << "as wide as the screen";
        }
        if (c.shorter) {
            EXPECT_EQ(m->FrameRect().bottom(), c.area.bottom()) << "as tall as the room below";
        }

        // The panels keep their places; a copy holds the whole montage.
        EXPECT_EQ(m->Panel(4)->geometry(), QRect(c.merge, roi));
        bool handled = false;
        s->HandleMenu(QStringLiteral("EditCopy"), &handled);
        const PicturePtr copy = fake_->clipboardPicture;
        ASSERT_TRUE(copy);
        EXPECT_EQ(QSize(copy->Width(), copy->Height()), c.sheet);
        const QPoint last = c.merge + QPoint(roi.width() - 1, roi.height() - 1);
        EXPECT_EQ(At(copy, last.x(), last.y()), c.grid ? RGB(200, 100, 50) : RGB(200, 100, 0))
            << "the merge's far corner, also where the window does not show it";
        EXPECT_EQ(At(copy, c.sheet.width() - 1, c.sheet.height() - 1), kWhite);
        s->Close();
        m->Close();
        DrainEvents();
    }
}

// The desktop tells each frame only once the window shows: the windows are
// placed first without it and dock again when it comes.
TEST_F(MontageSetupTest, FramesThatArriveLateDockTheMontageAgain) {
    fake_->frame = QMargins(1, 20, 1, 5);
    fake_->frameOnceShown = true;
    fake_->availableArea = kUnderPanel;
    w->poxc = Filled(1024, 1024, RGB(200, 100, 50));
    w->msdownx = w->msdowny = 100;
    w->msupx = 300;
    w->msupy = 700;
    Window10* s = Window10::instance();
    s->SetLeft(300);  // placed before it shows: its frame then moves it no further
    s->SetTop(150);
    DrainEvents();
    Window7* m = Window7::existing();
    ASSERT_TRUE(m && s->Visible() && m->Visible());
    const auto docked = [&](Window7* montage) {
        EXPECT_TRUE(kUnderPanel.contains(s->FrameRect()));
        EXPECT_TRUE(kUnderPanel.contains(montage->FrameRect()));
        EXPECT_EQ(montage->FrameRect().top(), s->FrameRect().bottom() + 1);
        EXPECT_EQ(montage->Left(), s->Left());
        EXPECT_EQ(montage->FrameRect().bottom(), kUnderPanel.bottom()) << "shorter, not higher";
    };
    docked(m);

    // Moved, the montage closed, then Update: a fresh montage, whose own frame
    // comes once it shows.
    s->SetLeft(s->Left() + 40);
    s->SetTop(s->Top() + 30);
    DrainEvents();
    m->Close();
    DrainEvents();
    ASSERT_FALSE(Window7::existing());
    Click(s, "BevelButton2");
    DrainEvents();
    Window7* fresh = Window7::existing();
    ASSERT_TRUE(fresh && fresh->Visible());
    docked(fresh);
}

TEST_F(MontageSetupTest, TheMontageStaysDockedAndComesBackAfterClosing) {
    w->poxc = Gradient(50, 40);
    Window10* s = Window10::instance();
    Window7* m = Window7::existing();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Left(), s->Left()) << "docked as it opens";
    EXPECT_EQ(m->Top(), s->Top() + s->Height() + 21);
    DrainEvents();
    ASSERT_TRUE(s->Visible());
    EXPECT_EQ(m->Left(), s->Left()) << "still docked where the setup came to lie when shown";
    EXPECT_EQ(m->Top(), s->Top() + s->Height() + 21);
    s->SetLeft(s->Left() + 35);
    s->SetTop(s->Top() + 12);
    DrainEvents();
    EXPECT_EQ(m->Left(), s->Left());
    EXPECT_EQ(m->Top(), s->Top() + s->Height() + 21);
    s->SetSize(316, 260);
    EXPECT_EQ(m->Top(), s->Top() + 260 + 21);

    m->Close();
    DrainEvents();
    ASSERT_FALSE(Window7::existing());
    EXPECT_TRUE(Window10::existing()) << "closing the montage leaves the setup";
    s->SetLeft(s->Left() + 5);
    DrainEvents();
    Window7* fresh = Window7::existing();
    ASSERT_TRUE(fresh) << "a move brings the montage back";
    EXPECT_TRUE(fresh->Visible());
    EXPECT_EQ(fresh->Left(), s->Left());
    EXPECT_EQ(fresh->Top(), s->Top() + s->Height() + 21);
    EXPECT_EQ(fresh->curSelect, 0);
    EXPECT_FALSE(fresh->Panel(1)->Backdrop()) << "a fresh montage has no pictures";
    Popup(s, 4)->SetListIndex(2);
    EXPECT_EQ(fresh->Panel(1)->Backdrop(), s->pic[1]) << "a popup change hands them over";
}

// A size the user gave the montage stays when the setup moves or is resized;
// where the room below the setup is too small it is shorter for the while,
// and a composition gives it its laid-out size again.
TEST_F(MontageSetupTest, TheMontageKeepsASizeTheUserGaveItWhenTheSetupMoves) {
    fake_->frame = QMargins(1, 20, 1, 5);
    fake_->availableArea = kUnderPanel;
    Window10* s = Open(Gradient(200, 200), 10, 20, 110, 120);  // 100 x 100 panels
    Window7* m = Window7::existing();
    ASSERT_TRUE(m && m->Visible());
    const QSize laidOut = m->Sheet();
    ASSERT_EQ(QSize(m->Width(), m->Height()), laidOut);
    const QSize user(250, 160);
    const int bar = m->size().height() - m->Height();
    test::DesktopResizes(m, user + QSize(0, bar));
    DrainEvents();
    ASSERT_EQ(QSize(m->Width(), m->Height()), user) << "the user's size taken up";

    const auto docked = [&] {
        EXPECT_EQ(m->Left(), s->Left());
        EXPECT_EQ(m->FrameRect().top(), s->FrameRect().bottom() + 1);
        EXPECT_TRUE(kUnderPanel.contains(m->FrameRect()));
    };
    s->SetLeft(s->Left() + 40);
    s->SetTop(s->Top() + 30);
    DrainEvents();
    EXPECT_EQ(QSize(m->Width(), m->Height()), user) << "kept when the setup moves";
    docked();
    s->SetSize(316, 240);
    DrainEvents();
    EXPECT_EQ(QSize(m->Width(), m->Height()), user) << "kept when the setup is resized";
    docked();

    // Moved down until only 100 pixels are left below: shorter, not lower.
    s->SetTop(s->Top() + kUnderPanel.bottom() - m->FrameRect().bottom() + user.height() - 100);
    DrainEvents();
    EXPECT_EQ(m->Width(), user.width());
    EXPECT_EQ(m->Height(), 100);
    EXPECT_EQ(m->FrameRect().bottom(), kUnderPanel.bottom());
    docked();
    s->SetTop(s->Top() - 200);
    DrainEvents();
    EXPECT_EQ(QSize(m->Width(), m->Height()), user) << "back once there is room again";
    docked();

    Click(s, "BevelButton2");  // Update
    DrainEvents();
    EXPECT_EQ(QSize(m->Width(), m->Height()), laidOut) << "a composition lays it out anew";
    docked();
}

// One crop pixel (200, 100, 50) through the window: the canvases show the
// setup's pictures themselves, and switching to the row does not compose.
TEST_F(MontageSetupTest, CompositionFollowsThePopupsAndTheLayout) {
    Window10* s = Open(Filled(1, 1, RGB(200, 100, 50)));
    Window7* m = Window7::existing();
    ASSERT_EQ(s->vidd, 1);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(m->Panel(k)->Backdrop(), s->pic[static_cast<size_t>(k)]);
    EXPECT_EQ(At(s->pic[1], 0, 0), RGB(100, 100, 100));
    EXPECT_EQ(At(s->pic[2], 0, 0), RGB(200, 200, 200));
    EXPECT_EQ(At(s->pic[3], 0, 0), RGB(50, 50, 50));
    EXPECT_EQ(At(s->pic[4], 0, 0), RGB(200, 100, 0));

    Click(s, "RadioButton2");
    EXPECT_EQ(At(s->pic[4], 0, 0), RGB(200, 100, 50));
    Click(s, "RadioButton1");
    EXPECT_EQ(At(s->pic[4], 0, 0), RGB(200, 100, 50)) << "the row keeps layer 3 until composing";
    Popup(s, 5)->SetListIndex(3);  // panel 2 "Phase"
    EXPECT_EQ(At(s->pic[4], 0, 0), RGB(200, 255, 200));
    Popup(s, 4)->SetListIndex(2);  // panel 1 "Color"
    EXPECT_EQ(At(s->pic[1], 0, 0), RGB(0, 100, 0));

    // Update reads the ROI afresh and keeps the choices.
    w->poxc = Filled(1, 1, RGB(10, 20, 30));
    const PicturePtr old = s->pic[1];
    Click(s, "BevelButton2");
    EXPECT_NE(s->pic[1], old);
    EXPECT_EQ(m->Panel(1)->Backdrop(), s->pic[1]);
    EXPECT_EQ(At(s->pic[1], 0, 0), RGB(0, 20, 0));
    EXPECT_EQ(At(s->pic[4], 0, 0), RGB(10, 30, 10));
}

TEST_F(MontageSetupTest, CopyAndSaveTheMontageAsOnePicture) {
    Window10* s = Open(Filled(30, 20, RGB(200, 100, 50)));
    Window7* m = Window7::existing();
    w->SetTitle(QStringLiteral("cells.tif"));
    TheMenuBar()->Update(s);
    EXPECT_TRUE(ItemEnabled(QStringLiteral("EditCopy")));
    EXPECT_TRUE(ItemEnabled(QStringLiteral("FileSaveAs")));
    EXPECT_TRUE(ItemEnabled(QStringLiteral("FileClose")));

    bool handled = false;
    s->HandleMenu(QStringLiteral("EditCopy"), &handled);
    ASSERT_TRUE(handled);
    const PicturePtr copy = fake_->clipboardPicture;
    ASSERT_TRUE(copy);
    EXPECT_EQ(QSize(copy->Width(), copy->Height()), QSize(m->Width(), m->Height()));
    EXPECT_EQ(At(copy, 10, 10), RGB(100, 100, 100));       // panel 1: green in grey
    EXPECT_EQ(At(copy, 30 + 20, 10), RGB(200, 200, 200));  // panel 2: red in grey
    EXPECT_EQ(At(copy, 2 * 30 + 30, 10), RGB(200, 100, 0));  // the merge
    EXPECT_EQ(At(copy, 5, 5), kWhite);
    EXPECT_TRUE(fake_->messages.isEmpty());

    // Save: the label goes on the clipboard first, then the save dialog.
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("montage.png"));
    fake_->picturePaths.push_back(path);
    Click(s, "BevelButton1");
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("Montage of cells.tif"));
    QImage written(path);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), copy->Image());

    fake_->clipboardText.clear();
    s->HandleMenu(QStringLiteral("FileSaveAs"), &handled);  // cancelled dialog
    EXPECT_EQ(fake_->pictureDialogs, 2);
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("Montage of cells.tif"));
    EXPECT_TRUE(fake_->messages.isEmpty());
}

TEST_F(MontageSetupTest, ClosingTheSetupLeavesTheMontage) {
    Window10* s = Open(Filled(30, 20, RGB(200, 100, 50)));
    Window7* m = Window7::existing();
    bool handled = false;
    EXPECT_FALSE(s->HandleMenu(QStringLiteral("FileClose"), &handled));
    DrainEvents();
    EXPECT_FALSE(Window10::existing());
    ASSERT_EQ(Window7::existing(), m);
    ASSERT_TRUE(m->Panel(1)->Backdrop());
    m->curSelect = 2;
    QTest::mousePress(m->Panel(1), Qt::LeftButton, {}, QPoint(15, 10));
    EXPECT_EQ(At(m->Panel(1)->Backdrop(), 8, 3), kBlack) << "markers still stamp";
    EXPECT_FALSE(m->HandleMenu(QStringLiteral("FileClose"), &handled));
}

}  // namespace
}  // namespace qv
