#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleOptionButton>
#include <QTest>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/longpass.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "support/fake_services.h"

namespace qv {
namespace {

TEST(CanvasTest, MouseDownDecidesWhetherDragAndUpFollow) {
    Canvas canvas;
    canvas.resize(50, 50);
    canvas.show();
    std::vector<std::string> seen;
    bool accept = false;
    canvas.MouseDown = [&](int x, int y) {
        seen.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return accept;
    };
    canvas.MouseDrag = [&](int x, int y) {
        seen.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
    };
    canvas.MouseUp = [&](int x, int y) {
        seen.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };

    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseMove(&canvas, QPoint(9, 9));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(9, 9));
    EXPECT_EQ(seen, (std::vector<std::string>{"down 5,6"}));

    seen.clear();
    accept = true;
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(5, 6));
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 14), canvas.mapToGlobal(QPointF(12, 14)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&canvas, &move);
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(12, 14));
    EXPECT_EQ(seen, (std::vector<std::string>{"down 5,6", "drag 12,14", "up 12,14"}));
}

TEST(CanvasTest, MovesWithoutAButtonAndEnteringReachTheirHandlers) {
    Canvas canvas;
    canvas.resize(50, 50);
    canvas.show();
    std::vector<std::string> seen;
    canvas.MouseDown = [&](int, int) {
        seen.push_back("down");
        return false;
    };
    canvas.MouseDrag = [&](int, int) { seen.push_back("drag"); };
    canvas.MouseMove = [&](int x, int y) {
        seen.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    };
    canvas.MouseEnter = [&] { seen.push_back("enter"); };
    auto move = [&](QPoint p, Qt::MouseButtons held) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), canvas.mapToGlobal(QPointF(p)), Qt::NoButton,
                      held, {});
        QCoreApplication::sendEvent(&canvas, &e);
    };
    QEnterEvent enter(QPointF(1, 2), QPointF(1, 2), canvas.mapToGlobal(QPointF(1, 2)));
    QCoreApplication::sendEvent(&canvas, &enter);
    move({3, 4}, Qt::NoButton);
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(5, 6));
    move({7, 8}, Qt::LeftButton);  // held after a refused press: neither a drag nor a move
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(7, 8));
    move({9, 10}, Qt::NoButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter", "move 3,4", "down", "move 9,10"}));

    QImage shape(16, 16, QImage::Format_ARGB32);
    shape.fill(Qt::red);
    canvas.SetMouseCursor(QCursor(QPixmap::fromImage(shape), 7, 7));
    EXPECT_EQ(canvas.cursor().hotSpot(), QPoint(7, 7));
    EXPECT_EQ(canvas.cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32), shape);
}

TEST(CanvasTest, SurfaceDrawingLastsUntilRefreshShowsTheBackdropAgain) {
    Canvas canvas;
    canvas.resize(4, 4);
    PicturePtr backdrop = NewPicture(2, 2);
    backdrop->Graphics().ForeColor = RGB(0, 0, 200);
    backdrop->Graphics().FillRect(0, 0, 2, 2);
    canvas.SetBackdrop(backdrop);
    EXPECT_EQ(canvas.Surface()->RGBSurface()->Pixel(1, 1), 0x0000C8u);
    EXPECT_EQ(canvas.Surface()->RGBSurface()->Pixel(3, 3), 0xFFFFFFu);

    canvas.Graphics().ClearRect(0, 0, 4, 4);
    EXPECT_EQ(canvas.Surface()->RGBSurface()->Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(canvas.Backdrop()->RGBSurface()->Pixel(1, 1), 0x0000C8u) << "backdrop kept";

    int paints = 0;
    canvas.Paint = [&](Graphics& g) {
        ++paints;
        g.ForeColor = 0;
        g.FillRect(3, 3, 1, 1);
    };
    canvas.Refresh();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(canvas.Surface()->RGBSurface()->Pixel(1, 1), 0x0000C8u);
    EXPECT_EQ(canvas.Surface()->RGBSurface()->Pixel(3, 3), 0u);
}

TEST(SliderTest, NewValuesFireAndTheMaximumIsSetQuietly) {
    Slider slider;
    slider.setMinimum(1);
    slider.setMaximum(100);
    int fired = 0;
    slider.ValueChanged = [&] { ++fired; };
    slider.SetValue(7);
    slider.SetValue(7);
    EXPECT_EQ(fired, 1) << "the value it already has fires nothing";
    slider.SetMaximum(3);
    EXPECT_EQ(slider.Maximum(), 3);
    EXPECT_EQ(slider.Value(), 3);
    EXPECT_EQ(fired, 1) << "brought down to the new maximum without an event";
    slider.SetValue(2);
    EXPECT_EQ(fired, 2);
}

TEST(TimerTest, ModesOffSingleAndRepeating) {
    Timer t;
    int fired = 0;
    t.Action = [&] { ++fired; };
    t.SetPeriod(5);
    t.SetMode(1);
    QTest::qWait(60);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(t.Mode(), 0) << "a single countdown switches itself off";

    fired = 0;
    t.SetMode(2);
    QTest::qWait(80);
    t.SetMode(0);
    const int after = fired;
    EXPECT_GE(after, 2);
    QTest::qWait(30);
    EXPECT_EQ(fired, after);
    t.Fire();  // off: nothing
    EXPECT_EQ(fired, after);
}

class KeyCatcher : public QWidget {
public:
    QStringList keys;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Control || e->key() == Qt::Key_Shift) return;
        keys << QKeySequence(e->key() | e->modifiers()).toString();
    }
};

