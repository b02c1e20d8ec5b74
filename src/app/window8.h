#pragma once

#include <QPushButton>

#include "platform/window.h"

namespace qv {

// The splash window: leads to the workspace through its "Start" button.
class Window8 : public Window, public SingleInstance<Window8> {
    Q_OBJECT
public:
    Window8();

    void PushButton1_Action();

    QPushButton* PushButton1;

private:
    void Layout();
    void CreateControls();
};

}  // namespace qv
