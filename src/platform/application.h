#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>

#include "platform/core/folderitem.h"

namespace qv {

class MenuBar;

// The program's application object: the framework's events of the application
// and its menu handlers. One exists while the program runs.
class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    virtual void Event_Open() {}
    virtual void Event_OpenDocument(FolderItemPtr /*item*/) {}
    virtual void Event_EnableMenuItems() {}

    void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    bool HandleMenu(const QString& itemName, bool* handled);

    qv::MenuBar* MenuBar = nullptr;

    // The version record.
    int MajorVersion;
    int MinorVersion;
    int BugVersion;

    static Application* Instance();

private:
    std::map<QString, std::function<bool()>> menuHandlers_;
};

}  // namespace qv
