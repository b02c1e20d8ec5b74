#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <span>
#include <variant>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/folderitem.h"

class QWidget;

namespace qv {

class Graphics;
class Window;

enum class ControlKind {
    Canvas,
    PushButton,
    BevelButton,
    StaticText,
    CheckBox,
    RadioButton,
    PopupMenu,
    Slider,
    LittleArrows,
    TabPanel,
    GroupBox,
    ImageWell,
    EditField,
    Rectangle,
    ProgressBar,
    MoviePlayer,
    Timer,
};

// One declared control. Places are window pixels (also inside group boxes, tab
// panels and drop wells). Fields are listed in the order a designated
// initialiser must follow.
struct ControlSpec {
    ControlKind kind;
    const char* name;
    int left = 0, top = 0, width = 0, height = 0;
    int page = 0;                  // tab page of the parent tab panel, from 1; 0 for none
    const char* parent = nullptr;  // the containing control; none for the window
    const char* text = "";         // caption or text
    const char* rows = nullptr;    // pop-up rows or tab pages, separated by '\n'
    const char* font = "System";
    int textSize = 12;
    bool bold = false;
    bool visible = true;
    bool enabled = true;
    int value = 0;  // on/off, slider value, row or page index
    bool hasColor = false;
    Color color = kBlack;
    int align = 0;  // 0 left, 1 centred, 2 right
    bool multiline = false;
    const char* locks = "LT";      // any of L, T, R, B
    const char* events = "";       // bound events, "," separated, in binding order
    const char* group = nullptr;   // radio group
    int minimum = 0, maximum = 100, lineStep = 1, pageStep = 20;
    bool liveScroll = true;
    int buttonType = 0, hasMenu = 0, captionAlign = 0;
    int period = 0, mode = 0;      // timers
    bool isDefault = false, isCancel = false;
    bool readOnly = false;
};

// A handler bound by name ("Canvas1_MouseDown").
using Handler = std::variant<std::function<void()>, std::function<bool(int, int)>,
                             std::function<void(int, int)>, std::function<void(Graphics&)>,
                             std::function<void(const std::vector<FolderItemPtr>&)>>;
using HandlerMap = std::map<QString, Handler>;

template <class W, class R, class... A>
Handler MakeHandler(W* window, R (W::*method)(A...)) {
    return std::function<R(A...)>([window, method](A... a) { return (window->*method)(a...); });
}

// A window's handler binding: QV_HANDLER(Window1, Canvas1_MouseDown).
#define QV_HANDLER(Class, method) \
    { QStringLiteral(#method), ::qv::MakeHandler(this, &Class::method) }

// The controls of one window, reached by name, in creation order.
class ControlSet {
public:
    explicit ControlSet(Window* window) : window_(window) {}

    // Creates each control in order: made, named, given its declared
    // properties, then bound to its handlers. Open handlers run later, from RunOpen.
    void Build(std::span<const ControlSpec> specs, const HandlerMap& handlers);
    void RunOpen();

    QObject* Find(const QString& name) const;
    int Count() const { return static_cast<int>(order_.size()); }
    QObject* At(int index) const { return order_[static_cast<size_t>(index)]; }

    // Moves and stretches locked controls after the window changed size.
    void WindowResized(int dx, int dy);

private:
    QWidget* ContainerFor(const ControlSpec& spec) const;
    struct Placed {
        QWidget* widget;
        bool lockLeft, lockTop, lockRight, lockBottom;
    };
    Window* window_;
    std::map<QString, QObject*> byName_;
    std::vector<QObject*> order_;
    std::vector<Placed> placed_;
    std::vector<std::function<void()>> open_;
};

}  // namespace qv