TEST(CancelKeyTest, CtrlPeriodAlwaysEscapeOnlyDuringALongPass) {
    InstallCancelWatch();
    KeyCatcher w;
    w.show();

    // Escape outside a pass is an ordinary key.
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(w.keys.size(), 1);
    {
        LongPass pass;
        EXPECT_FALSE(UserCancelled());
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_TRUE(UserCancelled());
        EXPECT_EQ(w.keys.size(), 1) << "Escape during a pass is swallowed";
    }
    {
        LongPass pass;
        EXPECT_FALSE(UserCancelled()) << "each pass starts uncancelled";
        QTest::keyClick(&w, Qt::Key_Period, Qt::ControlModifier);
        EXPECT_TRUE(UserCancelled());
        // other keys and clicks wait until the pass is over
        QTest::keyClick(&w, Qt::Key_A);
        EXPECT_EQ(w.keys.size(), 1);
    }
    QTest::keyClick(&w, Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(w.keys.size(), 1) << "Ctrl+. is the cancel key, not an ordinary key: " << w.keys.join(" ").toStdString();
}

class PlainWindow : public Window, public SingleInstance<PlainWindow> {
public:
    PlainWindow() {
        SetTitle(QStringLiteral("Plain"));
        SetSize(120, 80);
    }
    void Event_Open() override { ++opens; }
    int opens = 0;
};

TEST(WindowInstanceTest, CreatedOnFirstUseAndAfreshAfterClose) {
    test::ScopedFakeServices fake;
    EXPECT_EQ(PlainWindow::existing(), nullptr);
    PlainWindow* first = PlainWindow::instance();
    EXPECT_EQ(first->opens, 1);
    EXPECT_EQ(PlainWindow::instance(), first);
    EXPECT_EQ(first->Width(), 120);
    EXPECT_EQ(first->Height(), 80);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(WindowAt(0)->Title(), QStringLiteral("Plain"));

    test::DrainEvents();
    EXPECT_TRUE(first->isVisible()) << "a declared-visible window is shown by the event loop";
    first->SetLeft(30);
    first->SetTop(40);
    EXPECT_EQ(first->Left(), 30);
    EXPECT_EQ(first->Top(), 40);

    QPointer<PlainWindow> old(first);
    first->Close();
    EXPECT_EQ(PlainWindow::existing(), nullptr);
    EXPECT_EQ(WindowCount(), 0);
    PlainWindow* second = PlainWindow::instance();
    EXPECT_NE(second, old.data());
    EXPECT_EQ(second->opens, 1);
    test::DrainEvents();
    EXPECT_TRUE(old.isNull()) << "the closed window is deleted once control is back in the loop";
    second->Close();
    test::DrainEvents();
}

// A window that counts its moves and size changes.
class WatchedWindow : public Window, public SingleInstance<WatchedWindow> {
public:
    WatchedWindow() {
        SetTitle(QStringLiteral("Watched"));
        SetSize(120, 80);
        SetResizeable(true);
    }
    void Event_Moved() override { ++moves; }
    void Event_Resized() override { ++resizes; }
    int moves = 0;
    int resizes = 0;
};

TEST(WindowEventsTest, MovedOnceShownResizedOnceOpen) {
    test::ScopedFakeServices fake;
    WatchedWindow* w = WatchedWindow::instance();
    w->SetLeft(20);
    w->SetSize(130, 90);
    EXPECT_EQ(w->moves, 0) << "not yet shown";
    EXPECT_EQ(w->resizes, 1);
    w->SetSize(130, 90);
    EXPECT_EQ(w->resizes, 1) << "the same size is no change";
    test::DrainEvents();  // shown (the platform may place it a little apart)
    const int shown = w->moves;
    w->SetLeft(60);
    test::DrainEvents();
    EXPECT_EQ(w->moves, shown + 1);
    EXPECT_EQ(w->Left(), 60);
    w->SetTop(70);
    test::DrainEvents();
    EXPECT_EQ(w->moves, shown + 2);
    w->SetTop(70);
    test::DrainEvents();
    EXPECT_EQ(w->moves, shown + 2) << "the same place is no move";
    w->Close();
    test::DrainEvents();
}

TEST(WindowEventsTest, DrawIntoShowsCanvasPicturesWithoutWhatWasDrawnOnThem) {
    test::ScopedFakeServices fake;
    WatchedWindow* w = WatchedWindow::instance();
    test::DrainEvents();
    auto* shown = new Canvas(w->Content());
    auto* hidden = new Canvas(w->Content());
    SetControlBounds(shown, 10, 20, 4, 4);
    SetControlBounds(hidden, 30, 20, 4, 4);
    shown->show();
    hidden->hide();
    PicturePtr blue = NewPicture(4, 4);
    blue->Graphics().ForeColor = RGB(0, 0, 200);
    blue->Graphics().FillRect(0, 0, 4, 4);
    shown->SetBackdrop(blue);
    hidden->SetBackdrop(blue);
    shown->Graphics().ForeColor = RGB(255, 0, 0);
    shown->Graphics().FillRect(0, 0, 2, 2);  // on the screen only

    PicturePtr p = NewPicture(w->Width(), w->Height());
    w->DrawInto(p->Graphics(), 0, 0);
    EXPECT_EQ(p->RGBSurface()->Pixel(10, 20), RGB(0, 0, 200));
    EXPECT_EQ(p->RGBSurface()->Pixel(13, 23), RGB(0, 0, 200));
    EXPECT_EQ(p->RGBSurface()->Pixel(14, 20), kWhite);
    EXPECT_EQ(p->RGBSurface()->Pixel(30, 20), kWhite) << "a hidden canvas is not drawn";
    EXPECT_EQ(blue->RGBSurface()->Pixel(0, 0), RGB(0, 0, 200));
    w->Close();
    test::DrainEvents();
}

// ---- fitted texts ----------------------------------------------------------------

QFont PixelFont(int size) {
    QFont f = QApplication::font();
    f.setPixelSize(size);
    return f;
}

int PixelSize(const QFont& f) {
    return QFontInfo(f).pixelSize();
}

TEST(FittedTextTest, TheSmallestSizeTriedIsTheSmallestTextSize) {
    int tried = 0;
    const QFont f = FittedFont(PixelFont(12), [&](const QFont& font) {
        ++tried;
        return PixelSize(font) <= kSmallestTextSize;
    });
    EXPECT_EQ(PixelSize(f), kSmallestTextSize);
    EXPECT_EQ(tried, 12 - kSmallestTextSize + 1);
}

// A label shows each text whole in its rectangle at the largest size that fits;
// a break at the end of the text is no line of its own; a text too long even at
// the smallest size grows the label, which takes its own size back for the next.
TEST(FittedTextTest, ALabelShowsEveryTextWhole) {
    struct Case {
        const char* text;
        int width, height;
        bool multiline;
        int size;  // the pixel size shown, 0 for any smaller than the declared 12
        bool grows;
    };
    const Case cases[] = {
        {"There is a newer version of Quorvane available. \r", 321, 22, true, 12, false},
        {"There is a newer version of Quorvane available. \r\r", 321, 22, false, 12, false},
        {"1.\rDrop image here", 80, 82, true, 12, false},
        {"Revert to original", 80, 20, false, 0, false},
        {"Processing 768x512px, 3 channels", 30, 20, false, kSmallestTextSize, true},
        {"Quad setting\rNow specify Quadrant\rcross-point", 90, 10, true, kSmallestTextSize, true},
    };
    QWidget parent;
    for (const Case& c : cases) {
        auto* label = new StaticText(&parent);
        label->setFont(PixelFont(12));
        label->setWordWrap(c.multiline);
        label->setGeometry(20, 30, c.width, c.height);
        label->SetText(QString::fromLatin1(c.text));
        const std::string name = QByteArray(c.text).replace('\r', '|').toStdString();
        if (c.size > 0) {
            EXPECT_EQ(PixelSize(label->font()), c.size) << name;
        } else {
            EXPECT_LT(PixelSize(label->font()), 12) << name;
        }
        EXPECT_TRUE(TextFits(label->font(), label->TextRect(), label->TextFlags(), label->text()))
            << name;
        EXPECT_EQ(label->pos(), QPoint(20, 30)) << name;
        EXPECT_EQ(label->size() != QSize(c.width, c.height), c.grows) << name;
        label->SetText(QStringLiteral("x"));
        EXPECT_EQ(label->size(), QSize(c.width, c.height)) << name << ": its own size again";
        EXPECT_TRUE(TextFits(label->font(), label->TextRect(), label->TextFlags(), label->text()));
    }
}

// A push button's caption lies inside its bevel: shrunk to fit, and the button
// grows (from its left edge) only when even the smallest size does not fit.
TEST(FittedTextTest, APushButtonShowsItsCaptionWhole) {
    QWidget parent;
    for (int width : {120, 60, 12}) {
        auto* button = new PushButton(&parent);
        button->setFont(PixelFont(12));
        button->setGeometry(10, 10, width, 20);
        button->SetCaption(QStringLiteral("Revert to original"));
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect inside =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), inside.width()) << width;
        EXPECT_EQ(button->x(), 10);
        if (width == 120) {
            EXPECT_EQ(PixelSize(button->font()), 12);
        } else if (width == 60) {
            EXPECT_EQ(button->width(), 60);
        } else {
            EXPECT_EQ(PixelSize(button->font()), kSmallestTextSize);
            EXPECT_GT(button->width(), 12);
        }
    }
}

