#include "platform/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <utility>

#include <QMenuBar>
#include <QShortcut>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/longpass.h"
#include "platform/menubarview.h"
#include "platform/menus.h"
#include "platform/services.h"

namespace qv {

namespace {

int g_quitting = 0;
int g_builtWhileQuitting = 0;

// The window shown last: the one the program wants in front.
QPointer<Window> g_wantedFront;

// The frames the desktop last reported, for windows of fixed size [0] and
// resizable ones [1]; they stand in for a window's own until it is told.
struct ReportedFrame {
    QMargins margins;
    bool seen = false;
};
ReportedFrame g_reportedFrames[2];

// How long a window shown for the first time waits, at most, for the desktop
// to tell its frame: polls 10 ms apart.
constexpr int kFramePollMs = 10;
constexpr int kFramePolls = 300;

// How long after a window is first shown the desktop may still be taking it
// in: activations of other windows then are the desktop's, not the user's.
constexpr int kTakingInMs = 1000;

// A window the desktop has just taken in lies in front; the window the program
// showed last goes back in front of it.
void BringBackWantedFront(const Window* taken) {
    Window* wanted = g_wantedFront.data();
    if (!wanted || wanted == taken || wanted->Closed() || !wanted->isVisible()) return;
    wanted->raise();
    wanted->activateWindow();
}

std::vector<QPointer<Window>>& OpenWindows() {
    static std::vector<QPointer<Window>> windows;
    return windows;
}

void Prune() {
    auto& w = OpenWindows();
    w.erase(std::remove_if(w.begin(), w.end(),
                           [](const QPointer<Window>& p) { return !p || p->Closed(); }),
            w.end());
}

}  // namespace

namespace detail {

void RegisterWindow(Window* w) {
    Prune();
    OpenWindows().insert(OpenWindows().begin(), w);
}

void UnregisterWindow(Window* w) {
    auto& list = OpenWindows();
    list.erase(std::remove(list.begin(), list.end(), QPointer<Window>(w)), list.end());
    Prune();
}

void BringToFront(Window* w) {
    auto& list = OpenWindows();
    auto it = std::find(list.begin(), list.end(), QPointer<Window>(w));
    if (it == list.end() || it == list.begin()) return;
    QPointer<Window> p = *it;
    list.erase(it);
    list.insert(list.begin(), p);
}

void ScheduleShow(Window* w) {
    QPointer<Window> p(w);
    QTimer::singleShot(0, w, [p] {
        if (p && !p->Closed() && !p->everShown_ && !Quitting()) p->Show();
    });
}

void NoteBuiltWhileQuitting() { ++g_builtWhileQuitting; }

QuittingScope::QuittingScope() { ++g_quitting; }

QuittingScope::~QuittingScope() { --g_quitting; }

}  // namespace detail

bool Quitting() { return g_quitting > 0; }

int WindowsBuiltWhileQuitting() { return g_builtWhileQuitting; }

int WindowCount() {
    Prune();
    return static_cast<int>(OpenWindows().size());
}

Window* WindowAt(int index) {
    Prune();
    const auto& list = OpenWindows();
    if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
    return list[static_cast<size_t>(index)];
}

Window* FrontWindow() {
    Prune();
    for (const auto& w : OpenWindows())
        if (w->isVisible()) return w;
    return nullptr;
}

void DestroyAllWindows() {
    auto list = OpenWindows();
    OpenWindows().clear();
    for (auto& w : list) delete w.data();
}

Window::Window() : content_(new QWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    content_->installEventFilter(this);
    content_->setFocusPolicy(Qt::ClickFocus);
    setFocusPolicy(Qt::StrongFocus);
    Relayout();
}

Window::~Window() { detail::UnregisterWindow(this); }

int Window::BarHeight() const { return topBar_ ? topBar_->sizeHint().height() : 0; }

void Window::SetTopBar(QWidget* bar) {
    topBar_ = bar;
    if (bar) bar->setParent(this);
    Relayout();
}

void Window::Relayout() {
    const int bar = BarHeight();
    if (topBar_) topBar_->setGeometry(0, 0, width_, bar);
    content_->setGeometry(0, bar, width_, height_);
    const QSize total(width_, height_ + bar);
    // Once shown, a new size is a request the desktop answers later.
    if (everShown_ && size() != total) sizeNotices_.Asked(total);
    if (resizeable_) {
        // The minimum gives way to a size that fits the screen.
        setMinimumSize(std::min(minWidth_, width_), std::min(minHeight_, height_) + bar);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(total);
    } else {
        setFixedSize(total);
        resize(total);  // also when the fixed size stays, but the window lost it
    }
    // A centred window stands where it will show from the start, so that a
    // window placed beside it before it shows lies beside it.
    if (centred_ && !placed_ && !everShown_ && !ShrinkToArea()) Centre();
    if (HasPlace()) KeepOnScreen();
}

QMargins Window::Frame() const {
    ReportedFrame& kind = g_reportedFrames[resizeable_ ? 1 : 0];
    if (const std::optional<QMargins> own = Platform().FrameExtents(this)) {
        if (WindowManagerDrawsFrames()) kind = {*own, true};
        return *own;
    }
    if (kind.seen) return kind.margins;
    const ReportedFrame& other = g_reportedFrames[resizeable_ ? 0 : 1];
    return other.seen ? other.margins : QMargins();
}

QRect Window::FrameRect() const { return geometry().marginsAdded(Frame()); }

int Window::LeftBeside(const Window& anchor) const {
    return anchor.Left() + anchor.Width() + anchor.Frame().right() + Frame().left();
}

void Window::SetSizeOnScreen(int width, int height) {
    const QMargins f = Frame();
    const QRect area = Platform().AvailableArea(FrameRect());
    if (!area.isEmpty()) {
        width = std::min(width, area.width() - f.left() - f.right());
        height = std::min(height, area.height() - f.top() - f.bottom() - BarHeight());
    }
    SetSize(width, height);
}

void Window::SetFrameButtons(bool closeBox, bool minimiseBox, bool zoomBox) {
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
    if (closeBox) flags |= Qt::WindowCloseButtonHint;
    if (minimiseBox) flags |= Qt::WindowMinimizeButtonHint;
    if (zoomBox) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
}

void Window::Centre() {
    const QRect whole = FrameRect();
    const QRect area = Platform().AvailableArea(whole);
    const QMargins f = Frame();
    setGeometry(area.x() + (area.width() - whole.width()) / 2 + f.left(),
                area.y() + (area.height() - whole.height()) / 2 + f.top(), width(), height());
}

void Window::CheckFrame() {
    if (closed_ || frameKnown_) return;
    const std::optional<QMargins> own = Platform().FrameExtents(this);
    if (!own) {
        if (++framePolls_ >= kFramePolls && framePoll_) framePoll_->stop();
        return;
    }
    frameKnown_ = true;
    if (framePoll_) framePoll_->stop();
    Frame();  // remembered for the windows of its kind that follow
    // A window placed or sized after it was mapped and before the desktop had
    // taken it in may have lost that request to the desktop: it asks again.
    if (geometry() != mappedAt_) {
        const QPoint at = pos();
        reasking_ = true;
        move(at + QPoint(0, 1));
        move(at);
        reasking_ = false;
    }
    // The desktop has taken the window in and put it in front: the window the
    // program showed last goes back there.
    BringBackWantedFront(this);
    if (*own == frameCounted_) return;
    frameCounted_ = *own;
    if (centred_ && !placed_ && QPoint(Left(), Top()) == shownAt_) Centre();
    KeepOnScreen();
    Event_FrameChanged();
}

bool Window::ShrinkToArea() {
    const QRect frame = FrameRect();
    const QRect area = Platform().AvailableArea(frame);
    if (area.isEmpty()) return false;
    const int fitWidth = std::max(std::min(width_, width_ + area.width() - frame.width()), 1);
    const int fitHeight = std::max(std::min(height_, height_ + area.height() - frame.height()), 1);
    if (fitWidth == width_ && fitHeight == height_) return false;
    SetSize(fitWidth, fitHeight);
    return true;
}

void Window::KeepOnScreen() {
    if (closed_) return;
    // The whole window as the desktop shows it, frame and menu bar included.
    const QRect frame = FrameRect();
    const QRect area = Platform().AvailableArea(frame);
    if (area.isEmpty()) return;
    // Sizing runs this again, and then it only moves.
    if (ShrinkToArea()) return;
    auto least = [](int low, int high, int areaLow, int areaHigh) {
        if (high > areaHigh) return std::max(areaHigh - high, areaLow - low);
        if (low < areaLow) return areaLow - low;
        return 0;
    };
    const int dx = least(frame.left(), frame.right(), area.left(), area.right());
    const int dy = least(frame.top(), frame.bottom(), area.top(), area.bottom());
    if (dx != 0 || dy != 0) setGeometry(geometry().translated(dx, dy));
}

void Window::SetSize(int width, int height) {
    // A size the desktop reported is taken up here; a size set while the
    // window is laid out at it (fitting it to the screen) is the program's.
    const bool given = std::exchange(takingSize_, false);
    sizeNotices_.Set();
    const int dx = std::max(width, 1) - width_, dy = std::max(height, 1) - height_;
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    Relayout();
    if (controls_) controls_->WindowResized(dx, dy);
    emit Resized();
    if (opened_ && !closed_ && (dx != 0 || dy != 0)) {
        const bool outer = std::exchange(sizedByUser_, given);
        Event_Resized();
        sizedByUser_ = outer;
    }
}

void Window::DrawInto(Graphics& g, int x, int y, QSize whole) {
    for (Canvas* c : content_->findChildren<Canvas*>()) c->Refresh();
    const QSize shown(width_, height_);
    if (!whole.isValid()) whole = shown;
    PicturePtr shot = NewPicture(whole.width(), whole.height());  // white where nothing is drawn
    if (!shot) return;
    // The content grows to the whole for the moment it is rendered.
    if (whole != shown) content_->resize(whole);
    content_->render(&shot->Image(), QPoint(), QRegion(), QWidget::DrawChildren);
    if (whole != shown) content_->resize(shown);
    g.DrawPicture(shot, x, y);
}

void Window::BuildControls(std::span<const ControlSpec> specs, const HandlerMap& handlers) {
    if (!controls_) controls_ = std::make_unique<ControlSet>(this);
    controls_->Build(specs, handlers);
}

QObject* Window::Control(const QString& name) const {
    return controls_ ? controls_->Find(name) : nullptr;
}

int Window::ControlCount() const { return controls_ ? controls_->Count() : 0; }

QObject* Window::ControlAt(int index) const {
    return controls_ && index >= 0 && index < controls_->Count() ? controls_->At(index) : nullptr;
}

void Window::OpenControls() {
    if (controls_) controls_->RunOpen();
}

void Window::SetDefaultButton(PushButton* button) {
    if (defaultButton_) defaultButton_->setDefault(false);
    defaultButton_ = button;
    if (button) button->setDefault(true);
    if (!returnKey_) {
        returnKey_ = new QShortcut(QKeySequence(Qt::Key_Return), this);
        enterKey_ = new QShortcut(QKeySequence(Qt::Key_Enter), this);
        for (QShortcut* key : {returnKey_, enterKey_}) {
            connect(key, &QShortcut::activated, this, [this] {
                if (defaultButton_) defaultButton_->Push();
            });
        }
    }
}

PushButton* Window::DefaultButton() const { return defaultButton_.data(); }

PushButton* Window::CancelButton() const { return cancelButton_.data(); }

void Window::SetCancelButton(PushButton* button) {
    cancelButton_ = button;
    if (!escapeKey_) {
        escapeKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(escapeKey_, &QShortcut::activated, this, [this] {
            if (cancelButton_) cancelButton_->Push();
        });
    }
}

void Window::SetResizeable(bool resizeable) {
    resizeable_ = resizeable;
    Relayout();
}

int Window::Left() const { return geometry().x(); }

int Window::Top() const { return geometry().y() + BarHeight(); }

void Window::SetLeft(int left) {
    placed_ = true;
    setGeometry(left, geometry().y(), width(), height());
    KeepOnScreen();
}

void Window::SetTop(int top) {
    placed_ = true;
    setGeometry(geometry().x(), top - BarHeight(), width(), height());
    KeepOnScreen();
}

void Window::Show() {
    if (closed_) return;
    const bool first = !everShown_;
    if (first) {
        // A window the program gave no place stands at the area's top-left
        // corner, asked for before it shows: a window manager that placed it
        // itself would have the program's later move arrive after its own.
        if (centred_ && !placed_) Centre();
        if (!centred_ && !placed_) {
            const QRect area = Platform().AvailableArea(FrameRect());
            const QMargins f = Frame();
            if (!area.isEmpty()) move(area.left() + f.left(), area.top() + f.top());
        }
        shownAt_ = QPoint(Left(), Top());
        frameCounted_ = Frame();
        firstActivation_ = true;
        firstShown_.start();
    }
    everShown_ = true;
    g_wantedFront = this;
    // The desktop maps the window at the size it shows at: a size it may yet
    // report after a later one the program asks for.
    if (first) sizeNotices_.Asked(size());
    show();
    if (first) mappedAt_ = geometry();
    // The sizes the desktop reports are read off the native window, one by
    // one in the order they come.
    if (QWindow* native = windowHandle(); native && native != noticed_) {
        native->installEventFilter(this);
        noticed_ = native;
    }
    if (first && !frameKnown_) {
        if (Platform().FrameExtents(this)) {
            CheckFrame();
        } else if (WindowManagerDrawsFrames()) {
            // The window manager tells the frame once it has taken the window in.
            framePoll_ = new QTimer(this);
            framePoll_->setInterval(kFramePollMs);
            connect(framePoll_, &QTimer::timeout, this, &Window::CheckFrame);
            framePoll_->start();
        }
    }
    // The desktop may have placed it, or only now tell the size of its frame.
    KeepOnScreen();
    raise();
    activateWindow();
    detail::BringToFront(this);
    // Where showing put the window (the desktop's frame, the screen's edge) is
    // a move like any other, also when the desktop sent no move of its own.
    const QPoint at(Left(), Top());
    if (at != shownAt_) {
        shownAt_ = at;
        Event_Moved();
    }
}

void Window::Close() {
    if (!closed_) close();
}

void Window::Open() {
    if (opened_) return;
    opened_ = true;
    if (MenuBarVisible && !topBar_) {
        if (MenuBar* bar = TheMenuBar()) SetTopBar(BuildMenuBarView(*bar, this));
    }
    detail::RegisterWindow(this);
    OpenControls();
    Event_Open();
}

void Window::AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName] = std::move(handler);
}

