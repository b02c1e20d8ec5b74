#include "platform/application.h"

#ifndef QV_VERSION_MAJOR
#define QV_VERSION_MAJOR 0
#define QV_VERSION_MINOR 0
#define QV_VERSION_PATCH 0
#endif

namespace qv {

namespace {
Application* g_app = nullptr;
}

Application::Application()
    : MajorVersion(QV_VERSION_MAJOR), MinorVersion(QV_VERSION_MINOR), BugVersion(QV_VERSION_PATCH) {
    g_app = this;
}

Application::~Application() {
    if (g_app == this) g_app = nullptr;
}

Application* Application::Instance() { return g_app; }

void Application::AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName] = std::move(handler);
}

bool Application::HandleMenu(const QString& itemName, bool* handled) {
    auto it = menuHandlers_.find(itemName);
    *handled = it != menuHandlers_.end() && it->second;
    return *handled ? it->second() : false;
}

}  // namespace qv