TEST(FittedTextTest, TabNamesShrinkToFitTheirPanel) {
    TabPanel panel;
    panel.resize(400, 100);
    panel.show();
    panel.SetPages(
        {QStringLiteral("Fluorogram"), QStringLiteral("Background"), QStringLiteral("Histogram")});
    panel.SetTabFont(PixelFont(12));
    EXPECT_EQ(PixelSize(panel.Tabs()->font()), 12);
    panel.resize(220, 100);
    EXPECT_LT(PixelSize(panel.Tabs()->font()), 12);
    EXPECT_LE(panel.Tabs()->sizeHint().width(), 220 - 12);
}

// A group box reaching past its window's left edge keeps its place but moves
// its caption in, so that it starts inside the window; a narrow box shrinks it.
TEST(FittedTextTest, AGroupBoxCaptionStandsInsideTheWindow) {
    QWidget window;
    window.resize(300, 200);
    auto* box = new GroupBox(&window);
    box->setTitle(QStringLiteral("Advanced"));
    box->setFont(PixelFont(12));
    box->setGeometry(-8, 50, 187, 99);
    const QRect caption = box->CaptionRect();
    EXPECT_EQ(box->x(), -8);
    EXPECT_GE(box->mapTo(&window, caption.topLeft()).x(), 0);
    EXPECT_EQ(PixelSize(box->CaptionFont()), 12);
    box->setGeometry(10, 50, 40, 99);
    EXPECT_LT(PixelSize(box->CaptionFont()), 12);
    EXPECT_LE(box->CaptionRect().right(), 40);
}

// Labels laid out side by side with overlapping rectangles show their texts in
// the parts the other leaves free, two pixels apart at least.
TEST(FittedTextTest, LabelsSideBySideKeepTheirTextsApart) {
    QWidget window;
    auto* row = new StaticText(&window);
    auto* count = new StaticText(&window);
    row->setGeometry(182, 69, 40, 20);
    count->setGeometry(219, 69, 50, 20);
    count->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    row->SetText(QStringLiteral("Green"));
    count->SetText(QStringLiteral("459004"));
    KeepTextsApart({row, count});
    EXPECT_EQ(row->geometry(), QRect(182, 69, 40, 20));
    EXPECT_EQ(count->x(), 219);
    const int rowEnds = row->x() + row->TextRect().right();
    const int countStarts = count->x() + count->TextRect().left();
    EXPECT_GE(countStarts - rowEnds, 3);
    EXPECT_TRUE(TextFits(row->font(), row->TextRect(), row->TextFlags(), row->text()));
}

}  // namespace
}  // namespace qv
