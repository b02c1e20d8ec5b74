#include "tools/area_analyzer.h"

#include "platform/menus.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {
using K = ControlKind;
#define QV_FIELD(n, l, t) \
    {.kind = K::EditField, .name = n, .left = l, .top = t, .width = 50, .height = 22}
constexpr ControlSpec kControls[] = {
    QV_FIELD("EditField1", 132, 78),  QV_FIELD("EditField2", 132, 111),
    QV_FIELD("EditField3", 132, 143), QV_FIELD("EditField10", 254, 78),
    QV_FIELD("EditField11", 254, 111), QV_FIELD("EditField12", 254, 143),
};
#undef QV_FIELD
}  // namespace

Window9::Window9() {
    SetTitle(QStringLiteral("Area analyzer"));
    SetMinimumSize(64, 64);
    SetSize(331, 244);
    DeclaredVisible = false;
    BuildControls(kControls, {});
    EditField1 = ControlNamed<EditField>(QStringLiteral("EditField1"));
    EditField2 = ControlNamed<EditField>(QStringLiteral("EditField2"));
    EditField3 = ControlNamed<EditField>(QStringLiteral("EditField3"));
    EditField10 = ControlNamed<EditField>(QStringLiteral("EditField10"));
    EditField11 = ControlNamed<EditField>(QStringLiteral("EditField11"));
    EditField12 = ControlNamed<EditField>(QStringLiteral("EditField12"));
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window9::Event_Open() { Window1::instance()->areaongoing = true; }

void Window9::Event_Close() {
    if (Window1* w = Window1::existing()) w->areaongoing = false;
}

void Window9::Event_EnableMenuItems() { EnableItem(QStringLiteral("FileClose")); }

bool Window9::_FileClose_Action() {
    Close();
    return false;
}

}  // namespace qv
