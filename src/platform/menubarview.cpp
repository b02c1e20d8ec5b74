#include "platform/menubarview.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWindow>

#include "platform/menus.h"
#include "platform/window.h"

namespace qv {

namespace {

QKeySequence Shortcut(const QString& text) {
    if (text.isEmpty()) return QKeySequence();
    QString s = text;
    s.replace(QLatin1String("Cmd+"), QLatin1String("Ctrl+"));
    return QKeySequence(s);
}

Window* WindowOf(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        if (auto* w = qobject_cast<QWindow*>(object)) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->windowHandle() == w) return qobject_cast<Window*>(top);
        }
        return nullptr;
    }
    return qobject_cast<Window*>(widget->window());
}

class MenuUpdates final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
                if (MenuBar* bar = TheMenuBar()) {
                    Window* w = WindowOf(watched);
                    if (w && !w->Closed()) bar->Update(w);
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void AddItems(QMenu* menu, const MenuItem& parent, Window* window,
              std::vector<std::pair<QAction*, const MenuItem*>>* actions) {
    for (int i = 0; i < parent.Count(); ++i) {
        const MenuItem* item = parent.Item(i);
        if (item->Separator()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item->Text);
        action->setObjectName(item->Name);
        action->setShortcut(Shortcut(item->KeyboardShortcut));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(item->Enabled);
        if (item->Kind == MenuKind::Quit) action->setMenuRole(QAction::QuitRole);
        if (item->Kind == MenuKind::Apple) action->setMenuRole(QAction::AboutRole);
        const QString name = item->Name;
        const bool quit = item->Kind == MenuKind::Quit;
        QPointer<Window> w(window);
        QObject::connect(action, &QAction::triggered, window, [name, quit, w] {
            if (quit) {
                QuitApplication();
                return;
            }
            DispatchMenuCommand(name, w);
        });
        actions->push_back({action, item});
    }
}

}  // namespace

QMenuBar* BuildMenuBarView(const MenuBar& model, Window* window) {
    auto* bar = new QMenuBar(window);
    bar->setNativeMenuBar(false);
    auto actions = std::make_shared<std::vector<std::pair<QAction*, const MenuItem*>>>();
    for (int i = 0; i < model.Count(); ++i) {
        const MenuItem* m = model.Item(i);
        QMenu* menu = bar->addMenu(m->Text);
        menu->setObjectName(m->Name);
        AddItems(menu, *m, window, actions.get());
        QPointer<Window> w(window);
        QObject::connect(menu, &QMenu::aboutToShow, window, [w] {
            if (MenuBar* b = TheMenuBar(); b && w) b->Update(w);
        });
    }
    auto sync = [actions] {
        for (auto& [action, item] : *actions) action->setEnabled(item->Enabled);
    };
    QObject::connect(&model, &MenuBar::Updated, bar, sync);
    sync();
    return bar;
}

void InstallMenuUpdates() {
    static MenuUpdates* filter = nullptr;
    if (!filter && QCoreApplication::instance()) {
        filter = new MenuUpdates;
        filter->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
}

}  // namespace qv
