// Every text a window shows (labels, buttons, group-box captions, tab names)
// is shown whole, at its control's own place and size: no word cut at its
// edge, no line lost below it, no glyph touching another control's text.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <algorithm>
#include <functional>
#include <vector>

#include "app/about_window.h"
#include "app/splash.h"
#include "app/update_alert.h"
#include "app/addresses.h"
#include "app/application_object.h"
#include "biorad/biorad_import.h"
#include "montage/montage_setup.h"
#include "montage/montage_window.h"
#include "platform/controls.h"
#include "support/workspace_fixture.h"
#include "tools/area_analyzer.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

// The pixels of a picture that differ from its first pixel, the background.
int InkPixels(const QImage& img) {
    const int background = qGray(img.pixel(0, 0));
    int ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ink += std::abs(qGray(img.pixel(x, y)) - background) > 40;
    return ink;
}

// Whether a label shows all of its text: it holds as much ink as the same text
// in the same font and colour laid out with room to spare below it, and to
// both sides when it does not wrap (as much on each side, so that the glyphs
// fall on the same pixels).
bool ShowsWhole(StaticText* t) {
    QLabel roomy;
    roomy.setText(t->text());
    roomy.setFont(t->font());
    roomy.setPalette(t->palette());
    roomy.setAlignment(t->alignment());
    roomy.setWordWrap(t->wordWrap());
    roomy.setMargin(t->margin());
    roomy.setContentsMargins(t->contentsMargins());
    roomy.resize(t->wordWrap() ? t->width() : t->width() + 2000, 2000);
    return InkPixels(t->grab().toImage()) == InkPixels(roomy.grab().toImage());
}

// The pixels where one text shows: those that change when only that text's
// colour changes from red to blue.
struct Ink {
    std::vector<QPoint> pixels;
    QRect bounds;
};

using Recolour = std::function<void(const QColor&)>;

