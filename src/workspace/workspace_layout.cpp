// The workspace's controls, in creation (and stacking) order, and the binding
// of their handlers by name.
#include "platform/controls.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 10, .top = 10, .width = 256, .height = 256,
     .locks = "L", .events = "MouseUp,MouseDrag,MouseDown,Open"},
    {.kind = K::Canvas, .name = "Canvas2", .left = 10, .top = 276, .width = 256, .height = 256,
     .locks = "", .events = "MouseDown"},
    {.kind = K::ImageWell, .name = "ImageWell1", .left = 466, .top = 8, .width = 104, .height = 99,
     .locks = "TR", .events = "Open,DropObject"},
    {.kind = K::PushButton, .name = "PushButton1", .left = 372, .top = 84, .width = 67,
     .height = 17, .text = "Select all", .font = "Arial", .textSize = 10, .locks = "TR",
     .events = "Open,Action", .isCancel = true},
    {.kind = K::StaticText, .name = "staticText1", .left = 361, .top = 421, .width = 29,
     .height = 20, .text = " ", .textSize = 12, .bold = true, .hasColor = true,
     .color = RGB(51, 0, 153), .locks = "T"},
    {.kind = K::StaticText, .name = "StaticText2", .left = 614, .top = 586, .width = 80,
     .height = 20, .text = " ", .textSize = 12, .bold = true, .hasColor = true,
     .color = RGB(0, 130, 0), .locks = "T"},
    {.kind = K::BevelButton, .name = "BevelButton1", .left = 372, .top = 110, .width = 67,
     .height = 17, .text = "Clear", .font = "Arial", .textSize = 10, .enabled = false,
     .locks = "TR", .events = "Open,Action", .buttonType = 0, .hasMenu = 0, .captionAlign = 3},
    {.kind = K::BevelButton, .name = "BevelButton4", .left = 372, .top = 134, .width = 67,
     .height = 17, .text = "Memory", .font = "Arial", .textSize = 10, .enabled = false,
     .locks = "TR", .events = "Open,Action", .buttonType = 1, .hasMenu = 0, .captionAlign = 3},
    {.kind = K::Timer, .name = "Timer1", .events = "Action", .period = 4000, .mode = 0},
    {.kind = K::PushButton, .name = "PushButton6", .left = 587, .top = 10, .width = 99,
     .height = 23, .text = "Save", .textSize = 12, .locks = "TR", .events = "Action"},
    {.kind = K::Timer, .name = "Timer2", .events = "Action", .period = 10000, .mode = 0},
    {.kind = K::BevelButton, .name = "BevelButton5", .left = 605, .top = 623, .width = 72,
     .height = 22, .text = "Advanced", .textSize = 12, .visible = false, .locks = "TR",
     .events = "Action,Open", .buttonType = 0, .hasMenu = 2, .captionAlign = 0},
    {.kind = K::Timer, .name = "Timer3", .events = "Action", .period = 250, .mode = 0},
    {.kind = K::StaticText, .name = "StaticText3", .left = 479, .top = 17, .width = 80,
     .height = 82, .parent = "ImageWell1", .text = "1.\rDrop image here", .textSize = 12,
     .align = 1, .multiline = true, .locks = "TR"},
    {.kind = K::PushButton, .name = "PushButton9", .left = 607, .top = 662, .width = 79,
     .height = 20, .text = "Beta bug", .textSize = 12, .visible = false, .locks = "RB",
     .events = "Open,Action"},
    {.kind = K::StaticText, .name = "StaticText4", .left = 472, .top = 115, .width = 48,
     .height = 20, .text = "1/10", .textSize = 12, .visible = false, .align = 2, .locks = "TR"},
    {.kind = K::Slider, .name = "Slider1", .left = 484, .top = 139, .width = 60, .height = 21,
     .visible = false, .value = 0, .locks = "TR", .events = "ValueChanged", .minimum = 1,
     .maximum = 100, .lineStep = 1, .pageStep = 20, .liveScroll = true},
    {.kind = K::LittleArrows, .name = "LittleArrows1", .left = 528, .top = 112, .width = 13,
     .height = 23, .visible = false, .locks = "TR", .events = "Up,Down"},
    {.kind = K::StaticText, .name = "StaticText7", .left = 362, .top = 531, .width = 29,
     .height = 20, .text = "", .textSize = 12, .align = 2, .locks = "T"},
    {.kind = K::StaticText, .name = "StaticText5", .left = 429, .top = 586, .width = 38,
     .height = 20, .text = "", .textSize = 12, .align = 2, .locks = "T"},
    {.kind = K::TabPanel, .name = "TabPanel1", .left = 361, .top = 172, .width = 330, .height = 147,
     .rows = "Fluorogram\nBackground\nHistogram", .font = "Arial", .textSize = 10, .value = 0,
     .locks = "TR", .events = "Change"},
    {.kind = K::RadioButton, .name = "RadioButton1", .left = 387, .top = 219, .width = 67,
     .height = 19, .page = 2, .parent = "TabPanel1", .text = "Red", .textSize = 10, .locks = "TR",
     .group = "background channel"},
    {.kind = K::RadioButton, .name = "RadioButton2", .left = 387, .top = 238, .width = 67,
     .height = 19, .page = 2, .parent = "TabPanel1", .text = "Green", .textSize = 10, .locks = "TR",
     .group = "background channel"},
    {.kind = K::RadioButton, .name = "RadioButton3", .left = 387, .top = 258, .width = 65,
     .height = 19, .page = 2, .parent = "TabPanel1", .text = "Blue", .textSize = 10, .locks = "TR",
     .group = "background channel"},
    {.kind = K::RadioButton, .name = "RadioButton4", .left = 387, .top = 278, .width = 92,
     .height = 23, .page = 2, .parent = "TabPanel1", .text = "All channels", .textSize = 10,
     .locks = "TR", .group = "background channel"},
    {.kind = K::GroupBox, .name = "roiGroupbox", .left = 362, .top = 8, .width = 96, .height = 152,
     .text = "ROI-selection", .font = "Arial", .textSize = 10, .locks = "TR"},
    {.kind = K::RadioButton, .name = "RectROI_RB", .left = 372, .top = 22, .width = 70,
     .height = 20, .parent = "roiGroupbox", .text = "Rectangle", .font = "Arial", .textSize = 10,
     .value = 0, .locks = "TR", .events = "Open,Action", .group = "ROI shape"},
    {.kind = K::RadioButton, .name = "OvalRoi_RB", .left = 372, .top = 41, .width = 70,
     .height = 20, .parent = "roiGroupbox", .text = "Oval", .font = "Arial", .textSize = 10,
     .locks = "TR", .events = "Action", .group = "ROI shape"},
    {.kind = K::RadioButton, .name = "polyRoi_RB", .left = 372, .top = 60, .width = 70,
     .height = 20, .parent = "roiGroupbox", .text = "Polygon", .font = "Arial", .textSize = 10,
     .locks = "TR", .events = "Action", .group = "ROI shape"},
    {.kind = K::PopupMenu, .name = "colorModemenu", .left = 479, .top = 200, .width = 199,
     .height = 23, .page = 1, .parent = "TabPanel1",
     .rows = "Red - Green\nRed - Blue\nBlue - Green", .font = "Arial", .textSize = 14, .bold = true,
     .value = 0, .locks = "TR", .events = "Change"},
    {.kind = K::Canvas, .name = "Canvas3", .left = 396, .top = 329, .width = 256, .height = 256,
     .locks = "T", .events = "MouseDown,MouseDrag,MouseUp,Open,Paint"},
    {.kind = K::PushButton, .name = "PushButton7", .left = 600, .top = 208, .width = 69,
     .height = 20, .page = 2, .parent = "TabPanel1", .text = "Accept", .textSize = 12,
     .visible = false, .locks = "TR", .events = "Open,Action"},
    {.kind = K::PushButton, .name = "PushButton8", .left = 606, .top = 245, .width = 69,
     .height = 20, .page = 2, .parent = "TabPanel1", .text = "Undo", .textSize = 12, .locks = "TR",
     .events = "Open,Action"},
    {.kind = K::PushButton, .name = "PushButton5", .left = 384, .top = 259, .width = 67,
     .height = 17, .page = 1, .parent = "TabPanel1", .text = "On-screen", .font = "Arial",
     .textSize = 10, .locks = "TR", .events = "Open,Action"},
    {.kind = K::BevelButton, .name = "BevelButton3", .left = 479, .top = 262, .width = 74,
     .height = 18, .page = 1, .parent = "TabPanel1", .text = "Stats", .font = "Arial",
     .textSize = 10, .enabled = false, .locks = "TR", .events = "Open,Action", .buttonType = 0,
     .hasMenu = 0, .captionAlign = 3},
    {.kind = K::BevelButton, .name = "BevelButton2", .left = 479, .top = 233, .width = 74,
     .height = 17, .page = 1, .parent = "TabPanel1", .text = "Monochrome", .font = "Arial",
     .textSize = 10, .locks = "TR", .events = "Open,Action", .buttonType = 0, .hasMenu = 0,
     .captionAlign = 3},
    {.kind = K::CheckBox, .name = "CheckBox1", .left = 478, .top = 285, .width = 87, .height = 18,
     .page = 1, .parent = "TabPanel1", .text = "Auto Update", .font = "Arial", .textSize = 10,
     .locks = "TR", .events = "Open,Action"},
    {.kind = K::CheckBox, .name = "CheckBox3", .left = 484, .top = 205, .width = 117, .height = 23,
     .page = 3, .parent = "TabPanel1", .text = "Scale y-axis", .textSize = 11, .locks = "TR",
     .events = "Action"},
    {.kind = K::RadioButton, .name = "histoRed_RB", .left = 385, .top = 216, .width = 80,
     .height = 20, .page = 3, .parent = "TabPanel1", .text = "Red", .font = "Arial", .textSize = 10,
     .locks = "TR", .events = "Action", .group = "histogram channel"},
    {.kind = K::RadioButton, .name = "histoGreen_RB", .left = 385, .top = 235, .width = 80,
     .height = 20, .page = 3, .parent = "TabPanel1", .text = "Green", .font = "Arial",
     .textSize = 10, .locks = "TR", .events = "Action", .group = "histogram channel"},
    {.kind = K::RadioButton, .name = "histoBlue_RB", .left = 385, .top = 254, .width = 80,
     .height = 20, .page = 3, .parent = "TabPanel1", .text = "Blue", .font = "Arial",
     .textSize = 10, .locks = "TR", .events = "Action", .group = "histogram channel"},
    {.kind = K::GroupBox, .name = "GroupBox1", .left = 376, .top = 200, .width = 96, .height = 83,
     .page = 3, .parent = "TabPanel1", .text = "Select color", .font = "Arial", .textSize = 10,
     .locks = "TR"},
    {.kind = K::CheckBox, .name = "CheckBox4", .left = 484, .top = 228, .width = 113, .height = 22,
     .page = 2, .parent = "TabPanel1", .text = "Quad settings", .textSize = 12, .locks = "TR",
     .events = "Action"},
    {.kind = K::CheckBox, .name = "CheckBox2", .left = 484, .top = 229, .width = 167, .height = 20,
     .page = 3, .parent = "TabPanel1", .text = "", .textSize = 11, .visible = false, .locks = "TR",
     .events = "Open,Action"},
    {.kind = K::PushButton, .name = "PushButton3", .left = 613, .top = 201, .width = 70,
     .height = 17, .page = 3, .parent = "TabPanel1", .text = "Save data", .textSize = 11,
     .locks = "TR", .events = "Action"},
    {.kind = K::PushButton, .name = "PushButton10", .left = 553, .top = 128, .width = 70,
     .height = 20, .text = "Flatten", .textSize = 12, .visible = false, .locks = "TR",
     .events = "Action"},
    {.kind = K::GroupBox, .name = "selcModeGroupBox", .left = 375, .top = 198, .width = 91,
     .height = 117, .page = 1, .parent = "TabPanel1", .text = "", .font = "Arial", .textSize = 10,
     .locks = "TR"},
    {.kind = K::RadioButton, .name = "quad_RB", .left = 381, .top = 210, .width = 80, .height = 20,
     .page = 1, .parent = "selcModeGroupBox", .text = "Quadrants", .font = "Arial", .textSize = 10,
     .locks = "TR", .events = "Action", .group = "pick mode"},
    {.kind = K::RadioButton, .name = "sections_RB", .left = 381, .top = 231, .width = 80,
     .height = 20, .page = 1, .parent = "selcModeGroupBox", .text = "Sections", .font = "Arial",
     .textSize = 10, .value = 1, .locks = "TR", .events = "Action", .group = "pick mode"},
    {.kind = K::PushButton, .name = "PushButton4", .left = 384, .top = 282, .width = 67,
     .height = 17, .page = 1, .parent = "selcModeGroupBox", .text = "Clear", .textSize = 10,
     .locks = "TR", .events = "Action"},
    // created by the second half of the build
    {.kind = K::PushButton, .name = "quadCalc_PB", .left = 564, .top = 285, .width = 120,
     .height = 17, .page = 1, .parent = "TabPanel1", .text = "Quadrant Calculator", .font = "Arial",
     .textSize = 10, .enabled = false, .locks = "TR", .events = "Action"},
    {.kind = K::PushButton, .name = "PushButton12", .left = 564, .top = 259, .width = 120,
     .height = 17, .page = 1, .parent = "TabPanel1", .text = "Coefficient Calculator",
     .font = "Arial", .textSize = 10, .locks = "TR", .events = "Action"},
    {.kind = K::GroupBox, .name = "GroupBox2", .left = 381, .top = 204, .width = 103, .height = 105,
     .page = 2, .parent = "TabPanel1", .text = "Select color", .font = "Arial", .textSize = 10,
     .locks = "TR"},
    {.kind = K::PushButton, .name = "PushButton2", .left = 551, .top = 282, .width = 118,
     .height = 19, .page = 2, .parent = "TabPanel1", .text = "Revert to original", .textSize = 10,
     .locks = "TR", .events = "Action"},
    {.kind = K::StaticText, .name = "StaticText6", .left = 361, .top = 328, .width = 55,
     .height = 20, .text = "x:0", .textSize = 12, .locks = "TR"},
    {.kind = K::StaticText, .name = "StaticText8", .left = 361, .top = 348, .width = 55,
     .height = 20, .text = "y:0", .textSize = 12, .locks = "TR"},
};
// clang-format on

}  // namespace

