#include "tools/roi_analysis.h"

#include <algorithm>

#include "app/resources.h"
#include "platform/menus.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {
using K = ControlKind;
constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 410, .top = 10, .width = 160, .height = 160},
};
}  // namespace

Window11::Window11() {
    SetTitle(QStringLiteral("ROI analysis"));
    SetMinimumSize(420, 180);
    SetSize(577, 194);
    BuildControls(kControls, {});
    Canvas1 = ControlNamed<Canvas>(QStringLiteral("Canvas1"));
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
}

void Window11::Event_Open() {
    Window1::instance()->roianalysisongoing = true;
    start();
}

void Window11::Event_Close() {
    if (Window1* w = Window1::existing()) w->roianalysisongoing = false;
}

void Window11::Event_EnableMenuItems() { EnableItem(QStringLiteral("FileClose")); }

bool Window11::_FileClose_Action() {
    Close();
    return false;
}

void Window11::start() {
    ++starts;
    Window1* w = Window1::instance();
    PicturePtr source = w->poxc ? w->poxc : QVlogga128();
    if (!source) return;
    int width = w->msupx - w->msdownx;
    int height = w->msupy - w->msdowny;
    if (width == 0) width = source->Width();
    if (height == 0) height = source->Height();
    roi = NewPicture(width, height, 32);
    if (!roi) return;
    roi->Graphics().DrawPicture(source, 0, 0, width, height, w->msdownx, w->msdowny, width, height);
    SetSize(width + 423, std::max(180, height + 28));
    Canvas1->resize(width, height);
    Canvas1->SetBackdrop(roi);
}

}  // namespace qv
