#include "platform/longpass.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <utility>

namespace qv {

namespace {

int g_depth = 0;
bool g_cancelled = false;
LongPass* g_current = nullptr;
int g_cancelAtPoll = 0;   // armed for the next pass
int g_pollsToCancel = 0;  // polls of the current pass until the simulated cancel

class CancelWatch final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::ShortcutOverride: {
                auto* key = static_cast<QKeyEvent*>(event);
                const bool ctrlPeriod = key->key() == Qt::Key_Period &&
                                        key->modifiers().testFlag(Qt::ControlModifier);
                const bool escape = key->key() == Qt::Key_Escape && g_depth > 0;
                if (ctrlPeriod || escape) {
                    if (event->type() == QEvent::KeyPress) g_cancelled = true;
                    return true;
                }
                if (g_depth > 0) return true;
                break;
            }
            case QEvent::KeyRelease:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::Drop:
                if (g_depth > 0) return true;
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

LongPass::LongPass() : outer_(g_depth == 0) {
    if (outer_) {
        g_cancelled = false;
        g_current = this;
        g_pollsToCancel = std::exchange(g_cancelAtPoll, 0);
    }
    ++g_depth;
    sinceEvents_.start();
}

LongPass::~LongPass() {
    --g_depth;
    if (outer_) {
        g_current = nullptr;
        g_pollsToCancel = 0;
    }
}

void LongPass::KeepAlive() {
    if (sinceEvents_.elapsed() < 50) return;
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}

bool LongPass::Busy() { return g_depth > 0; }

bool UserCancelled() {
    if (g_current) g_current->KeepAlive();
    if (g_pollsToCancel > 0 && --g_pollsToCancel == 0) g_cancelled = true;
    return g_cancelled;
}

void InstallCancelWatch() {
    static CancelWatch* watch = nullptr;
    if (!watch && QCoreApplication::instance()) {
        watch = new CancelWatch;
        watch->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watch);
    }
}

void SimulateCancelKey() { g_cancelled = true; }

void SimulateCancelAtPoll(int k) { g_cancelAtPoll = k; }

}  // namespace qv
