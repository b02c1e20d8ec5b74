#include "desktop/x_desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace qv::desktop {

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(strlen(name)), name),
                              nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(r);
    return atom;
}

// The 32-bit items of a window property.
std::vector<uint32_t> Property(xcb_connection_t* c, xcb_window_t w, const char* name) {
    std::vector<uint32_t> items;
    const xcb_atom_t atom = Atom(c, name);
    if (atom == XCB_ATOM_NONE) return items;
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
    if (r && r->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(r));
        items.assign(data, data + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return items;
}

QString AtomName(xcb_connection_t* c, xcb_atom_t atom) {
    xcb_get_atom_name_reply_t* r = xcb_get_atom_name_reply(c, xcb_get_atom_name(c, atom), nullptr);
    QString name;
    if (r)
        name = QString::fromLatin1(xcb_get_atom_name_name(r), xcb_get_atom_name_name_length(r));
    free(r);
    return name;
}

xcb_window_t Id(const QWidget* window) {
    return window && window->windowHandle() ? static_cast<xcb_window_t>(window->winId()) : 0;
}

}  // namespace

bool WindowManagerRunning(QString* why) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        *why = QStringLiteral("the platform is \"%1\", not xcb").arg(QGuiApplication::platformName());
        return false;
    }
    xcb_connection_t* c = Connection();
    if (!c) {
        *why = QStringLiteral("no connection to the X server");
        return false;
    }
    const std::vector<uint32_t> check = Property(c, Root(c), "_NET_SUPPORTING_WM_CHECK");
    if (check.empty()) {
        *why = QStringLiteral("no EWMH window manager on the display");
        return false;
    }
    return true;
}

QRect FrameOnScreen(const QWidget* window) {
    xcb_connection_t* c = Connection();
    const xcb_window_t w = Id(window);
    if (!c || !w) return {};
    const std::vector<uint32_t> extents = Property(c, w, "_NET_FRAME_EXTENTS");
    if (extents.size() != 4) return {};
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, w, Root(c), 0, 0), nullptr);
    QRect frame;
    if (g && t) {
        // _NET_FRAME_EXTENTS: left, right, top, bottom
        frame = QRect(t->dst_x, t->dst_y, g->width, g->height)
                    .adjusted(-static_cast<int>(extents[0]), -static_cast<int>(extents[2]),
                              static_cast<int>(extents[1]), static_cast<int>(extents[3]));
    }
    free(g);
    free(t);
    return frame;
}

QStringList AllowedActions(const QWidget* window) {
    xcb_connection_t* c = Connection();
    const xcb_window_t w = Id(window);
    QStringList actions;
    if (!c || !w) return actions;
    for (uint32_t atom : Property(c, w, "_NET_WM_ALLOWED_ACTIONS"))
        actions << AtomName(c, atom).remove(QStringLiteral("_NET_WM_ACTION_"));
    actions.sort();
    return actions;
}

bool AsksForDecoration(const QWidget* window, unsigned bit) {
    xcb_connection_t* c = Connection();
    const xcb_window_t w = Id(window);
    if (!c || !w) return false;
    // flags, functions, decorations, input mode, status
    const std::vector<uint32_t> hints = Property(c, w, "_MOTIF_WM_HINTS");
    constexpr uint32_t kDecorationsGiven = 0x2, kAllBut = 0x1;
    if (hints.size() < 3 || !(hints[0] & kDecorationsGiven)) return true;
    const uint32_t decorations = hints[2];
    return (decorations & kAllBut) ? !(decorations & bit) : (decorations & bit) != 0;
}

std::vector<unsigned> Stacking() {
    xcb_connection_t* c = Connection();
    if (!c) return {};
    const std::vector<uint32_t> list = Property(c, Root(c), "_NET_CLIENT_LIST_STACKING");
    return {list.begin(), list.end()};
}

const QWidget* Frontmost(const std::vector<const QWidget*>& windows) {
    const std::vector<unsigned> stack = Stacking();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        for (const QWidget* w : windows)
            if (w && Id(w) == *it) return w;
    return nullptr;
}

