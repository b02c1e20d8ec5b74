// Window10: the montage setup window.
#pragma once

#include "platform/window.h"

namespace qv {

// "Montage setup": composes the montage of the workspace's ROI.
class Window10 : public Window, public SingleInstance<Window10> {
    Q_OBJECT
public:
    Window10();

    void Event_Open() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
    bool _EditCopy_Action();
    bool _FileSaveAs_Action();
};

}  // namespace qv
