// Window9: the area analyzer.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace qv {

// "Area analyzer": per-channel areas and intensities written by the workspace.
class Window9 : public Window, public SingleInstance<Window9> {
    Q_OBJECT
public:
    Window9();

    void Event_Open() override;
    void Event_Close() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();

    EditField* EditField1 = nullptr;   // red area (px)
    EditField* EditField2 = nullptr;   // green area
    EditField* EditField3 = nullptr;   // blue area
    EditField* EditField10 = nullptr;  // red intensity
    EditField* EditField11 = nullptr;  // green intensity
    EditField* EditField12 = nullptr;  // blue intensity
};

}  // namespace qv
