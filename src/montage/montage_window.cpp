#include "montage/montage_window.h"

#include "platform/menus.h"

namespace qv {

Window7::Window7() {
    SetTitle(QStringLiteral("Montage"));
    SetMinimumSize(64, 64);
    SetSize(512, 550);
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window7::Event_EnableMenuItems() { EnableItem(QStringLiteral("FileClose")); }

bool Window7::_FileClose_Action() {
    Close();
    return false;
}

}  // namespace qv