// In the part `area` of the widget `picture`; pixels in the widget's coordinates.
Ink InkOf(QWidget* picture, const Recolour& recolour, QRect area = QRect()) {
    area = area.isNull() ? picture->rect() : area & picture->rect();
    recolour(Qt::red);
    const QImage red = picture->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    recolour(Qt::blue);
    const QImage blue = picture->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    recolour(QColor());
    Ink ink;
    for (int y = 0; y < red.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(red.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(blue.constScanLine(y));
        for (int x = 0; x < red.width(); ++x)
            if (std::abs(qRed(a[x]) - qRed(b[x])) + std::abs(qBlue(a[x]) - qBlue(b[x])) > 120) {
                ink.pixels.push_back(area.topLeft() + QPoint(x, y));
                ink.bounds |= QRect(ink.pixels.back(), QSize(1, 1));
            }
    }
    return ink;
}

// Gives a control's text a colour, or its own colours back for an invalid one.
Recolour TextColour(QWidget* control) {
    const QPalette own = control->palette();
    return [control, own](const QColor& c) {
        if (!c.isValid()) {
            control->setPalette(own);
            return;
        }
        QPalette p = own;
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                p.setColor(group, role, c);
        control->setPalette(p);
    };
}

Recolour TabColour(QTabBar* tabs, int index) {
    const QColor own = tabs->tabTextColor(index);
    return [tabs, index, own](const QColor& c) {
        tabs->setTabTextColor(index, c.isValid() ? c : own);
    };
}

// One text a window shows, and the amount of ink the same text makes with
// room to spare (as much more on each side, so the glyphs fall on the same
// pixels).
struct ShownText {
    std::string name;
    QWidget* control;
    Recolour recolour;
    std::function<int()> wholeInk;
};

// Room to spare around a text: an even number of pixels more than it needs.
QSize Room(const QFontMetrics& fm, const QString& text) {
    return QSize(2 * fm.horizontalAdvance(text) + 100, 2 * fm.height() + 100);
}

template <class T>
int RoomyButtonInk(QAbstractButton* b) {
    T roomy;
    roomy.setText(b->text());
    roomy.setFont(b->font());
    roomy.setStyleSheet(b->styleSheet());
    roomy.setEnabled(b->isEnabled());
    roomy.setCheckable(b->isCheckable());
    roomy.setChecked(b->isChecked());
    if (auto* push = qobject_cast<QPushButton*>(b)) {
        auto* p = qobject_cast<QPushButton*>(&roomy);
        p->setDefault(push->isDefault());
        p->setAutoDefault(push->autoDefault());
    }
    roomy.resize(b->size() + Room(b->fontMetrics(), b->text()));
    return static_cast<int>(InkOf(&roomy, TextColour(&roomy)).pixels.size());
}

// Every text of a window's controls that shows now.
std::vector<ShownText> ShownTexts(Window* window) {
    std::vector<ShownText> texts;
    const auto shows = [window](QWidget* c) { return c->isVisibleTo(window); };
    const auto name = [window](QObject* c, const QString& text) {
        return window->Title().toStdString() + " " + c->objectName().toStdString() + " \"" +
               text.toStdString() + "\"";
    };
    for (StaticText* t : window->findChildren<StaticText*>()) {
        if (!shows(t) || t->text().trimmed().isEmpty()) continue;
        texts.push_back({name(t, t->text()), t, TextColour(t), [] { return -1; }});
    }
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!shows(b) || b->text().trimmed().isEmpty() || b->objectName().isEmpty()) continue;
        std::function<int()> whole = [b] { return RoomyButtonInk<QPushButton>(b); };
        if (qobject_cast<QCheckBox*>(b)) whole = [b] { return RoomyButtonInk<QCheckBox>(b); };
        if (qobject_cast<QRadioButton*>(b)) whole = [b] { return RoomyButtonInk<QRadioButton>(b); };
        texts.push_back({name(b, b->text()), b, TextColour(b), whole});
    }
    for (GroupBox* g : window->findChildren<GroupBox*>()) {
        if (!shows(g) || g->Caption().isEmpty()) continue;
        texts.push_back(
            {name(g, g->Caption()), g, TextColour(g), [g] {
                 GroupBox roomy;
                 roomy.setTitle(g->Caption());
                 roomy.setFont(g->CaptionFont());
                 roomy.resize(g->size() + Room(QFontMetrics(g->CaptionFont()), g->Caption()));
                 return static_cast<int>(InkOf(&roomy, TextColour(&roomy)).pixels.size());
             }});
    }
    for (TabPanel* panel : window->findChildren<TabPanel*>()) {
        if (!shows(panel)) continue;
        QTabBar* tabs = panel->Tabs();
        for (int i = 0; i < tabs->count(); ++i)
            texts.push_back({name(panel, tabs->tabText(i)), tabs, TabColour(tabs, i), [tabs, i] {
                                 QTabBar roomy;
                                 roomy.setDrawBase(false);
                                 roomy.setExpanding(false);
                                 roomy.setFont(tabs->font());
                                 for (int t = 0; t < tabs->count(); ++t)
                                     roomy.addTab(tabs->tabText(t));
                                 roomy.setCurrentIndex(tabs->currentIndex());
                                 roomy.resize(tabs->width() + 200, tabs->height());
                                 return static_cast<int>(
                                     InkOf(&roomy, TabColour(&roomy, i)).pixels.size());
                             }});
    }
    return texts;
}

// Whether two texts' ink comes within `gap` pixels of each other.
bool Near(const Ink& a, const Ink& b, int gap) {
    const QRect around = a.bounds.adjusted(-gap, -gap, gap, gap);
    if (!around.intersects(b.bounds)) return false;
    std::vector<bool> near(static_cast<size_t>(around.width() * around.height()));
    for (const QPoint& p : a.pixels)
        for (int y = p.y() - gap; y <= p.y() + gap; ++y)
            for (int x = p.x() - gap; x <= p.x() + gap; ++x)
                near[static_cast<size_t>((y - around.top()) * around.width() + x - around.left())] =
                    true;
    return std::any_of(b.pixels.begin(), b.pixels.end(), [&](const QPoint& q) {
        return around.contains(q) &&
               near[static_cast<size_t>((q.y() - around.top()) * around.width() + q.x() -
                                        around.left())];
    });
}

