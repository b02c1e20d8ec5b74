#pragma once

#include <QStringList>
#include <memory>

#include "app/application_object.h"
#include "platform/menus.h"

namespace qv {

// The program's life from class initialisation to the finaliser. Members are
// released in reverse order of declaration, which is the finaliser's order:
// the cached resources, the windows, the application object, the file types,
// the menu bar and last the module globals.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Start-up after class initialisation: plug-ins, file types, the
    // application object with its menu bar, the application's menu handlers.
    void Start();
    // Queues the application's Open event and then one OpenDocument per
    // existing path, for the event loop to deliver.
    void DeliverLaunch(const QStringList& paths);
    // One OpenDocument per existing path, in order (documents that arrive later).
    void DeliverDocuments(const QStringList& paths);
    // Documents a second start handed over: delivered as above, and the front
    // window comes forward, so that the user sees where they went.
    void TakeHandedDocuments(const QStringList& paths);

private:
    struct Globals {
        Globals();
        ~Globals();
    } globals_;
    std::unique_ptr<MenuBar> menuBar_;
    struct FileTypesLifetime {
        ~FileTypesLifetime();
    } fileTypes_;
    std::unique_ptr<Class1> app_;
    struct WindowsLifetime {
        ~WindowsLifetime();
    } windows_;
    struct ResourcesLifetime {
        ~ResourcesLifetime();
    } resources_;
};

// What a second start says on standard error once the running program has
// taken its documents: that it did, and which one its next workspace window
// opens (the last that exists), or that none exists.
QString HandedOverMessage(const QStringList& paths);

}  // namespace qv
