// Window7: the montage window.
#pragma once

#include "platform/window.h"

namespace qv {

// "Montage": the per-channel panels and their merge, docked below the setup.
class Window7 : public Window, public SingleInstance<Window7> {
    Q_OBJECT
public:
    Window7();

    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
};

}  // namespace qv
