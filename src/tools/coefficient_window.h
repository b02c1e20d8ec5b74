// Window6: the overlap-coefficient window.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace qv {

struct CoefficientSheet;

// "Pearson's co-efficients": the six directional overlap coefficients of the
// workspace's ROI, written here by the workspace.
class Window6 : public Window, public SingleInstance<Window6> {
    Q_OBJECT
public:
    Window6();

    void Event_Open() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
    void CheckBox1_Action();
    void CheckBox2_Action();
    void BevelButton1_Open();
    void BevelButton1_Action();

    std::vector<EditField*> fields;     // EditField1 .. EditField6, rows in order
    std::vector<StaticText*> counts;    // StaticText15 .. StaticText20
    EditField* EditField1 = nullptr;
    EditField* EditField2 = nullptr;
    EditField* EditField3 = nullptr;
    EditField* EditField4 = nullptr;
    EditField* EditField5 = nullptr;
    EditField* EditField6 = nullptr;
    EditField* EditField7 = nullptr;  // sample ID
    StaticText* StaticText15 = nullptr;
    StaticText* StaticText16 = nullptr;
    StaticText* StaticText17 = nullptr;
    StaticText* StaticText18 = nullptr;
    StaticText* StaticText19 = nullptr;
    StaticText* StaticText20 = nullptr;
    CheckBox* CheckBox1 = nullptr;  // "Auto refresh"
    CheckBox* CheckBox2 = nullptr;  // "Quadrant mask"
    BevelButton* BevelButton1 = nullptr;

    // The texts the sheet is made of, as the window shows them.
    CoefficientSheet Sheet() const;

private:
    void SaveNewSheet();
    void AppendToSheet();
    void SavePicture();
};

}  // namespace qv
