#include "app/application_object.h"

#include "app/globals.h"
#include "app/splash.h"
#include "platform/menus.h"
#include "workspace/workspace_window.h"

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
