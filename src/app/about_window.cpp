#include "app/about_window.h"

#include "app/resources.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 86, .top = 7, .width = 128, .height = 128,
     .events = "Open"},
    {.kind = K::StaticText, .name = "StaticText1", .left = 100, .top = 140, .width = 100,
     .height = 20, .text = "Quorvane", .textSize = 14, .bold = true, .align = 1},
    {.kind = K::StaticText, .name = "StaticText2", .left = 78, .top = 162, .width = 145,
     .height = 20, .text = "", .textSize = 10, .align = 1, .events = "Open"},
    {.kind = K::StaticText, .name = "StaticText3", .left = 22, .top = 186, .width = 256,
     .height = 83,
     .text = "Image analysis for confocal microscopy. Quantitative co-localization analysis. "
             "Multiple formats including Leica TIFF files, Biorad PIC,  JPEG, TIF, BMP, PICT, "
             "GIF et c. \rClick window to start.",
     .textSize = 11, .align = 1, .multiline = true},
};
// clang-format on

}  // namespace

Window3::Window3() {
    SetTitle(QStringLiteral("About Quorvane"));
    SetMinimumSize(64, 64);
    SetCentred(true);
    SetSize(300, 300);
    BuildControls(kControls, {
                                 QV_HANDLER(Window3, Canvas1_Open),
                                 QV_HANDLER(Window3, StaticText2_Open),
                             });
    Canvas1 = ControlNamed<Canvas>(QStringLiteral("Canvas1"));
    StaticText1 = ControlNamed<StaticText>(QStringLiteral("StaticText1"));
    StaticText2 = ControlNamed<StaticText>(QStringLiteral("StaticText2"));
    StaticText3 = ControlNamed<StaticText>(QStringLiteral("StaticText3"));
    // A click on the logo or a text is a click on the window.
    for (QWidget* c : Content()->findChildren<QWidget*>())
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Window3::Canvas1_Open() {
    PicturePtr logo = NewPicture(128, 128, 32);
    if (logo) logo->Graphics().DrawPicture(QVlogga128(), 0, 0);
    Canvas1->SetBackdrop(logo);
}

void Window3::StaticText2_Open() { StaticText2->SetText(QStringLiteral("Version 2.0.0")); }

bool Window3::Event_KeyDown(const QString&) {
    Close();
    Window1::instance()->Show();
    return false;
}

void Window3::Event_Close() {
    // While the program quits the workspace has gone for good.
    if (Quitting()) return;
    Window1::instance()->Show();
}

bool Window3::Event_MouseDown(int, int) {
    Close();
    Window1::instance()->Show();
    return false;
}

}  // namespace qv
