#include "tools/quadrant_calculator.h"

#include "app/globals.h"
#include "platform/menus.h"
#include "platform/text.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {
using K = ControlKind;
constexpr ControlSpec kControls[] = {
    {.kind = K::EditField, .name = "UL", .left = 49, .top = 68, .width = 60, .height = 22,
     .enabled = false, .readOnly = true},
    {.kind = K::EditField, .name = "UR", .left = 135, .top = 68, .width = 60, .height = 22,
     .enabled = false, .readOnly = true},
    {.kind = K::EditField, .name = "LL", .left = 49, .top = 151, .width = 60, .height = 22,
     .enabled = false, .readOnly = true},
    {.kind = K::EditField, .name = "LR", .left = 135, .top = 151, .width = 60, .height = 22,
     .enabled = false, .readOnly = true},
    {.kind = K::CheckBox, .name = "CheckBox1", .left = 10, .top = 215, .width = 120, .height = 20,
     .text = "Auto refresh", .events = "Action"},
};
}  // namespace

Window2::Window2() {
    SetTitle(QStringLiteral("Quadrant calculator"));
    SetMinimumSize(64, 64);
    SetSize(305, 246);
    BuildControls(kControls, {QV_HANDLER(Window2, CheckBox1_Action)});
    CheckBox1 = ControlNamed<CheckBox>(QStringLiteral("CheckBox1"));
    UL = ControlNamed<EditField>(QStringLiteral("UL"));
    UR = ControlNamed<EditField>(QStringLiteral("UR"));
    LL = ControlNamed<EditField>(QStringLiteral("LL"));
    LR = ControlNamed<EditField>(QStringLiteral("LR"));
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window2::Event_Open() { calculate(); }

void Window2::Event_Close() {
    if (Window1* w = Window1::existing()) w->calclive = false;
}

void Window2::Event_EnableMenuItems() { EnableItem(QStringLiteral("FileClose")); }

bool Window2::_FileClose_Action() {
    Close();
    return false;
}

void Window2::CheckBox1_Action() { Window1::instance()->calclive = CheckBox1->Value(); }

void Window2::calculate() {
    ++calculations;
    if (Module1::iroi.size() < 4) return;
    UL->SetText(Str(Module1::iroi[0]));
    UR->SetText(Str(Module1::iroi[1]));
    LL->SetText(Str(Module1::iroi[2]));
    LR->SetText(Str(Module1::iroi[3]));
}

}  // namespace qv
