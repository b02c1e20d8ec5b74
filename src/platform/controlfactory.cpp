#include "platform/controlfactory.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFont>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/movie.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace qv {

namespace {

QFont MakeFont(const ControlSpec& s) {
    QFont font = QApplication::font();
    const QString family = QString::fromUtf8(s.font);
    if (!family.isEmpty() && family != QLatin1String("System")) font.setFamily(family);
    if (s.textSize > 0) font.setPixelSize(s.textSize);
    font.setBold(s.bold);
    return font;
}

Qt::Alignment Alignment(int align) {
    switch (align) {
        case 1: return Qt::AlignHCenter | Qt::AlignTop;
        case 2: return Qt::AlignRight | Qt::AlignTop;
        default: return Qt::AlignLeft | Qt::AlignTop;
    }
}

template <class F>
F Get(const HandlerMap& handlers, const QString& name) {
    auto it = handlers.find(name);
    if (it == handlers.end()) qFatal("no handler %s", qPrintable(name));
    if (const F* f = std::get_if<F>(&it->second)) return *f;
    qFatal("handler %s has the wrong signature", qPrintable(name));
}

using Void = std::function<void()>;
using Press = std::function<bool(int, int)>;
using Point = std::function<void(int, int)>;
using PaintFn = std::function<void(Graphics&)>;
using Drop = std::function<void(const std::vector<FolderItemPtr>&)>;

}  // namespace

QWidget* ControlSet::ContainerFor(const ControlSpec& spec) const {
    QWidget* content = window_->Content();
    if (!spec.parent) return content;
    QObject* parent = Find(QString::fromUtf8(spec.parent));
    if (!parent) qFatal("control %s: parent %s comes later", spec.name, spec.parent);
    if (auto* panel = qobject_cast<TabPanel*>(parent)) {
        QWidget* page = panel->Page(spec.page - 1);
        return page ? page : panel;
    }
    // A group box frames the controls it lies over; they live beside it.
    if (auto* box = qobject_cast<GroupBox*>(parent)) return box->parentWidget();
    if (auto* w = qobject_cast<QWidget*>(parent)) return w;
    return content;
}