bool ReservePanel(int height, QString* why) {
    // Never closed: the panel stands for the program's life.
    static xcb_connection_t* c = nullptr;
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        *why = QStringLiteral("no connection to the X server for the panel");
        return false;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t width = screen->width_in_pixels;
    const xcb_window_t panel = xcb_generate_id(c);
    const uint32_t values[] = {screen->black_pixel};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, panel, screen->root, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                      values);
    const xcb_atom_t dock = Atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, Atom(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &dock);
    const uint32_t top = static_cast<uint32_t>(height);
    // left, right, top, bottom; then the start and end of each edge's strip
    const uint32_t strut[12] = {0, 0, top, 0, 0, 0, 0, 0, 0, width - 1, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, Atom(c, "_NET_WM_STRUT"),
                        XCB_ATOM_CARDINAL, 32, 4, strut);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, Atom(c, "_NET_WM_STRUT_PARTIAL"),
                        XCB_ATOM_CARDINAL, 32, 12, strut);
    // Asked for at the top-left corner, so the window manager does not place it.
    // WM_SIZE_HINTS: flags (USPosition, USSize, PPosition, PSize), x, y, width, height
    uint32_t hints[18] = {1 | 2 | 4 | 8, 0, 0, width, top};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_map_window(c, panel);
    xcb_flush(c);

    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        const std::vector<uint32_t> area = Property(c, screen->root, "_NET_WORKAREA");
        xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, panel, screen->root, 0, 0), nullptr);
        const bool inCorner = at && at->dst_x == 0 && at->dst_y == 0;
        free(at);
        if (area.size() >= 4 && area[1] == top && inCorner) return true;
        QThread::msleep(10);
    }
    *why = QStringLiteral("the window manager did not put the %1-pixel panel at the top and "
                          "take it out of the work area within 5 seconds")
               .arg(height);
    return false;
}

QRect WorkArea() {
    xcb_connection_t* c = Connection();
    if (!c) return {};
    const std::vector<uint32_t> area = Property(c, Root(c), "_NET_WORKAREA");
    const std::vector<uint32_t> current = Property(c, Root(c), "_NET_CURRENT_DESKTOP");
    const size_t desktop = current.empty() ? 0 : current[0];
    if (area.size() < 4 * (desktop + 1)) return {};
    const uint32_t* a = area.data() + 4 * desktop;
    return QRect(static_cast<int>(a[0]), static_cast<int>(a[1]), static_cast<int>(a[2]),
                 static_cast<int>(a[3]));
}

void SendLateSizeNotice(const QWidget* window, const QSize& size) {
    xcb_connection_t* c = Connection();
    const xcb_window_t w = Id(window);
    if (!c || !w) return;
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, Root(c), 0, 0), nullptr);
    if (!t) return;
    xcb_configure_notify_event_t notice{};
    notice.response_type = XCB_CONFIGURE_NOTIFY;
    notice.event = w;
    notice.window = w;
    notice.x = t->dst_x;
    notice.y = t->dst_y;
    notice.width = static_cast<uint16_t>(size.width());
    notice.height = static_cast<uint16_t>(size.height());
    free(t);
    xcb_send_event(c, 0, w, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&notice));
    xcb_flush(c);
}

void CloseWithCloseBox(const QWidget* window) {
    xcb_connection_t* c = Connection();
    const xcb_window_t w = Id(window);
    if (!c || !w) return;
    xcb_client_message_event_t ask{};
    ask.response_type = XCB_CLIENT_MESSAGE;
    ask.format = 32;
    ask.window = w;
    ask.type = Atom(c, "_NET_CLOSE_WINDOW");
    ask.data.data32[0] = XCB_CURRENT_TIME;
    ask.data.data32[1] = 2;  // asked for by the user, through a pager or a box
    xcb_send_event(c, 0, Root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&ask));
    xcb_flush(c);
}

void AskForSize(const QWidget* window, const QSize& size) {
    xcb_connection_t* c = Connection();
    const xcb_window_t w = Id(window);
    if (!c || !w) return;
    const uint32_t values[] = {static_cast<uint32_t>(size.width()),
                               static_cast<uint32_t>(size.height())};
    xcb_configure_window(c, w, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    xcb_flush(c);
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

void Settle() {
    auto framed = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowType() == Qt::Window && FrameOnScreen(w).isNull())
                return false;
        return true;
    };
    WaitUntil(framed);
    // The stacking and the frames stand still for 150 ms.
    std::vector<unsigned> last = Stacking();
    int still = 0;
    WaitUntil([&] {
        QThread::msleep(25);
        QCoreApplication::processEvents();
        const std::vector<unsigned> now = Stacking();
        still = now == last ? still + 1 : 0;
        last = now;
        return still >= 6;
    });
}

}  // namespace qv::desktop