class TextsShownWholeTest : public test::WorkspaceTest {
protected:
    void SetUp() override {
        test::WorkspaceTest::SetUp();
        SetUpdateServer(QStringLiteral("http://127.0.0.1:1"));  // nothing listens there
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        SetUpdateServer(QString());
        test::WorkspaceTest::TearDown();
    }
    // Checks every text of every open window.
    void CheckAllWindows(const std::string& moment) {
        DrainEvents();
        for (int i = 0; i < WindowCount(); ++i) {
            Window* window = WindowAt(i);
            for (StaticText* t : window->findChildren<StaticText*>()) {
                if (!t->isVisibleTo(window) || t->text().trimmed().isEmpty()) continue;
                EXPECT_TRUE(ShowsWhole(t)) << moment << ": " << window->Title().toStdString() << " "
                                           << t->objectName().toStdString() << " \""
                                           << t->text().toStdString() << "\" in " << t->width()
                                           << " x " << t->height();
            }
            CheckTextsInWindow(window, moment);
            CheckIndicatorsUncovered(window, moment);
        }
    }
    // The ink each text leaves in the window's picture is all of its ink with
    // room to spare (nothing cut by the control's edge, the window's edge or a
    // control drawn over it), and no two texts come within four pixels, about
    // a blank's width, so that they read apart.
    static void CheckTextsInWindow(Window* window, const std::string& moment) {
        const std::vector<ShownText> texts = ShownTexts(window);
        std::vector<Ink> inks;
        for (const ShownText& t : texts) {
            // the control's place in the window, and a little beyond for a grown one
            const QRect place(t.control->mapTo(window->Content(), QPoint(0, 0)), t.control->size());
            inks.push_back(InkOf(window->Content(), t.recolour, place.adjusted(-4, -4, 4, 4)));
            const int whole = t.wholeInk();
            if (whole >= 0) {
                EXPECT_EQ(static_cast<int>(inks.back().pixels.size()), whole)
                    << moment << ": " << t.name;
            }
        }
        for (size_t i = 0; i < texts.size(); ++i)
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(Near(inks[i], inks[j], 4))
                    << moment << ": " << texts[i].name << " touches " << texts[j].name;
    }
    // Whatever a check box or radio button draws of itself (its indicator
    // above all, outline and inside) shows in the window: no frame or edge
    // drawn over it.
    static void CheckIndicatorsUncovered(Window* window, const std::string& moment) {
        const QImage shown = window->Content()->grab().toImage();
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(window) ||
                (!qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b)))
                continue;
            const QImage own = b->grab().toImage();
            const QPoint at = b->mapTo(window->Content(), QPoint(0, 0));
            const int background = qGray(own.pixel(0, 0));
            int covered = 0;
            for (int y = 0; y < own.height(); ++y)
                for (int x = 0; x < own.width(); ++x) {
                    if (std::abs(qGray(own.pixel(x, y)) - background) <= 8) continue;
                    const QPoint p = at + QPoint(x, y);
                    covered += !shown.rect().contains(p) ||
                               std::abs(qGray(shown.pixel(p)) - qGray(own.pixel(x, y))) > 12;
                }
            EXPECT_EQ(covered, 0) << moment << ": " << window->Title().toStdString() << " "
                                  << b->objectName().toStdString() << " \""
                                  << b->text().toStdString() << "\"";
        }
    }
    // Checks one label with each of the texts the program puts into it; a text
    // that is not a number keeps the label's size.
    void CheckTexts(StaticText* t, const QStringList& texts) {
        const QSize size = t->size();
        for (const QString& text : texts) {
            t->SetText(text);
            EXPECT_TRUE(ShowsWhole(t)) << t->objectName().toStdString() << " \""
                                       << text.toStdString() << "\"";
            EXPECT_EQ(t->size(), size) << text.toStdString();
        }
    }
};

TEST_F(TextsShownWholeTest, EveryWindowShowsItsTextsWholeAndApart) {
    w->import(test::Gradient(256));
    w->PushButton1->click();  // Select all: a crop for the tool windows
    CheckAllWindows("workspace");
    for (int row : {0, 1, 2}) {  // the axis labels of each channel pair
        w->colorModemenu->SetListIndex(row);
        CheckAllWindows("pair " + std::to_string(row));
    }
    for (int page : {1, 2, 0}) {
        w->TabPanel1->SetValue(page);
        CheckAllWindows("page " + std::to_string(page));
    }
    w->_ToolsAnalyzeROI_Action();
    Window2::instance()->Show();
    Window6::instance()->Show();
    Window9::instance()->Show();
    Window4::instance()->Show();
    Window10::instance()->Show();
    Window3::instance()->Show();
    alertDownloadWin::instance()->Show();
    App()->Event_Open();  // the splash
    CheckAllWindows("all windows");
    // the ROI analysis' counts of a large ROI, six and seven digits beside their row labels
    Window11* roi = Window11::existing();
    ASSERT_TRUE(roi);
    for (StaticText* count :
         {roi->StaticText7, roi->StaticText8, roi->StaticText9, roi->StaticText10})
        count->SetText(QStringLiteral("459004"));
    CheckAllWindows("six-digit counts");
    for (StaticText* count :
         {roi->StaticText7, roi->StaticText8, roi->StaticText9, roi->StaticText10,
          roi->StaticText11, roi->StaticText12, roi->StaticText13, roi->StaticText14})
        count->SetText(QStringLiteral("1046529"));
    CheckAllWindows("seven-digit counts");
    // the import window's menus, their first rows chosen: long captions in short buttons
    Window4* import = Window4::instance();
    import->CheckBox1->SetValue(true);
    import->BevelButton1->ChooseRow(0);
    import->BevelButton2->ChooseRow(0);
    CheckAllWindows("menu captions");
    // check boxes and radio buttons: indicator and caption within the button
    for (int i = 0; i < WindowCount(); ++i)
        for (QAbstractButton* b : WindowAt(i)->findChildren<QAbstractButton*>()) {
            if (!qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b)) continue;
            if (b->text().isEmpty()) continue;
            EXPECT_LE(b->sizeHint().width(), b->width())
                << WindowAt(i)->Title().toStdString() << " " << b->objectName().toStdString()
                << " \"" << b->text().toStdString() << "\"";
        }
}

