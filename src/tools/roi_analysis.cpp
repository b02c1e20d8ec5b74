#include "tools/roi_analysis.h"

#include <QScopedValueRollback>
#include <algorithm>

#include "app/resources.h"
#include "platform/menus.h"
#include "platform/core/text.h"
#include "tools/core/roi_scan.h"
#include "tools/core/roi_views.h"

namespace qv {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 26, .top = 14, .width = 100, .height = 100},
    {.kind = K::RadioButton, .name = "RadioButton1", .left = 364, .top = 36, .width = 60,
     .height = 20, .text = "Red", .value = 0, .locks = "TR", .events = "Action",
     .group = "saturated"},
    {.kind = K::RadioButton, .name = "RadioButton2", .left = 364, .top = 61, .width = 60,
     .height = 20, .text = "Green", .value = 0, .locks = "TR", .events = "Action",
     .group = "saturated"},
    {.kind = K::RadioButton, .name = "RadioButton3", .left = 364, .top = 86, .width = 60,
     .height = 20, .text = "Blue", .value = 0, .locks = "TR", .events = "Action",
     .group = "saturated"},
    {.kind = K::RadioButton, .name = "RadioButton4", .left = 364, .top = 118, .width = 60,
     .height = 20, .text = "Any", .value = 0, .locks = "TR", .events = "Action",
     .group = "saturated"},
    {.kind = K::GroupBox, .name = "GroupBox1", .left = 347, .top = 18, .width = 111, .height = 157,
     .text = "View saturated", .textSize = 10, .locks = "TR"},
    {.kind = K::BevelButton, .name = "BevelButton1", .left = 361, .top = 144, .width = 49,
     .height = 22, .text = "Revert", .textSize = 10, .locks = "TR", .events = "Action"},
    {.kind = K::StaticText, .name = "StaticText2", .left = 219, .top = 22, .width = 50,
     .height = 20, .text = "Pixels", .bold = true, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText3", .left = 276, .top = 22, .width = 65,
     .height = 20, .text = "Saturated", .bold = true, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText1", .left = 182, .top = 45, .width = 40,
     .height = 20, .text = "Red", .bold = true, .hasColor = true, .color = RGB(161, 0, 0),
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText4", .left = 182, .top = 69, .width = 40,
     .height = 20, .text = "Green", .bold = true, .hasColor = true, .color = RGB(0, 91, 0),
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText5", .left = 182, .top = 93, .width = 40,
     .height = 20, .text = "Blue", .bold = true, .hasColor = true, .color = RGB(0, 0, 80),
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText6", .left = 182, .top = 128, .width = 35,
     .height = 20, .text = "Any", .bold = true, .hasColor = true, .color = kBlack, .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText7", .left = 219, .top = 45, .width = 50,
     .height = 20, .text = "Red", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText8", .left = 219, .top = 69, .width = 50,
     .height = 20, .text = "Red", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText9", .left = 219, .top = 93, .width = 50,
     .height = 20, .text = "Red", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText10", .left = 219, .top = 128, .width = 50,
     .height = 20, .text = "Any", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText11", .left = 276, .top = 45, .width = 65,
     .height = 20, .text = "Red", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText12", .left = 276, .top = 69, .width = 65,
     .height = 20, .text = "Red", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText13", .left = 276, .top = 93, .width = 65,
     .height = 20, .text = "Red", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText14", .left = 276, .top = 128, .width = 65,
     .height = 20, .text = "Any", .bold = false, .hasColor = true, .color = kBlack, .align = 1,
     .locks = "TR"},
    {.kind = K::BevelButton, .name = "BevelButton2", .left = 252, .top = 151, .width = 83,
     .height = 22, .text = "Auto contrast", .textSize = 10, .locks = "TR", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton3", .left = 480, .top = 144, .width = 60,
     .height = 22, .text = "Scale", .textSize = 10, .locks = "TR", .events = "Action"},
    {.kind = K::Canvas, .name = "Canvas2", .left = 5, .top = 12, .width = 17, .height = 170,
     .visible = false},
    {.kind = K::GroupBox, .name = "GroupBox2", .left = 470, .top = 18, .width = 92, .height = 157,
     .text = "LUT", .textSize = 10, .locks = "TR"},
    {.kind = K::RadioButton, .name = "RadioButton5", .left = 474, .top = 36, .width = 80,
     .height = 20, .text = "Red", .value = 1, .locks = "TR", .events = "", .group = "lut"},
    {.kind = K::RadioButton, .name = "RadioButton6", .left = 474, .top = 61, .width = 80,
     .height = 20, .text = "Green", .value = 0, .locks = "TR", .events = "", .group = "lut"},
    {.kind = K::RadioButton, .name = "RadioButton7", .left = 474, .top = 86, .width = 80,
     .height = 20, .text = "Blue", .value = 0, .locks = "TR", .events = "", .group = "lut"},
};
// clang-format on

constexpr RoiChannel kSlotChannel[] = {RoiChannel::Red, RoiChannel::Green, RoiChannel::Blue,
                                       RoiChannel::Any};

}  // namespace

