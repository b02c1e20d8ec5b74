#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace qv {

class Window;

enum class MenuKind { Item, Quit, Apple };

// A named menu or menu item. Code finds items by Name; only their enabled
// state changes at run time.
class MenuItem {
public:
    MenuItem(MenuKind kind = MenuKind::Item) : Kind(kind) {}
    virtual ~MenuItem() = default;

    QString Name;
    QString Text;
    QString KeyboardShortcut;  // "Cmd+N"; "" for none
    bool AutoEnable = false;
    MenuKind Kind;
    bool Enabled = false;

    void Append(std::unique_ptr<MenuItem> item);
    // A direct child by name.
    MenuItem* Child(const QString& name) const;
    // This item or any descendant by name.
    MenuItem* Find(const QString& name);
    int Count() const { return static_cast<int>(children_.size()); }
    MenuItem* Item(int i) const { return children_[static_cast<size_t>(i)].get(); }
    MenuItem* Parent() const { return parent_; }
    bool Separator() const { return Text == QLatin1String("-"); }

private:
    std::vector<std::unique_ptr<MenuItem>> children_;
    MenuItem* parent_ = nullptr;
};

// The one menu bar: its children are the menus.
class MenuBar : public QObject, public MenuItem {
    Q_OBJECT
public:
    MenuBar() = default;
    ~MenuBar() override;
    // Every item that does not enable itself starts disabled; then the front
    // window (the given one, or the front one) and the application enable
    // what they serve.
    void Update(Window* front = nullptr);

signals:
    // After every update: the menu bars shown on windows follow the new states.
    void Updated();
};

// The application's menu bar, or none before start-up and after shut-down.
MenuBar* TheMenuBar();
void SetTheMenuBar(MenuBar* bar);

// Enables an item of the menu bar by name (EnableMenuItems handlers use it).
void EnableItem(const QString& name);
bool ItemEnabled(const QString& name);

// Runs a menu command: the front window's handler first; when it has none or
// returns false, the application's handler of the same name. Returns whether a
// handler finished the command.
bool DispatchMenuCommand(const QString& name, Window* front = nullptr);

// What runs once the last window has closed (the program's main quits; none
// by default). A moment in which one window closes before the next is shown
// does not count: the check runs after the event that closed the window.
void SetLastWindowClosed(std::function<void()> action);
void AfterWindowClosed();
// The Quit command: closes every window; quits once all have closed. While it
// runs, Quitting() (platform/window.h) is true.
void QuitApplication();

}  // namespace qv