void Window1::CreateControls() {
    const HandlerMap handlers = {
        QV_HANDLER(Window1, Canvas1_MouseUp),
        QV_HANDLER(Window1, Canvas1_MouseDrag),
        QV_HANDLER(Window1, Canvas1_MouseDown),
        QV_HANDLER(Window1, Canvas1_Open),
        QV_HANDLER(Window1, Canvas2_MouseDown),
        QV_HANDLER(Window1, ImageWell1_Open),
        QV_HANDLER(Window1, ImageWell1_DropObject),
        QV_HANDLER(Window1, PushButton1_Open),
        QV_HANDLER(Window1, PushButton1_Action),
        QV_HANDLER(Window1, BevelButton1_Open),
        QV_HANDLER(Window1, BevelButton1_Action),
        QV_HANDLER(Window1, BevelButton4_Open),
        QV_HANDLER(Window1, BevelButton4_Action),
        QV_HANDLER(Window1, Timer1_Action),
        QV_HANDLER(Window1, PushButton6_Action),
        QV_HANDLER(Window1, Timer2_Action),
        QV_HANDLER(Window1, BevelButton5_Action),
        QV_HANDLER(Window1, BevelButton5_Open),
        QV_HANDLER(Window1, Timer3_Action),
        QV_HANDLER(Window1, PushButton9_Open),
        QV_HANDLER(Window1, PushButton9_Action),
        QV_HANDLER(Window1, Slider1_ValueChanged),
        QV_HANDLER(Window1, LittleArrows1_Up),
        QV_HANDLER(Window1, LittleArrows1_Down),
        QV_HANDLER(Window1, TabPanel1_Change),
        QV_HANDLER(Window1, RectROI_RB_Open),
        QV_HANDLER(Window1, RectROI_RB_Action),
        QV_HANDLER(Window1, OvalRoi_RB_Action),
        QV_HANDLER(Window1, polyRoi_RB_Action),
        QV_HANDLER(Window1, colorModemenu_Change),
        QV_HANDLER(Window1, Canvas3_MouseDown),
        QV_HANDLER(Window1, Canvas3_MouseDrag),
        QV_HANDLER(Window1, Canvas3_MouseUp),
        QV_HANDLER(Window1, Canvas3_Open),
        QV_HANDLER(Window1, Canvas3_Paint),
        QV_HANDLER(Window1, PushButton7_Open),
        QV_HANDLER(Window1, PushButton7_Action),
        QV_HANDLER(Window1, PushButton8_Open),
        QV_HANDLER(Window1, PushButton8_Action),
        QV_HANDLER(Window1, PushButton5_Open),
        QV_HANDLER(Window1, PushButton5_Action),
        QV_HANDLER(Window1, BevelButton3_Open),
        QV_HANDLER(Window1, BevelButton3_Action),
        QV_HANDLER(Window1, BevelButton2_Open),
        QV_HANDLER(Window1, BevelButton2_Action),
        QV_HANDLER(Window1, CheckBox1_Open),
        QV_HANDLER(Window1, CheckBox1_Action),
        QV_HANDLER(Window1, CheckBox3_Action),
        QV_HANDLER(Window1, histoRed_RB_Action),
        QV_HANDLER(Window1, histoGreen_RB_Action),
        QV_HANDLER(Window1, histoBlue_RB_Action),
        QV_HANDLER(Window1, CheckBox4_Action),
        QV_HANDLER(Window1, CheckBox2_Open),
        QV_HANDLER(Window1, CheckBox2_Action),
        QV_HANDLER(Window1, PushButton3_Action),
        QV_HANDLER(Window1, PushButton10_Action),
        QV_HANDLER(Window1, quad_RB_Action),
        QV_HANDLER(Window1, sections_RB_Action),
        QV_HANDLER(Window1, PushButton4_Action),
        QV_HANDLER(Window1, quadCalc_PB_Action),
        QV_HANDLER(Window1, PushButton12_Action),
        QV_HANDLER(Window1, PushButton2_Action),
    };
    BuildControls(kControls, handlers);

    Canvas1 = ControlNamed<Canvas>(QStringLiteral("Canvas1"));
    Canvas2 = ControlNamed<Canvas>(QStringLiteral("Canvas2"));
    ImageWell1 = ControlNamed<ImageWell>(QStringLiteral("ImageWell1"));
    PushButton1 = ControlNamed<PushButton>(QStringLiteral("PushButton1"));
    staticText1 = ControlNamed<StaticText>(QStringLiteral("staticText1"));
    StaticText2 = ControlNamed<StaticText>(QStringLiteral("StaticText2"));
    BevelButton1 = ControlNamed<BevelButton>(QStringLiteral("BevelButton1"));
    BevelButton4 = ControlNamed<BevelButton>(QStringLiteral("BevelButton4"));
    Timer1 = ControlNamed<Timer>(QStringLiteral("Timer1"));
    PushButton6 = ControlNamed<PushButton>(QStringLiteral("PushButton6"));
    Timer2 = ControlNamed<Timer>(QStringLiteral("Timer2"));
    BevelButton5 = ControlNamed<BevelButton>(QStringLiteral("BevelButton5"));
    Timer3 = ControlNamed<Timer>(QStringLiteral("Timer3"));
    StaticText3 = ControlNamed<StaticText>(QStringLiteral("StaticText3"));
    PushButton9 = ControlNamed<PushButton>(QStringLiteral("PushButton9"));
    StaticText4 = ControlNamed<StaticText>(QStringLiteral("StaticText4"));
    Slider1 = ControlNamed<Slider>(QStringLiteral("Slider1"));
    LittleArrows1 = ControlNamed<LittleArrows>(QStringLiteral("LittleArrows1"));
    StaticText7 = ControlNamed<StaticText>(QStringLiteral("StaticText7"));
    StaticText5 = ControlNamed<StaticText>(QStringLiteral("StaticText5"));
    TabPanel1 = ControlNamed<TabPanel>(QStringLiteral("TabPanel1"));
    RadioButton1 = ControlNamed<RadioButton>(QStringLiteral("RadioButton1"));
    RadioButton2 = ControlNamed<RadioButton>(QStringLiteral("RadioButton2"));
    RadioButton3 = ControlNamed<RadioButton>(QStringLiteral("RadioButton3"));
    RadioButton4 = ControlNamed<RadioButton>(QStringLiteral("RadioButton4"));
    roiGroupbox = ControlNamed<GroupBox>(QStringLiteral("roiGroupbox"));
    RectROI_RB = ControlNamed<RadioButton>(QStringLiteral("RectROI_RB"));
    OvalRoi_RB = ControlNamed<RadioButton>(QStringLiteral("OvalRoi_RB"));
    polyRoi_RB = ControlNamed<RadioButton>(QStringLiteral("polyRoi_RB"));
    colorModemenu = ControlNamed<PopupMenu>(QStringLiteral("colorModemenu"));
    Canvas3 = ControlNamed<Canvas>(QStringLiteral("Canvas3"));
    PushButton7 = ControlNamed<PushButton>(QStringLiteral("PushButton7"));
    PushButton8 = ControlNamed<PushButton>(QStringLiteral("PushButton8"));
    PushButton5 = ControlNamed<PushButton>(QStringLiteral("PushButton5"));
    BevelButton3 = ControlNamed<BevelButton>(QStringLiteral("BevelButton3"));
    BevelButton2 = ControlNamed<BevelButton>(QStringLiteral("BevelButton2"));
    CheckBox1 = ControlNamed<CheckBox>(QStringLiteral("CheckBox1"));
    CheckBox3 = ControlNamed<CheckBox>(QStringLiteral("CheckBox3"));
    histoRed_RB = ControlNamed<RadioButton>(QStringLiteral("histoRed_RB"));
    histoGreen_RB = ControlNamed<RadioButton>(QStringLiteral("histoGreen_RB"));
    histoBlue_RB = ControlNamed<RadioButton>(QStringLiteral("histoBlue_RB"));
    GroupBox1 = ControlNamed<GroupBox>(QStringLiteral("GroupBox1"));
    CheckBox4 = ControlNamed<CheckBox>(QStringLiteral("CheckBox4"));
    CheckBox2 = ControlNamed<CheckBox>(QStringLiteral("CheckBox2"));
    PushButton3 = ControlNamed<PushButton>(QStringLiteral("PushButton3"));
    PushButton10 = ControlNamed<PushButton>(QStringLiteral("PushButton10"));
    selcModeGroupBox = ControlNamed<GroupBox>(QStringLiteral("selcModeGroupBox"));
    quad_RB = ControlNamed<RadioButton>(QStringLiteral("quad_RB"));
    sections_RB = ControlNamed<RadioButton>(QStringLiteral("sections_RB"));
    PushButton4 = ControlNamed<PushButton>(QStringLiteral("PushButton4"));
    quadCalc_PB = ControlNamed<PushButton>(QStringLiteral("quadCalc_PB"));
    PushButton12 = ControlNamed<PushButton>(QStringLiteral("PushButton12"));
    GroupBox2 = ControlNamed<GroupBox>(QStringLiteral("GroupBox2"));
    PushButton2 = ControlNamed<PushButton>(QStringLiteral("PushButton2"));
    StaticText6 = ControlNamed<StaticText>(QStringLiteral("StaticText6"));
    StaticText8 = ControlNamed<StaticText>(QStringLiteral("StaticText8"));
}

