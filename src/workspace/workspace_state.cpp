// The workspace window: its properties, its state and its Open event.
#include "app/globals.h"
#include "tools/area_analyzer.h"
#include "tools/roi_analysis.h"
#include "workspace/workspace_window.h"

namespace qv {

Window1::Window1()
    : points(41, 0), polypoints(41, 0), his(256, 0), fola(kFrameSlots) {
    Layout();
    CreateControls();
    AddMenuHandlers();
}

Window1::~Window1() = default;

void Window1::Layout() {
    SetTitle(QStringLiteral("Colocalization analysis"));
    SetMinimumSize(600, 690);
    SetCentred(true);
    SetResizeable(false);
    SetFrameButtons(true, false, false);
    SetSize(705, 702);
}

void Window1::Event_Open() {
    // imgsize is still 0 here, so none of these pictures exists until an image arrives.
    pix = NewPicture(imgsize, imgsize, 32);
    pox = NewPicture(imgsize, imgsize, 32);
    pox2 = NewPicture(imgsize, imgsize, 32);
    pox3 = NewPicture(imgsize, imgsize, 32);
    polymask = NewPicture(imgsize, imgsize, 32);
    colormode = QStringLiteral("rg");
    bevstate = 1;
    Module1::okuser = true;
    // An area analyzer or ROI analysis left open across File > New window
    // follows this workspace, the one its accessor now reaches.
    areaongoing = Window9::existing() != nullptr;
    roianalysisongoing = Window11::existing() != nullptr;
    if (Module1::startfol) {
        fola[0] = Module1::startfol;
        afterdrop();
    }
}

}  // namespace qv
