#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

#include "platform/controlfactory.h"
#include "platform/core/size_notices.h"

class QShortcut;
class QTimer;
class QWindow;

namespace qv {

class PushButton;
class Window;
namespace detail {
void ScheduleShow(Window* w);
}

// A top-level window. Its Left, Top, Width and Height are those of the content
// area, where controls are placed in window pixels; a menu bar, when the window
// carries one, sits above that area.
class Window : public QWidget {
    Q_OBJECT
public:
    Window();
    ~Window() override;

    QString Title() const { return windowTitle(); }
    void SetTitle(const QString& title) { setWindowTitle(title); }

    int Left() const;
    int Top() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);

    // Moves the window by the least step that keeps the whole of it, menu bar
    // and the desktop's frame included, inside the screen's available area; a
    // window larger than the area first shrinks to the largest size that fits
    // (its controls keep their places; the minimum size gives way). SetLeft,
    // SetTop, SetSize and Show call it after they have placed or sized the
    // window, and it runs again once the desktop tells the frame, so a window
    // only calls it itself when something else has moved it.
    void KeepOnScreen();

    // The frame the desktop's window manager draws around the window (title
    // bar and borders): the one it reported for this window, or, before it has,
    // the one it last reported for a window of the same kind (resizable or
    // not). Empty where no frame is known (offscreen): there the content
    // geometry is the whole window.
    QMargins Frame() const;
    // The whole window as the desktop shows it, menu bar and frame included.
    QRect FrameRect() const;
    // What the desktop shows around the content area: the frame, and the menu
    // bar above the content.
    QMargins Chrome() const { return Frame() + QMargins(0, BarHeight(), 0, 0); }
    // The Left that puts this window at `anchor`'s right edge (anchor's Left +
    // Width) with the two frames side by side, neither over the other.
    int LeftBeside(const Window& anchor) const;
    // SetSize for a size worked out from the screen: the size shrinks, where it
    // must, so that the whole window, frame and menu bar included, fits the
    // screen's available area.
    void SetSizeOnScreen(int width, int height);
    // The buttons of the window's frame. A window has close, minimise and zoom
    // boxes until it says otherwise; call before the window is shown.
    void SetFrameButtons(bool closeBox, bool minimiseBox, bool zoomBox);

    // Shows the window and brings it to the front.
    void Show();
    void Hide() { hide(); }
    // Closes the window as its close box does (its Close events run). Once closed,
    // its single-instance accessor builds a new window.
    void Close();
    bool Closed() const { return closed_; }
    bool Visible() const { return isVisible(); }

    // The widget that holds the controls; its coordinates are window pixels.
    QWidget* Content() const { return content_; }

    // Runs the controls' Open handlers and then Event_Open; the accessor calls it once.
    void Open();

    // Menu handlers by item name; true means the command is done.
    void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    // Runs the handler for an item; *handled tells whether the window has one.
    bool HandleMenu(const QString& itemName, bool* handled);

    virtual void Event_Open() {}
    virtual bool Event_CancelClose() { return false; }
    virtual void Event_Close() {}
    virtual void Event_EnableMenuItems() {}
    // A press on the window's content outside its controls; true when handled.
    virtual bool Event_MouseDown(int /*x*/, int /*y*/) { return false; }
    virtual void Event_MouseUp(int /*x*/, int /*y*/) {}
    // A key pressed in the window; true when handled.
    virtual bool Event_KeyDown(const QString& /*key*/) { return false; }
    virtual void Event_Activate() {}
    // The window was moved (by the user, by code, or by the desktop as it
    // showed it) once it had been shown.
    virtual void Event_Moved() {}
    // The window changed size, by the user or by code, once it had opened.
    virtual void Event_Resized() {}
    // While Event_Resized runs: the size is one the user or the desktop gave
    // the window, not one the program set.
    bool SizedByUser() const { return sizedByUser_; }
    // The desktop told the window's frame after the window had been placed
    // with the frame it expected (or with none): a window docked to another
    // docks again.
    virtual void Event_FrameChanged() {}

    // Renders the content area as it is drawn, with white where nothing is,
    // into g at (x, y). Canvases show their backdrops and Paint, without what
    // was drawn on their surfaces since. A `whole` size renders the content
    // laid out at that size, also where the window shows less of it.
    void DrawInto(Graphics& g, int x, int y, QSize whole = QSize());

    // Framework-style window properties, applied by the window's Layout.
    void SetResizeable(bool resizeable);
    void SetMinimumSize(int w, int h) { minWidth_ = w, minHeight_ = h; }
    void SetCentred(bool centred) { centred_ = centred; }
    // Shown by the accessor (deferred to the event loop) when true.
    bool DeclaredVisible = true;
    // The window carries the application's menu bar above its content.
    bool MenuBarVisible = true;

    // A widget shown above the content area (the menu bar).
    void SetTopBar(QWidget* bar);
    QWidget* TopBar() const { return topBar_; }

    // The window's declared controls, built by the control factory.
    void BuildControls(std::span<const ControlSpec> specs, const HandlerMap& handlers);
    QObject* Control(const QString& name) const;
    template <class T>
    T* ControlNamed(const QString& name) const {
        return qobject_cast<T*>(Control(name));
    }
    int ControlCount() const;
    QObject* ControlAt(int index) const;

