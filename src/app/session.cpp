#include "app/session.h"

#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include "app/file_types.h"
#include "app/menu_bar.h"
#include "app/globals.h"
#include "app/resources.h"
#include "platform/longpass.h"
#include "platform/menubarview.h"
#include "platform/window.h"

namespace qv {

Session::Globals::Globals() { Module1::Initialise(); }
Session::Globals::~Globals() { Module1::Release(); }

Session::FileTypesLifetime::~FileTypesLifetime() { FileTypes::Release(); }

Session::WindowsLifetime::~WindowsLifetime() { DestroyAllWindows(); }

Session::ResourcesLifetime::~ResourcesLifetime() { ReleaseResources(); }

Session::Session() = default;

Session::~Session() = default;

void Session::Start() {
    // The platform's own services: the cancel-key watch and the menu updates.
    InstallCancelWatch();
    InstallMenuUpdates();
    // _InitFileTypes
    FileTypes::_Initialize();
    // _NewAppInstance
    app_ = std::make_unique<Class1>();
    menuBar_ = BuildMenuBar();
    SetTheMenuBar(menuBar_.get());
    app_->MenuBar = menuBar_.get();
    // _ApplicationAddMenuHandlers
    Class1* app = App();
    app->AddMenuHandler(QStringLiteral("FileNewwindow"), [app] { return app->_FileNewwindow_Action(); });
}

void Session::DeliverLaunch(const QStringList& paths) {
    QPointer<Class1> app(app_.get());
    QTimer::singleShot(0, app_.get(), [this, app, paths] {
        if (!app) return;
        app->Event_Open();
        DeliverDocuments(paths);
    });
}

void Session::DeliverDocuments(const QStringList& paths) {
    QPointer<Class1> app(app_.get());
    for (const QString& path : paths) {
        if (!app) return;
        if (QFileInfo::exists(path)) app->Event_OpenDocument(FolderItem::FromPath(path));
    }
}

void Session::TakeHandedDocuments(const QStringList& paths) {
    DeliverDocuments(paths);
    Window* front = FrontWindow();
    if (!front) return;
    if (front->isMinimized()) front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
    front->raise();
    front->activateWindow();
}

QString HandedOverMessage(const QStringList& paths) {
    QString opened;
    for (const QString& path : paths)
        if (QFileInfo::exists(path)) opened = path;
    if (opened.isEmpty())
        return QStringLiteral("Quorvane is already running on this display and was handed the "
                              "files, but none of them exists: it has nothing to open.");
    return QStringLiteral("Quorvane is already running on this display and took the files. Its "
                          "next workspace window opens %1 (File > New window opens one now).")
        .arg(QFileInfo(opened).fileName());
}

}  // namespace qv