Window11::Window11() {
    SetTitle(QStringLiteral("ROI analysis"));
    SetMinimumSize(420, 180);
    SetSize(577, 194);
    BuildControls(
        kControls,
        {QV_HANDLER(Window11, RadioButton1_Action), QV_HANDLER(Window11, RadioButton2_Action),
         QV_HANDLER(Window11, RadioButton3_Action), QV_HANDLER(Window11, RadioButton4_Action),
         QV_HANDLER(Window11, BevelButton1_Action), QV_HANDLER(Window11, BevelButton2_Action),
         QV_HANDLER(Window11, BevelButton3_Action)});
    QV_CONTROL(Canvas1);
    QV_CONTROL(RadioButton1);
    QV_CONTROL(RadioButton2);
    QV_CONTROL(RadioButton3);
    QV_CONTROL(RadioButton4);
    QV_CONTROL(GroupBox1);
    QV_CONTROL(BevelButton1);
    QV_CONTROL(StaticText2);
    QV_CONTROL(StaticText3);
    QV_CONTROL(StaticText1);
    QV_CONTROL(StaticText4);
    QV_CONTROL(StaticText5);
    QV_CONTROL(StaticText6);
    QV_CONTROL(StaticText7);
    QV_CONTROL(StaticText8);
    QV_CONTROL(StaticText9);
    QV_CONTROL(StaticText10);
    QV_CONTROL(StaticText11);
    QV_CONTROL(StaticText12);
    QV_CONTROL(StaticText13);
    QV_CONTROL(StaticText14);
    QV_CONTROL(BevelButton2);
    QV_CONTROL(BevelButton3);
    QV_CONTROL(Canvas2);
    QV_CONTROL(GroupBox2);
    QV_CONTROL(RadioButton5);
    QV_CONTROL(RadioButton6);
    QV_CONTROL(RadioButton7);
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window11::Event_Open() {
    rainbow = LutBar();
    Canvas2->SetBackdrop(rainbow);
    if (!Quitting()) Workspace()->roianalysisongoing = true;
    start();
}

void Window11::Event_Close() {
    // The flag lives in the workspace, reached as always through its accessor;
    // while the program quits no window is built for it.
    if (!Quitting()) Workspace()->roianalysisongoing = false;
}

void Window11::Event_EnableMenuItems() {
    EnableItem(QStringLiteral("FileClose"));
}

bool Window11::_FileClose_Action() {
    Close();
    return false;
}

Window1* Window11::Workspace() {
    const QScopedValueRollback<bool> hold(reaching_, true);
    return Window1::instance();
}

void Window11::start() {
    if (reaching_) return;
    Window1* w = Workspace();
    ++starts;
    // Without a crop the logo is cut, and a zero size then takes the logo's.
    const PicturePtr source = w->poxc ? w->poxc : QVlogga128();
    const RoiCutSize size = RoiCut(w->msdownx, w->msdowny, w->msupx, w->msupy, source);
    PicturePtr copy = CutRoi(source, w->msdownx, w->msdowny, size);
    if (!copy) return;  // no picture could be made: the window keeps what it shows
    vidd = size.width;
    hojd = size.height;
    pic.fill(copy);
    pix = copy;
    const RoiCutSize window = RoiWindowSize(size);
    // A crop too large for the screen gets the largest window that fits; the
    // picture then shows as much of the crop as the window leaves it.
    SetSizeOnScreen(window.width, window.height);
    Canvas1->resize(std::min(vidd, vidd + Width() - window.width),
                    std::min(hojd, hojd + Height() - window.height));
    update();
    ShowSlot(0);
    scan();
}

void Window11::scan() {
    const RoiCounts c = ScanRoi(pic[0]);
    StaticText* const pixels[] = {StaticText7, StaticText8, StaticText9, StaticText10};
    StaticText* const saturated[] = {StaticText11, StaticText12, StaticText13, StaticText14};
    for (size_t i = 0; i < 4; ++i) pixels[i]->SetText(Str(c.pixels[i]));
    for (size_t i = 0; i < 4; ++i) saturated[i]->SetText(Str(c.saturated[i]));
}

void Window11::ShowSlot(int slot) {
    visas = slot;
    Canvas1->SetBackdrop(pic[static_cast<size_t>(slot)]);
}

void Window11::SaturationView(int slot) {
    PicturePtr view = qv::SaturationView(pix, kSlotChannel[slot - 2]);
    if (!view) return;
    pic[static_cast<size_t>(slot)] = view;
    ShowSlot(slot);
}

void Window11::RadioButton1_Action() {
    SaturationView(2);
}
void Window11::RadioButton2_Action() {
    SaturationView(3);
}
void Window11::RadioButton3_Action() {
    SaturationView(4);
}
void Window11::RadioButton4_Action() {
    SaturationView(5);
}

void Window11::BevelButton1_Action() {
    pic[0] = pix;
    RadioButton1->SetValue(false);
    RadioButton2->SetValue(false);
    RadioButton3->SetValue(false);
    RadioButton4->SetValue(false);
    BevelButton2->SetCaption(QStringLiteral("Auto contrast"));
    ShowSlot(0);
}

void Window11::BevelButton2_Action() {
    const QString caption = BevelButton2->Caption();
    if (caption == QLatin1String("Auto contrast")) {
        PicturePtr stretched = AutoContrast(pix);
        if (!stretched) return;
        pic[1] = stretched;
        ShowSlot(1);
        BevelButton2->SetCaption(QStringLiteral("Apply"));
    } else if (caption == QLatin1String("Apply")) {
        Window1* w = Workspace();
        beforeApply = w->workingImage();
        originalpix = w->pix;
        w->import(pic[1]);
        Show();
        BevelButton2->SetCaption(QStringLiteral("Undo"));
    } else if (caption == QLatin1String("Undo")) {
        // The workspace gets back the very picture it had, at its own size.
        Workspace()->restoreImage(beforeApply);
        BevelButton2->SetCaption(QStringLiteral("Auto contrast"));
        Show();
    }
}

void Window11::BevelButton3_Action() {
    Canvas2->setVisible(true);
    const RoiChannel channel = RadioButton5->Value()   ? RoiChannel::Red
                               : RadioButton6->Value() ? RoiChannel::Green
                                                       : RoiChannel::Blue;
    PicturePtr scaled = PseudoColour(pix, channel);
    if (!scaled) return;
    pic[1] = scaled;
    ShowSlot(1);
}

}  // namespace qv
