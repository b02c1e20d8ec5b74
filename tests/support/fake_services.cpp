#include "support/fake_services.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace qv::test {

ScopedFakeServices::ScopedFakeServices() {
    auto fake = std::make_unique<FakeServices>();
    fake_ = fake.get();
    InstallServices(std::move(fake));
}

ScopedFakeServices::~ScopedFakeServices() { InstallServices(nullptr); }

void DrainEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void DesktopResizes(QWidget* window, QSize size) {
    if (QWindow* native = window->windowHandle()) native->resize(size);
}

}  // namespace qv::test
