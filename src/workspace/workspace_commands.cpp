// Workspace commands and menu handling.
#include <QUrl>

#include "app/addresses.h"
#include "app/about_window.h"
#include "biorad/biorad_import.h"
#include "montage/montage_setup.h"
#include "platform/menus.h"
#include "platform/services.h"
#include "platform/core/text.h"
#include "tools/roi_analysis.h"
#include "tools/area_analyzer.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {
const char* const kAdvancedMenu =
    "Rectangle,Oval,Polygon,Sep,Sections,Quadrants,Sep,Background handling,Sep,Quad "
    "Calculator,Coefficients,Area,Sep,Histogram";
}  // namespace

void Window1::AddMenuHandlers() {
    AddMenuHandler(QStringLiteral("FileOpen"), [this] { return _FileOpen_Action(); });
    AddMenuHandler(QStringLiteral("AppleAboutQuorvane"),
                   [this] { return _AppleAboutQuorvane_Action(); });
    AddMenuHandler(QStringLiteral("FileImportBioradPIC"),
                   [this] { return _FileImportBioradPIC_Action(); });
    AddMenuHandler(QStringLiteral("FileSaveAs"), [this] { return _FileSaveAs_Action(); });
    AddMenuHandler(QStringLiteral("FileNewwindow"), [this] { return _FileNewwindow_Action(); });
    AddMenuHandler(QStringLiteral("FormatLoadquadrant"),
                   [this] { return _FormatLoadquadrant_Action(); });
    AddMenuHandler(QStringLiteral("FormatSavequadrants"),
                   [this] { return _FormatSavequadrants_Action(); });
    AddMenuHandler(QStringLiteral("FormatPreviousframe"),
                   [this] { return _FormatPreviousframe_Action(); });
    AddMenuHandler(QStringLiteral("FormatNextframe"), [this] { return _FormatNextframe_Action(); });
    AddMenuHandler(QStringLiteral("FileExportROI"), [this] { return _FileExportROI_Action(); });
    AddMenuHandler(QStringLiteral("ToolsMontage"), [this] { return _ToolsMontage_Action(); });
    AddMenuHandler(QStringLiteral("ToolsAreas"), [this] { return _ToolsAreas_Action(); });
    AddMenuHandler(QStringLiteral("ToolsOpendemoimage"),
                   [this] { return _ToolsOpendemoimage_Action(); });
    AddMenuHandler(QStringLiteral("HelpOnlinehelp"), [this] { return _HelpOnlinehelp_Action(); });
    AddMenuHandler(QStringLiteral("ToolsAnalyzeROI"), [this] { return _ToolsAnalyzeROI_Action(); });
}

void Window1::Event_EnableMenuItems() {
    for (const char* item : {"FileOpen", "FileQuit", "AppleAboutQuorvane", "FileImportBioradPIC",
                             "FileExportROI", "FileSaveAs", "FormatLoadquadrant",
                             "FormatSavequadrants", "FormatNextframe", "FormatPreviousframe",
                             "ToolsMontage", "ToolsAreas", "ToolsOpendemoimage", "HelpOnlinehelp",
                             "ToolsAnalyzeROI"})
        EnableItem(QString::fromUtf8(item));
}

bool Window1::_AppleAboutQuorvane_Action() {
    Window3::instance()->Show();
    return false;
}

bool Window1::_FileImportBioradPIC_Action() {
    Window4::instance()->Show();
    return false;
}

bool Window1::_FileSaveAs_Action() {
    savescreen();
    return true;
}

bool Window1::_FileNewwindow_Action() {
    Close();
    Window1::instance()->Show();
    return false;
}

bool Window1::_ToolsMontage_Action() {
    Window10::instance()->Show();
    return false;
}

void Window1::PlaceAreaAnalyzer() {
    Window1* w = Window1::instance();
    Window9* analyzer = Window9::instance();
    analyzer->SetLeft(analyzer->LeftBeside(*w));  // the workspace's Left + Width, frames counted
    analyzer->SetTop(w->Top() + 20);
    analyzer->Show();
}

bool Window1::_ToolsAreas_Action() {
    if (!poxc) MsgBox(QStringLiteral("You must first select a ROI (region of interest) of an imported image."));
    PlaceAreaAnalyzer();
    return false;
}

bool Window1::_ToolsOpendemoimage_Action() {
    opendemo();
    return false;
}

bool Window1::_HelpOnlinehelp_Action() {
    ShowURL(SupportPage());
    return false;
}

bool Window1::_ToolsAnalyzeROI_Action() {
    Window1* w = Window1::instance();
    Window11* analysis = Window11::instance();
    analysis->SetLeft(w->Left() + w->Canvas1->width() + 20);
    analysis->SetTop(w->Top() + 20);
    analysis->Show();
    return false;
}

void Window1::PushButton6_Action() { savePix(); }

void Window1::Timer2_Action() { Timer2->SetMode(0); }

void Window1::BevelButton5_Open() {
    BevelButton5->SetCaption(QStringLiteral("Advanced"));
    BevelButton5->SetCaptionAlign(0);
    BevelButton5->SetHasMenu(2);
    BevelButton5->AddRowsFrom(QString::fromUtf8(kAdvancedMenu));
}

void Window1::BevelButton5_Action() {
    const QString before = BevelButton5->Caption();
    const int row = BevelButton5->MenuValue();
    if (row < 0 || row >= BevelButton5->Rows().size()) return;
    BevelButton5->SetCaption(BevelButton5->Rows()[row]);
    const QString caption = BevelButton5->Caption();
    if (caption == QLatin1String("Quad Calculator")) {
        if (before != QLatin1String("Quadrants") && !quadnotsection) {
            MsgBox(QStringLiteral("Quad calculator requires Quadrant mode to be selected"));
            return;
        }
        calculator();
    }
    if (caption == QLatin1String("Histogram")) {
        BevelButton1->SetCaption(QStringLiteral("Save data"));
        CheckBox2->setVisible(true);
        CheckBox3->setVisible(true);
        StaticText3->SetText(QStringLiteral("Select a color channel to analyze"));
    }
    if (caption == QLatin1String("Area")) PlaceAreaAnalyzer();
}

void Window1::PushButton9_Action() {
    const QString to =
        QStringLiteral("Beta-version Feedback <%1>").arg(FeedbackAddress());
    ShowURL(QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(to, "@")));
}

}  // namespace qv
