// Window11: the ROI analysis window.
#pragma once

#include "platform/canvas.h"
#include "platform/window.h"

namespace qv {

// "ROI analysis": the workspace's rectangular ROI at its own size.
class Window11 : public Window, public SingleInstance<Window11> {
    Q_OBJECT
public:
    Window11();

    void Event_Open() override;
    void Event_Close() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
    // Re-reads the workspace's ROI and shows its copy.
    void start();

    Canvas* Canvas1 = nullptr;
    PicturePtr roi;  // the copy of the ROI rectangle
    int starts = 0;  // how often start ran
};

}  // namespace qv
