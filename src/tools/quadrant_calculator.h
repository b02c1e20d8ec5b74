// Window2: the quadrant calculator.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace qv {

struct QuadrantTexts;

// "Quadrant calculator": the workspace's four quadrant counts, their shares of
// the total and the upper-right count's shares of its row and its column.
class Window2 : public Window, public SingleInstance<Window2> {
    Q_OBJECT
public:
    Window2();

    void Event_Open() override;
    void Event_Close() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
    void EditField1_Open();
    void CheckBox1_Action();
    void BevelButton1_Open();
    void BevelButton1_Action();
    // Shows the quadrant counts of the moment and the workspace's axis labels.
    void calculate();

    // The value texts as they stand.
    QuadrantTexts Shown() const;

    ImageWell* ImageWell1 = nullptr;
    EditField* UL = nullptr;
    EditField* UR = nullptr;
    EditField* EditField3 = nullptr;  // upper-row share
    EditField* ULP = nullptr;
    EditField* URP = nullptr;
    EditField* EditField6 = nullptr;  // hidden, always empty
    EditField* LL = nullptr;
    EditField* LR = nullptr;
    EditField* EditField9 = nullptr;  // right-column share
    EditField* LLP = nullptr;
    EditField* LRP = nullptr;
    EditField* EditField12 = nullptr;  // hidden, always empty
    EditField* EditField1 = nullptr;   // sample ID
    StaticText* StaticText1 = nullptr;
    BevelButton* BevelButton1 = nullptr;
    CheckBox* CheckBox1 = nullptr;     // "Auto refresh"
    StaticText* StaticText2 = nullptr;  // x-axis label
    StaticText* StaticText3 = nullptr;  // y-axis label

private:
    void SaveImage();
    void SaveSheet();
};

}  // namespace qv