void ControlSet::Build(std::span<const ControlSpec> specs, const HandlerMap& handlers) {
    std::map<QString, QButtonGroup*> groups;
    std::vector<StaticText*> labels;
    for (const ControlSpec& s : specs) {
        const QString name = QString::fromUtf8(s.name);
        const QStringList events =
            QString::fromUtf8(s.events).split(QLatin1Char(','), Qt::SkipEmptyParts);
        auto handler = [&](const QString& event) { return name + QLatin1Char('_') + event; };
        // Binds a listed no-argument event to its handler.
        auto bind = [&](const char* event, std::function<void()>& slot) {
            const QString e = QString::fromUtf8(event);
            if (events.contains(e)) slot = Get<Void>(handlers, handler(e));
        };
        QObject* object = nullptr;
        QWidget* widget = nullptr;
        // The text a control shows is fitted to the control's place, font and
        // layout, so it is given last, once the control has them all.
        std::function<void()> showText;
        QWidget* container = s.kind == ControlKind::Timer ? nullptr : ContainerFor(s);
        const QString text = QString::fromUtf8(s.text);
        const QStringList rows =
            s.rows ? QString::fromUtf8(s.rows).split(QLatin1Char('\n')) : QStringList();

        // 1. create, 2. declared properties, 3. bind events
        switch (s.kind) {
            case ControlKind::Canvas: {
                auto* c = new Canvas(container);
                widget = c;
                for (const QString& e : events) {
                    if (e == QLatin1String("MouseDown")) c->MouseDown = Get<Press>(handlers, handler(e));
                    else if (e == QLatin1String("MouseDrag")) c->MouseDrag = Get<Point>(handlers, handler(e));
                    else if (e == QLatin1String("MouseUp")) c->MouseUp = Get<Point>(handlers, handler(e));
                    else if (e == QLatin1String("Paint")) c->Paint = Get<PaintFn>(handlers, handler(e));
                    else if (e == QLatin1String("DropObject")) c->DropObject = Get<Drop>(handlers, handler(e));
                    else if (e == QLatin1String("MouseMove")) c->MouseMove = Get<Point>(handlers, handler(e));
                    else if (e == QLatin1String("MouseEnter")) c->MouseEnter = Get<Void>(handlers, handler(e));
                }
                break;
            }
            case ControlKind::PushButton: {
                auto* b = new PushButton(container);
                showText = [b, text] { b->SetCaption(text); };
                widget = b;
                if (s.isDefault) window_->SetDefaultButton(b);
                if (s.isCancel) window_->SetCancelButton(b);
                bind("Action", b->Action);
                break;
            }
            case ControlKind::BevelButton: {
                auto* b = new BevelButton(container);
                showText = [b, text] { b->SetCaption(text); };
                b->SetButtonType(s.buttonType);
                b->SetHasMenu(s.hasMenu);
                b->SetCaptionAlign(s.captionAlign);
                b->SetValue(s.value != 0);
                widget = b;
                bind("Action", b->Action);
                break;
            }
            case ControlKind::StaticText: {
                auto* t = new StaticText(container);
                if (s.hasColor) t->SetTextColor(s.color);
                t->setAlignment(Alignment(s.align));
                t->setWordWrap(s.multiline);
                showText = [t, text] { t->SetText(text); };
                labels.push_back(t);
                widget = t;
                break;
            }
            case ControlKind::CheckBox: {
                auto* c = new CheckBox(container);
                showText = [c, text] { c->SetCaption(text); };
                c->SetValue(s.value != 0);
                widget = c;
                bind("Action", c->Action);
                break;
            }
            case ControlKind::RadioButton: {
                auto* r = new RadioButton(container);
                showText = [r, text] { r->SetCaption(text); };
                if (s.group) {
                    QButtonGroup*& g = groups[QString::fromUtf8(s.group)];
                    if (!g) {
                        g = new QButtonGroup(window_);
                        g->setObjectName(QString::fromUtf8(s.group));
                        g->setExclusive(true);
                    }
                    g->addButton(r);
                }
                r->SetValue(s.value != 0);
                widget = r;
                bind("Action", r->Action);
                break;
            }
            case ControlKind::PopupMenu: {
                auto* p = new PopupMenu(container);
                for (const QString& row : rows) p->AddRow(row);
                p->SetListIndex(s.value);
                widget = p;
                bind("Change", p->Change);
                break;
            }
            case ControlKind::Slider: {
                auto* sl = new Slider(container);
                sl->setMinimum(s.minimum);
                sl->setMaximum(s.maximum);
                sl->setValue(s.value);
                sl->setSingleStep(s.lineStep);
                sl->setPageStep(s.pageStep);
                sl->setTracking(s.liveScroll);
                widget = sl;
                bind("ValueChanged", sl->ValueChanged);
                break;
            }
            case ControlKind::LittleArrows: {
                auto* a = new LittleArrows(container);
                widget = a;
                bind("Up", a->Up);
                bind("Down", a->Down);
                break;
            }
            case ControlKind::TabPanel: {
                auto* t = new TabPanel(container);
                t->resize(s.width, s.height);
                t->SetPages(rows);
                t->SetTabFont(MakeFont(s));
                t->SetValue(s.value);
                widget = t;
                bind("Change", t->Change);
                break;
            }
            case ControlKind::GroupBox: {
                auto* g = new GroupBox(container);
                showText = [g, text] { g->setTitle(text); };
                widget = g;
                break;
            }
            case ControlKind::ImageWell: {
                auto* w = new ImageWell(container);
                widget = w;
                if (events.contains(QLatin1String("DropObject"))) w->DropObject = Get<Drop>(handlers, handler(QStringLiteral("DropObject")));
                break;
            }
            case ControlKind::EditField: {
                auto* e = new EditField(container);
                e->setText(text);
                if (s.hasColor) e->SetTextColor(s.color);
                e->setReadOnly(s.readOnly);
                e->setAlignment(s.align == 1 ? Qt::AlignHCenter : s.align == 2 ? Qt::AlignRight : Qt::AlignLeft);
                widget = e;
                bind("TextChange", e->TextChange);
                break;
            }
            case ControlKind::Rectangle: {
                auto* r = new RectangleControl(container);
                if (s.hasColor) r->BorderColor = s.color;
                widget = r;
                break;
            }
            case ControlKind::ProgressBar: {
                auto* p = new ProgressBar(container);
                p->setRange(s.minimum, s.maximum);
                p->SetValue(s.value);
                widget = p;
                break;
            }
            case ControlKind::MoviePlayer: {
                auto* m = new MoviePlayer(container);
                widget = m;
                bind("Play", m->Play);
                break;
            }
            case ControlKind::Timer: {
                auto* t = new Timer(window_);
                t->SetPeriod(s.period);
                t->SetMode(s.mode);
                object = t;
                bind("Action", t->Action);
                break;
            }
        }
        if (widget) {
            object = widget;
            widget->setFont(MakeFont(s));
            SetControlBounds(widget, s.left, s.top, s.width, s.height);
            if (showText) showText();
            widget->setEnabled(s.enabled);
            widget->setVisible(s.visible);
            widget->raise();  // creation order is stacking order
            const QString locks = QString::fromUtf8(s.locks);
            placed_.push_back({widget, locks.contains(QLatin1Char('L')),
                               locks.contains(QLatin1Char('T')), locks.contains(QLatin1Char('R')),
                               locks.contains(QLatin1Char('B'))});
        }
        object->setObjectName(name);
        byName_[name] = object;
        order_.push_back(object);
        if (events.contains(QLatin1String("Open"))) open_.push_back(Get<Void>(handlers, handler(QStringLiteral("Open"))));
    }
    KeepTextsApart(labels);
}

void ControlSet::RunOpen() {
    for (const auto& open : open_) open();
}

QObject* ControlSet::Find(const QString& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

void ControlSet::WindowResized(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    // Work out every new place in window pixels first, then apply them parents first.
    std::vector<QRect> target;
    target.reserve(placed_.size());
    for (const Placed& p : placed_) {
        QRect r(ControlLeft(p.widget), ControlTop(p.widget), p.widget->width(), p.widget->height());
        if (p.lockRight && p.lockLeft) r.setWidth(std::max(0, r.width() + dx));
        else if (p.lockRight) r.translate(dx, 0);
        if (p.lockBottom && p.lockTop) r.setHeight(std::max(0, r.height() + dy));
        else if (p.lockBottom) r.translate(0, dy);
        target.push_back(r);
    }
    for (size_t i = 0; i < placed_.size(); ++i) {
        const QRect& r = target[i];
        SetControlBounds(placed_[i].widget, r.x(), r.y(), r.width(), r.height());
    }
}

}  // namespace qv
