// Every text a window shows in a label is shown whole, at the label's own
// place and size: no word cut at its edge, no line lost below it.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

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
    roomy.resize(t->wordWrap() ? t->width() : t->width() + 2000, 2000);
    return InkPixels(t->grab().toImage()) == InkPixels(roomy.grab().toImage());
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
    // Checks every label of every open window.
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

TEST_F(TextsShownWholeTest, EveryWindowShowsItsLabelsWhole) {
    w->import(test::Gradient(256));
    w->PushButton1->click();  // Select all: a crop for the tool windows
    CheckAllWindows("workspace");
    for (int row : {0, 1, 2}) {  // the axis labels of each channel pair
        w->colorModemenu->SetListIndex(row);
        CheckAllWindows("pair " + std::to_string(row));
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
