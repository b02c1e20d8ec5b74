// Window11: the ROI analysis window.
#pragma once

#include <array>
#include <cstdint>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/window.h"
#include "workspace/workspace_window.h"

namespace qv {

// "ROI analysis": the workspace's rectangular ROI at its own size, its pixel
// and saturation counts per channel, saturation views, the automatic contrast
// stretch that can be handed to the workspace and taken back, and the
// pseudo-colour scale with its LUT bar.
class Window11 : public Window, public SingleInstance<Window11> {
    Q_OBJECT
  public:
    Window11();

    void Event_Open() override;
    void Event_Close() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();
    // Re-cuts the ROI from the workspace, sizes the window, shows the copy and recounts.
    void start();
    // The eight counts over pic(0).
    void scan();

    void RadioButton1_Action();  // "Red" saturated
    void RadioButton2_Action();  // "Green"
    void RadioButton3_Action();  // "Blue"
    void RadioButton4_Action();  // "Any"
    void BevelButton1_Action();  // "Revert"
    void BevelButton2_Action();  // "Auto contrast" / "Apply" / "Undo"
    void BevelButton3_Action();  // "Scale"

    // 0 the copy; 1 stretch or pseudo-colour; 2..5 saturated Red, Green, Blue, Any.
    std::array<PicturePtr, 6> pic;
    std::int32_t vidd = 0;   // copy width
    std::int32_t hojd = 0;   // copy height
    std::int32_t visas = 0;  // the slot Canvas1 shows
    PicturePtr pix;          // the copy, always pic(0) after start
    PicturePtr originalpix;  // the workspace's picture saved by Apply
    PicturePtr rainbow;      // the 17 x 170 LUT bar
    int starts = 0;          // how often start ran

    Canvas* Canvas1 = nullptr;
    RadioButton* RadioButton1 = nullptr;
    RadioButton* RadioButton2 = nullptr;
    RadioButton* RadioButton3 = nullptr;
    RadioButton* RadioButton4 = nullptr;
    GroupBox* GroupBox1 = nullptr;
    BevelButton* BevelButton1 = nullptr;
    StaticText* StaticText2 = nullptr;
    StaticText* StaticText3 = nullptr;
    StaticText* StaticText1 = nullptr;
    StaticText* StaticText4 = nullptr;
    StaticText* StaticText5 = nullptr;
    StaticText* StaticText6 = nullptr;
    StaticText* StaticText7 = nullptr;   // Pixels, red
    StaticText* StaticText8 = nullptr;   // Pixels, green
    StaticText* StaticText9 = nullptr;   // Pixels, blue
    StaticText* StaticText10 = nullptr;  // Pixels, any
    StaticText* StaticText11 = nullptr;  // Saturated, red
    StaticText* StaticText12 = nullptr;  // Saturated, green
    StaticText* StaticText13 = nullptr;  // Saturated, blue
    StaticText* StaticText14 = nullptr;  // Saturated, any
    BevelButton* BevelButton2 = nullptr;
    BevelButton* BevelButton3 = nullptr;
    Canvas* Canvas2 = nullptr;
    GroupBox* GroupBox2 = nullptr;
    RadioButton* RadioButton5 = nullptr;  // LUT "Red"
    RadioButton* RadioButton6 = nullptr;  // LUT "Green"
    RadioButton* RadioButton7 = nullptr;  // LUT "Blue"

  private:
    // The workspace, reached through its accessor. A workspace that this reach
    // builds loads the launch document as it opens; that intake does not recut
    // this window's copy in the middle of one of the window's own operations.
    Window1* Workspace();
    bool reaching_ = false;
    // Shows a slot in Canvas1.
    void ShowSlot(int slot);
    void SaturationView(int slot);
    // The workspace's image as Apply found it, for Undo.
    Window1::WorkingImage beforeApply;
};

}  // namespace qv
