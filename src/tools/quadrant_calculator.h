// Window2: the quadrant calculator.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace qv {

// "Quadrant calculator": the workspace's four quadrant counts as percentages.
class Window2 : public Window, public SingleInstance<Window2> {
    Q_OBJECT
public:
    Window2();

    void Event_Open() override;
    void Event_Close() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
    void CheckBox1_Action();
    // Reads the quadrant counts and the workspace's axis labels.
    void calculate();

    CheckBox* CheckBox1 = nullptr;  // "Auto refresh"
    EditField* UL = nullptr;
    EditField* UR = nullptr;
    EditField* LL = nullptr;
    EditField* LR = nullptr;
    int calculations = 0;  // how often calculate ran
};

}  // namespace qv
