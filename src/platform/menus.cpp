#include "platform/menus.h"

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

void MenuBar::Update() {
    DisableAll(this);
    if (Window* front = FrontWindow()) front->Event_EnableMenuItems();
    if (Application* app = Application::Instance()) app->Event_EnableMenuItems();
    for (auto* observer : observers)
        if (observer && *observer) (*observer)();
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

bool DispatchMenuCommand(const QString& name) {
    bool handled = false;
    if (Window* front = FrontWindow()) {
        if (front->HandleMenu(name, &handled)) return true;
    }
    if (Application* app = Application::Instance()) {
        bool appHandled = false;
        if (app->HandleMenu(name, &appHandled)) return true;
    }
    return false;
}

}  // namespace qv