// ---- what the controls' Open handlers set up ---------------------------------

// The picture canvas gets its backdrop when a picture comes in, not when it opens.
void Window1::Canvas1_Open() {}

void Window1::ImageWell1_Open() {
    ImageWell1->AcceptFileDrop(QStringLiteral("image/x-tiff"));
    ImageWell1->AcceptFileDrop(QStringLiteral("image/tiff"));
    ImageWell1->AcceptFileDrop(QStringLiteral("image/any"));
    ImageWell1->AcceptFileDrop(QStringLiteral("image/biorad"));
}

void Window1::PushButton1_Open() {
    PushButton1->setToolTip(QStringLiteral("Select the whole image as ROI"));
}

void Window1::BevelButton1_Open() {
    BevelButton1->setToolTip(QStringLiteral("Click once to clear, twice to clean up."));
}

void Window1::BevelButton4_Open() {
    BevelButton4->setToolTip(QStringLiteral("Flip to compare current and previous ROI"));
}

void Window1::PushButton9_Open() {
    PushButton9->setToolTip(QStringLiteral("Send a comment to the creators"));
}

void Window1::RectROI_RB_Open() { RectROI_RB->SetValue(true); }

void Window1::Canvas3_Open() { Canvas3->SetBackdrop(NewPicture(imgsize, imgsize, 32)); }

void Window1::PushButton7_Open() {
    PushButton7->setToolTip(QStringLiteral("Return and continue to use current pick"));
}

void Window1::PushButton8_Open() {
    PushButton8->setToolTip(QStringLiteral("Compare previous and current background setting"));
}

void Window1::PushButton5_Open() {
    PushButton5->setToolTip(QStringLiteral("Display the section as white pixels"));
}

void Window1::BevelButton3_Open() {
    BevelButton3->setToolTip(
        QStringLiteral("Perform quantitative analysis on sections and quadrants."));
}

void Window1::BevelButton2_Open() {
    BevelButton2->setToolTip(QStringLiteral("Flip between true-color mode and monochrome display"));
}

void Window1::CheckBox1_Open() { CheckBox1->setToolTip(QStringLiteral("Auto-calculate on/off")); }

void Window1::CheckBox2_Open() {
    CheckBox2->setToolTip(
        QStringLiteral("Zero-pixels should normally be counted, since they are non-black."));
}

}  // namespace qv