bool Window::HandleMenu(const QString& itemName, bool* handled) {
    auto it = menuHandlers_.find(itemName);
    *handled = it != menuHandlers_.end() && it->second;
    return *handled ? it->second() : false;
}

void Window::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    // No window goes away under a pass that is still running.
    if (LongPass::Busy() || Event_CancelClose()) {
        event->ignore();
        return;
    }
    Event_Close();
    closed_ = true;
    event->accept();
    detail::UnregisterWindow(this);
    // Deleted later: a menu command or handler of this window may still be running.
    deleteLater();
    // Quit once no window is left, but only after the current event: a handler
    // that closes one window and shows the next does not end the program.
    AfterWindowClosed();
}

void Window::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool modifierOnly = key == Qt::Key_Shift || key == Qt::Key_Control ||
                              key == Qt::Key_Alt || key == Qt::Key_Meta;
    if (!modifierOnly && Event_KeyDown(event->text())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Window::eventFilter(QObject* watched, QEvent* event) {
    if (watched == noticed_ && event->type() == QEvent::Resize && event->spontaneous() &&
        opened_ && !closed_) {
        reported_ = static_cast<QResizeEvent*>(event)->size();
        notice_ = sizeNotices_.Reported(reported_, OwnSize());
        // Answered once the reports that came together have all arrived.
        if (!answerQueued_) {
            answerQueued_ = true;
            QTimer::singleShot(0, this, [this] { AnswerSizeNotice(); });
        }
        return false;
    }
    if (watched == content_) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint p = me->position().toPoint();
            Event_MouseDown(p.x(), p.y());
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint p = me->position().toPoint();
            Event_MouseUp(p.x(), p.y());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Window::AnswerSizeNotice() {
    answerQueued_ = false;
    if (closed_) return;
    const QSize shows = size();
    // A later report is still on its way (its answer follows), or the program
    // has set a size of its own since.
    if (shows != reported_) return;
    if (shows == OwnSize()) return;
    // A late notice of the program's earlier size, or a size a fixed-size
    // window cannot take: the program's size is asked for again, but only so
    // often, not for as long as a desktop refuses it.
    const bool askAgain = notice_ == SizeNotices::Notice::Late || !resizeable_;
    if (askAgain && sizeNotices_.AskAgain()) {
        Relayout();
        return;
    }
    // A fixed-size window keeps its size and its layout.
    if (!resizeable_) return;
    // A size the user or the desktop gave a resizable window becomes its own.
    takingSize_ = true;
    SetSize(shows.width(), std::max(shows.height() - BarHeight(), 1));
}

bool Window::FrontIsComing() const {
    const Window* wanted = g_wantedFront.data();
    return wanted && wanted != this && !wanted->closed_ && wanted->isVisible() &&
           wanted->firstActivation_ && wanted->firstShown_.isValid() &&
           wanted->firstShown_.elapsed() < kTakingInMs;
}

bool Window::event(QEvent* event) {
    if (event->type() == QEvent::Move && everShown_ && !closed_ && !reasking_) {
        const QPoint at(Left(), Top());
        if (at != shownAt_) {
            shownAt_ = at;
            Event_Moved();
        }
    }
    if (event->type() == QEvent::WindowActivate && !closed_ && FrontIsComing()) {
        // The desktop handed the focus on here (the window in front went away)
        // while the window the program showed last is still being taken in:
        // that one takes the front, and this one was not chosen by the user.
        BringBackWantedFront(this);
        return QWidget::event(event);
    }
    if (event->type() == QEvent::WindowActivate && !closed_) {
        // A window the desktop activates as it first shows it takes the front
        // from the window the program showed after it: that one goes back.
        if (firstActivation_) {
            firstActivation_ = false;
            CheckFrame();
            BringBackWantedFront(this);
        }
        detail::BringToFront(this);
        Event_Activate();
        if (MenuBar* bar = TheMenuBar()) bar->Update(this);
    }
    return QWidget::event(event);
}

}  // namespace qv