    // Return presses the default button, Escape the cancel button.
    void SetDefaultButton(PushButton* button);
    void SetCancelButton(PushButton* button);
    PushButton* DefaultButton() const;
    PushButton* CancelButton() const;

signals:
    void Resized();

protected:
    // Runs the controls' Open handlers, in creation order.
    virtual void OpenControls();
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Relayout();
    // Whether the program chose the window's place (or the desktop already did):
    // only then is it kept on the screen.
    bool HasPlace() const { return placed_ || everShown_; }
    int BarHeight() const;
    // A window whose frame is larger than the screen's available area takes
    // the largest size that fits it; true when it was resized.
    bool ShrinkToArea();
    // Centres the whole window, frame included, in the screen's available area.
    void Centre();
    // Takes up the frame once the desktop reports it for this window.
    void CheckFrame();
    // The window the program showed last is another one, shown just now for
    // the first time and not yet activated by the desktop.
    bool FrontIsComing() const;
    // The whole client area the program wants: content and menu bar.
    QSize OwnSize() const { return QSize(width_, height_ + BarHeight()); }
    // Answers the sizes the desktop reported last: takes up a size the user
    // or the desktop gave a resizable window, and asks again, a bounded
    // number of times, for the program's size after a late notice of an
    // earlier one, or after any other size given to a fixed-size window.
    void AnswerSizeNotice();

    QWidget* content_;
    QWidget* topBar_ = nullptr;
    std::unique_ptr<ControlSet> controls_;
    QPointer<PushButton> defaultButton_;
    QPointer<PushButton> cancelButton_;
    QShortcut* returnKey_ = nullptr;
    QShortcut* enterKey_ = nullptr;
    QShortcut* escapeKey_ = nullptr;
    std::map<QString, std::function<bool()>> menuHandlers_;
    int width_ = 100, height_ = 100;
    int minWidth_ = 0, minHeight_ = 0;
    bool resizeable_ = true;
    bool centred_ = false;
    bool placed_ = false;
    bool closed_ = false;
    bool opened_ = false;
    bool everShown_ = false;
    QPoint shownAt_;  // where the content area was when last shown or moved
    QMargins frameCounted_;   // the frame the window was placed with
    bool frameKnown_ = false;  // the desktop has reported this window's frame
    bool firstActivation_ = false;  // shown, and not yet activated since
    QElapsedTimer firstShown_;      // since the window was first shown
    QRect mappedAt_;                // where the window was when it was first shown
    bool reasking_ = false;         // asking the desktop again for the window's place
    SizeNotices sizeNotices_;       // the sizes asked for and the desktop's reports
    QPointer<QWindow> noticed_;     // the native window whose size reports are read
    QSize reported_;                // the size the desktop reported last
    SizeNotices::Notice notice_ = SizeNotices::Notice::Own;  // and what it was
    bool answerQueued_ = false;     // AnswerSizeNotice is to run
    bool takingSize_ = false;       // SetSize takes up a size the desktop reported
    bool sizedByUser_ = false;      // see SizedByUser
    QTimer* framePoll_ = nullptr;
    int framePolls_ = 0;
    friend void detail::ScheduleShow(Window* w);
};

// In a window's member function: points a control member at the declared
// control of the member's name, QV_CONTROL(EditField1).
#define QV_CONTROL(member) \
    member = ControlNamed<std::remove_pointer_t<decltype(member)>>(QStringLiteral(#member))

// The open windows, front first.
int WindowCount();
Window* WindowAt(int index);
// The front window, or none.
Window* FrontWindow();
// Closes and deletes every window at once (shut-down).
void DestroyAllWindows();

// The quit guard. True while the Quit command closes the windows: a close
// handler that would show or build another window (the About window bringing
// the workspace back, a tool window reaching into the workspace) does nothing
// then. Use `if (Quitting()) return;` before it, and SingleInstance::existing()
// rather than instance() for windows it only informs.
bool Quitting();
// Windows built through an accessor while quitting (a close handler that forgot
// the guard); each is closed again before the program ends.
int WindowsBuiltWhileQuitting();

namespace detail {
void RegisterWindow(Window* w);
void UnregisterWindow(Window* w);
void BringToFront(Window* w);
void ScheduleShow(Window* w);
void NoteBuiltWhileQuitting();
// Sets the quit guard for the life of the object.
class QuittingScope {
public:
    QuittingScope();
    ~QuittingScope();
    QuittingScope(const QuittingScope&) = delete;
    QuittingScope& operator=(const QuittingScope&) = delete;
};
}  // namespace detail

// The single implicit instance of a window class: created and opened on first
// use, and built afresh once it has been closed.
template <class T>
class SingleInstance {
public:
    static T* instance() {
        if (!slot() || slot()->Closed()) {
            if (Quitting()) detail::NoteBuiltWhileQuitting();
            T* w = new T();
            slot() = w;
            w->Open();
            if (w->DeclaredVisible && !w->Closed()) detail::ScheduleShow(w);
        }
        return slot();
    }
    // The open instance without creating one.
    static T* existing() { return (slot() && !slot()->Closed()) ? slot().data() : nullptr; }

private:
    static QPointer<T>& slot() {
        static QPointer<T> s;
        return s;
    }
};

}  // namespace qv
