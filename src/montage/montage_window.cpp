#include "montage/montage_window.h"

#include "app/resources.h"
#include "montage/core/montage_layout.h"
#include "montage/montage_setup.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/menus.h"
#include "platform/services.h"

namespace qv {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 10, .top = 10, .width = 100, .height = 100,
     .locks = "", .events = "Open,MouseDown,MouseMove,MouseEnter"},
    {.kind = K::Canvas, .name = "Canvas2", .left = 123, .top = 10, .width = 100, .height = 100,
     .locks = ""},
    {.kind = K::Canvas, .name = "Canvas3", .left = 11, .top = 121, .width = 100, .height = 100,
     .visible = false, .locks = ""},
    {.kind = K::Canvas, .name = "Canvas4", .left = 235, .top = 10, .width = 100, .height = 100,
     .locks = ""},
};
// clang-format on

// The marker's top left lies this far left of and above the pointer.
constexpr int kMarkerOffset = 7;

}  // namespace

Window7::Window7() {
    SetTitle(QStringLiteral("Montage"));
    SetMinimumSize(kMinimumSide, kMinimumSide);
    SetFrameButtons(true, false, false);
    sheet_ = QSize(512, 550);
    kept_ = sheet_;
    SetSize(sheet_.width(), sheet_.height());
    QPalette white = Content()->palette();
    white.setColor(QPalette::Window, Qt::white);
    Content()->setPalette(white);
    Content()->setAutoFillBackground(true);
    BuildControls(kControls, {
                                 QV_HANDLER(Window7, Canvas1_Open),
                                 QV_HANDLER(Window7, Canvas1_MouseEnter),
                                 QV_HANDLER(Window7, Canvas1_MouseMove),
                                 QV_HANDLER(Window7, Canvas1_MouseDown),
                             });
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

Canvas* Window7::Panel(int k) const {
    return ControlNamed<Canvas>(QStringLiteral("Canvas") + QString::number(k));
}

void Window7::SetSheet(QSize sheet) {
    sheet_ = sheet.expandedTo(QSize(kMinimumSide, kMinimumSide));
    kept_ = sheet_;
    if (Window10* setup = Window10::existing())
        DockUnder(*setup);
    else
        SetSizeOnScreen(sheet_.width(), sheet_.height());
}

void Window7::DockUnder(Window& setup) {
    const QRect at(setup.Left(), setup.Top(), setup.Width(), setup.Height());
    const MontageDock d = DockMontage(at, setup.Chrome(), Chrome(), kept_, kMinimumSide,
                                      Platform().AvailableArea(setup.FrameRect()));
    if (d.setupTop != setup.Top()) setup.SetTop(d.setupTop);
    // Sized first, so that placing it moves it no further.
    SetSize(d.montage.width(), d.montage.height());
    SetTop(d.montage.top());
    SetLeft(d.montage.left());
}

void Window7::Event_Open() {
    if (Window10* setup = Window10::existing()) DockUnder(*setup);
    update();
}

// A size the user gave the window is the one it keeps from now on.
void Window7::Event_Resized() {
    if (SizedByUser()) kept_ = QSize(Width(), Height());
}

void Window7::Event_FrameChanged() {
    if (Window10* setup = Window10::existing()) DockUnder(*setup);
}

void Window7::Event_EnableMenuItems() { EnableItem(QStringLiteral("FileClose")); }

bool Window7::_FileClose_Action() {
    Close();
    return false;
}

void Window7::Canvas1_Open() {
    arrowWhite = NewPicture(16, 16, 32);
    if (!arrowWhite) return;
    arrowWhite->Graphics().DrawPicture(arrowWhiteBG(), 0, 0);
    if (PicturePtr mask = arrowWhite->Mask()) mask->Graphics().DrawPicture(arrowBlacknonT(), 0, 0);
}

PicturePtr Window7::MarkerOf(int tool) {
    switch (tool) {
        case 1: return yelCurs();
        case 2: return arrowBlack();
        case 3: return arrowWhite;
        default: return nullptr;
    }
}

void Window7::Canvas1_MouseEnter() {
    if (curSelect < 1 || curSelect > 3) return;
    stampArrow = MarkerOf(curSelect);
    MouseCursorPtr cursor = curSelect == 1   ? ResourceFile::GetCursor(1128)
                            : curSelect == 2 ? cursArrowBlack()
                                             : cursArrowWhite();
    if (cursor) Panel(1)->SetMouseCursor(cursor->Cursor);
}

// The ghost is shown on the panels' screens only: each panel shows its
// picture with the marker over it, at the same place on every panel.
void Window7::Canvas1_MouseMove(int X, int Y) {
    const int w = Panel(1)->width(), h = Panel(1)->height();
    if (!ghost_ || ghost_->Width() != w || ghost_->Height() != h) ghost_ = NewPicture(w, h, 32);
    if (!ghost_) return;
    for (int k = 1; k <= 4; ++k) {
        Canvas* panel = Panel(k);
        Graphics& q = ghost_->Graphics();
        q.ClearRect(0, 0, w, h);
        q.DrawPicture(panel->Backdrop(), 0, 0);
        if (stampArrow) q.DrawPicture(stampArrow, X - kMarkerOffset, Y - kMarkerOffset);
        panel->Graphics().DrawPicture(ghost_, 0, 0);
    }
}

// Stamps the marker into all four panel pictures at once; no drag or release
// follows.
bool Window7::Canvas1_MouseDown(int X, int Y) {
    if (curSelect >= 1 && curSelect <= 3) stampArrow = MarkerOf(curSelect);
    if (!stampArrow) return false;
    const int w = Panel(1)->width(), h = Panel(1)->height();
    PicturePtr q[4];
    for (int k = 1; k <= 4; ++k) {
        q[k - 1] = NewPicture(w, h, 32);
        if (q[k - 1]) q[k - 1]->Graphics().DrawPicture(Panel(k)->Backdrop(), 0, 0);
    }
    for (PicturePtr& p : q)
        if (p) p->Graphics().DrawPicture(stampArrow, X - kMarkerOffset, Y - kMarkerOffset);
    for (int k = 1; k <= 4; ++k) {
        const PicturePtr backdrop = Panel(k)->Backdrop();
        if (backdrop && q[k - 1]) backdrop->Graphics().DrawPicture(q[k - 1], 0, 0);
    }
    return false;
}

}  // namespace qv
