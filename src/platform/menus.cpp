#include "platform/menus.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include "platform/application.h"
#include "platform/window.h"

namespace qv {

namespace {
MenuBar* g_menuBar = nullptr;

void DisableAll(MenuItem* item) {
    for (int i = 0; i < item->Count(); ++i) {
        MenuItem* child = item->Item(i);
        child->Enabled = child->AutoEnable;
        DisableAll(child);
    }
}
}  // namespace

void MenuItem::Append(std::unique_ptr<MenuItem> item) {
    item->parent_ = this;
    children_.push_back(std::move(item));
}

MenuItem* MenuItem::Child(const QString& name) const {
    for (const auto& c : children_)
        if (c->Name == name) return c.get();
    return nullptr;
}

MenuItem* MenuItem::Find(const QString& name) {
    if (Name == name) return this;
    for (const auto& c : children_)
        if (MenuItem* found = c->Find(name)) return found;
    return nullptr;
}

MenuBar::~MenuBar() {
    if (g_menuBar == this) g_menuBar = nullptr;
}

void MenuBar::Update(Window* front) {
    DisableAll(this);
    if (!front) front = FrontWindow();
    if (front && !front->Closed()) front->Event_EnableMenuItems();
    if (Application* app = Application::Instance()) app->Event_EnableMenuItems();
    emit Updated();
}

MenuBar* TheMenuBar() { return g_menuBar; }

void SetTheMenuBar(MenuBar* bar) { g_menuBar = bar; }

void EnableItem(const QString& name) {
    if (!g_menuBar) return;
    if (MenuItem* item = g_menuBar->Find(name)) item->Enabled = true;
}

bool ItemEnabled(const QString& name) {
    if (!g_menuBar) return false;
    MenuItem* item = g_menuBar->Find(name);
    return item && item->Enabled;
}

bool DispatchMenuCommand(const QString& name, Window* front) {
    if (!front) front = FrontWindow();
    QPointer<Window> window(front);
    bool done = false;
    if (window && !window->Closed()) {
        bool handled = false;
        done = window->HandleMenu(name, &handled);
    }
    if (!done) {
        if (Application* app = Application::Instance()) {
            bool handled = false;
            done = app->HandleMenu(name, &handled);
        }
    }
    if (g_menuBar) g_menuBar->Update();
    return done;
}

namespace {
std::function<void()>& LastWindowClosed() {
    static std::function<void()> action;
    return action;
}
}  // namespace

void SetLastWindowClosed(std::function<void()> action) { LastWindowClosed() = std::move(action); }

void AfterWindowClosed() {
    static bool pending = false;
    if (!LastWindowClosed() || pending) return;
    pending = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        pending = false;
        if (LastWindowClosed() && WindowCount() == 0) LastWindowClosed()();
    });
}

void QuitApplication() {
    if (Quitting()) return;
    detail::QuittingScope quitting;
    std::vector<QPointer<Window>> open;
    for (int i = 0; i < WindowCount(); ++i) open.emplace_back(WindowAt(i));
    // Back to front, as the windows were opened.
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (*it) (*it)->Close();
    // A window that stays open (a pass still running) keeps the program going.
    for (const auto& w : open)
        if (w && !w->Closed()) return;
    // Windows that a close handler built on the way go as well.
    for (int round = 0; round < 8 && WindowCount() > 0; ++round)
        for (int i = WindowCount() - 1; i >= 0; --i)
            if (Window* w = WindowAt(i)) w->Close();
    if (WindowCount() > 0) return;
    if (!LastWindowClosed()) QCoreApplication::quit();
    else if (open.empty()) LastWindowClosed()();
    // otherwise the last window's close ends the program after the current event
}

}  // namespace qv
