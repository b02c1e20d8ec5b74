#pragma once

// What the X server and its window manager say about the program's windows:
// the frame the manager drew, the actions it allows, and the stacking order.
// Read from the server itself, not from Qt's idea of the windows.

#include <QRect>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace qv::desktop {

// Whether the program runs on an X server whose window manager reports
// frames (EWMH, _NET_SUPPORTING_WM_CHECK); `why` tells what is missing.
bool WindowManagerRunning(QString* why);

// The window's frame on the screen as the window manager drew it: the client
// area grown by _NET_FRAME_EXTENTS. Null until the manager has framed it.
QRect FrameOnScreen(const QWidget* window);

// The manager's _NET_WM_ALLOWED_ACTIONS for the window, without the
// "_NET_WM_ACTION_" prefix: "CLOSE", "MINIMIZE", "MAXIMIZE_HORZ", "RESIZE", ...
QStringList AllowedActions(const QWidget* window);

// Whether the window asks for the frame decoration `bit` in its Motif hints
// (_MOTIF_WM_HINTS: 0x20 the minimise box, 0x40 the zoom box); a window without
// decoration hints asks for every one.
bool AsksForDecoration(const QWidget* window, unsigned bit);

// The windows the manager stacks, bottom first (_NET_CLIENT_LIST_STACKING).
std::vector<unsigned> Stacking();

// Of `windows`, the one the manager stacks highest; none when none is stacked.
const QWidget* Frontmost(const std::vector<const QWidget*>& windows);

// Reserves a panel `height` pixels tall across the top of the screen, as a
// desktop's panel does: a dock window with struts, on a connection of its own
// that lives as long as the program. Returns once the window manager has
// taken it out of the work area; `why` tells what went wrong. Call it before
// the application starts, so its screens see the shrunken area from the first.
bool ReservePanel(int height, QString* why);

// The area windows may use as the window manager reports it (_NET_WORKAREA
// of the current desktop): the screen less its panels. Null when unreported.
QRect WorkArea();

// Sends the window the window manager's notice that its client area is
// `size` at its present place (a synthetic ConfigureNotify), as a notice sent
// before the program's last resize and arriving after it does.
void SendLateSizeNotice(const QWidget* window, const QSize& size);

// Asks the window manager to close the window as its close box does
// (_NET_CLOSE_WINDOW): the manager sends the program WM_DELETE_WINDOW.
void CloseWithCloseBox(const QWidget* window);

// Asks the window manager to give the window a client area of `size` (its
// content and menu bar together), as a keyboard resize, a tiling desktop or a
// tool such as xdotool does; the program learns of it from the manager's notice.
void AskForSize(const QWidget* window, const QSize& size);

// Runs the event loop until `done` holds or `ms` milliseconds have passed;
// returns whether it holds.
bool WaitUntil(const std::function<bool()>& done, int ms = 5000);

// Runs the event loop until every visible top-level window is framed by the
// manager and the stacking order has stood still for a moment.
void Settle();

}  // namespace qv::desktop