// The update alert's heading ends in a line break, which starts no line of its
// own: the heading keeps its declared size.
TEST_F(TextsShownWholeTest, TheUpdateAlertsHeadingKeepsItsSize) {
    alertDownloadWin* alert = alertDownloadWin::instance();
    alert->Show();
    DrainEvents();
    EXPECT_EQ(QFontInfo(alert->StaticText1->font()).pixelSize(), 12);
    EXPECT_EQ(alert->StaticText1->size(), QSize(321, 22));
    EXPECT_TRUE(ShowsWhole(alert->StaticText1));
}

TEST_F(TextsShownWholeTest, TheStatusLineShowsEachOfItsSentencesWhole) {
    CheckTexts(w->StaticText3,
               {QStringLiteral("1.\rDrop image here"),
                QStringLiteral("Draw a ROI or choose Background handling"),
                QStringLiteral("When ready, drop new image here"),
                QStringLiteral("Merging...\rUse Escape to cancel"),
                QStringLiteral("Select a color channel to analyze"),
                QStringLiteral("Preparing to convert Biorad file.\rPlease wait..."),
                QStringLiteral("Biorad file import"),
                QStringLiteral("Select a color channel or choose All (R+G+B)"),
                QStringLiteral("New Backgound\rTest with Undo/Redo.\ror choose\rFluorogram to confirm."),
                QStringLiteral("Undo, revert, or continue"),
                QStringLiteral("Preparing\rQuad settings..."),
                QStringLiteral("Quad setting\rNow specify Quadrant\rcross-point"),
                QStringLiteral("Draw a Section or Quadrant"), QStringLiteral("Select 2-color mode"),
                QStringLiteral("Select color mode")});
}

TEST_F(TextsShownWholeTest, TheImportWindowShowsItsStatusWhole) {
    Window4* import = Window4::instance();
    import->Show();
    for (StaticText* t : import->findChildren<StaticText*>()) {
        if (t->objectName() != QLatin1String("StaticText2")) continue;
        CheckTexts(t, {QStringLiteral("Processing 1024x1024px, 3 channels"),
                       QStringLiteral("1024x1024 3 channels, processing phase..."),
                       QStringLiteral("1024x1024 , merging..."),
                       QStringLiteral("Change channel order or click Done")});
    }
}

TEST_F(TextsShownWholeTest, ALabelFitsItsSentenceAndANumberGrowsItsLabel) {
    StaticText* green = nullptr;
    w->_ToolsAnalyzeROI_Action();
    Window11* r = Window11::existing();
    ASSERT_TRUE(r);
    green = r->findChild<StaticText*>(QStringLiteral("StaticText4"));
    ASSERT_TRUE(green);
    EXPECT_EQ(green->size(), QSize(40, 20)) << "the label keeps its size";
    EXPECT_TRUE(ShowsWhole(green));
    EXPECT_LE(QFontInfo(green->font()).pixelSize(), QFontInfo(green->DeclaredFont()).pixelSize());
    EXPECT_TRUE(green->font().bold());

    // a number keeps its font and widens the label instead
    StaticText* count = r->StaticText7;
    count->SetText(QStringLiteral("1048576"));
    EXPECT_EQ(count->font(), count->DeclaredFont());
    EXPECT_GT(count->width(), 50);
    EXPECT_TRUE(ShowsWhole(count));
    // a short sentence goes back to the declared size
    green->SetText(QStringLiteral("G"));
    EXPECT_EQ(green->font(), green->DeclaredFont());
}

}  // namespace
}  // namespace qv
