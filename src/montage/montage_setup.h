// Window10: the montage setup window.
#pragma once

#include <cstdint>

#include "montage/core/montage_composition.h"
#include "platform/window.h"

namespace qv {

// "Montage setup": cuts the workspace's ROI out 1:1, lays the montage out in
// a row of three panels or a 2 x 2 grid, assigns channels and modes to the
// panels, picks the marker tool, and copies or saves the montage.
class Window10 : public Window, public SingleInstance<Window10> {
    Q_OBJECT
public:
    Window10();

    std::int32_t hojd = 0;  // panel height (the crop height)
    std::int32_t vidd = 0;  // panel width (the crop width)
    // 0 the 1:1 crop of the ROI, 1 to 3 the channel panels, 4 the merge.
    MontagePictures pic;
    bool fourmodetrue = false;  // the 2 x 2 layout is in force

    void Event_Open() override;
    void Event_EnableMenuItems() override;
    void Event_Activate() override;
    void Event_Moved() override;
    void Event_Resized() override;
    void Event_FrameChanged() override;
    bool _FileClose_Action();
    bool _EditCopy_Action();
    bool _FileSaveAs_Action();

    void startup();
    void nodefaultset();
    void fourmode();
    void threemode();
    void saveframe();
    void drawtwo();

    // The montage window drawn into one picture of its whole laid-out size;
    // none when it cannot be made.
    PicturePtr Snapshot();

    void PopupMenu1_Change();
    void PopupMenu2_Change();
    void PopupMenu3_Change();
    void PopupMenu4_Change();
    void PopupMenu5_Change();
    void PopupMenu6_Change();
    void RadioButton1_Action();
    void RadioButton2_Action();
    void BevelButton1_Action();
    void BevelButton2_Action();
    void BevelButton3_Action();
    void BevelButton4_Action();
    void BevelButton5_Action();

private:
    void Dock();
    void ChooseMarker(int tool);
    void ApplyLayout(bool four);
    bool activating_ = false;
};

}  // namespace qv
