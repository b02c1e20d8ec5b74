#include "montage/montage_setup.h"

#include <QPainter>

#include "app/resources.h"
#include "montage/montage_window.h"
#include "platform/menus.h"
#include "platform/services.h"
#include "workspace/workspace_window.h"

namespace qv {

Window10::Window10() {
    SetTitle(QStringLiteral("Montage setup"));
    SetMinimumSize(64, 64);
    SetSize(316, 202);
    AddMenuHandler(QStringLiteral("EditCopy"), [this] { return _EditCopy_Action(); });
    AddMenuHandler(QStringLiteral("FileSaveAs"), [this] { return _FileSaveAs_Action(); });
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window10::Event_Open() {
    Window1* w = Window1::instance();
    if (!w->poxc) w->poxc = QVlogga128();
    Window7* montage = Window7::instance();
    montage->SetLeft(Left());
    montage->SetTop(Top() + Height() + 21);
    montage->Show();
}

void Window10::Event_EnableMenuItems() {
    EnableItem(QStringLiteral("EditCopy"));
    EnableItem(QStringLiteral("FileSaveAs"));
    EnableItem(QStringLiteral("FileClose"));
}

bool Window10::_FileClose_Action() {
    Close();
    return false;
}

bool Window10::_EditCopy_Action() {
    Window7* montage = Window7::instance();
    PicturePtr p = NewPicture(montage->Width(), montage->Height(), 32);
    if (!p) {
        MsgBox(QStringLiteral("The montage picture could not be made."));
        return false;
    }
    QPainter painter(&p->Image());
    montage->Content()->render(&painter);
    painter.end();
    Platform().SetClipboardPicture(p);
    return false;
}

bool Window10::_FileSaveAs_Action() { return false; }

}  // namespace qv
