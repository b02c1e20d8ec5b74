#include "app/class1.h"

#include "app/module1.h"
#include "app/window8.h"
#include "platform/menus.h"
#include "workspace/window1.h"

namespace qv {

void Class1::Event_OpenDocument(FolderItemPtr item) {
    // Only remembered: every workspace that opens from now on loads it.
    if (item) Module1::startfol = std::move(item);
}

void Class1::Event_EnableMenuItems() {
    if (Module1::okuser) EnableItem(QStringLiteral("FileNewwindow"));
}

void Class1::Event_Open() { Window8::instance()->Show(); }

bool Class1::_FileNewwindow_Action() {
    Window1::instance()->Show();
    return false;
}

Class1* App() { return qobject_cast<Class1*>(Application::Instance()); }

}  // namespace qv
