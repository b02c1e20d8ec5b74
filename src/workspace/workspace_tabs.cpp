// Tab pages of the workspace: what a change of page sets up outside the panel.
#include "workspace/workspace_window.h"

namespace qv {

namespace {

constexpr int kFluorogramPage = 0;
constexpr int kBackgroundPage = 1;
constexpr int kHistogramPage = 2;

}  // namespace

void Window1::ShowFluorogramView(bool visible) {
    Canvas3->setVisible(visible);
    staticText1->setVisible(visible);
    StaticText2->setVisible(visible);
    StaticText5->setVisible(visible);
    StaticText7->setVisible(visible);
}

void Window1::TabPanel1_Change() {
    const int page = TabPanel1->Value();
    if (page != kBackgroundPage) {
        OvalRoi_RB->setEnabled(true);
        polyRoi_RB->setEnabled(true);
        rensa = 1;
        Canvas2->setVisible(true);
        ShowFluorogramView(true);
    }
    switch (page) {
        case kBackgroundPage:
            UntickQuadSettingsSilently();
            OvalRoi_RB->setEnabled(false);
            polyRoi_RB->setEnabled(false);
            RectROI_RB->SetValue(true);  // its action clears the oval and polygon modes
            PushButton8->setVisible(true);
            StaticText3->SetText(QStringLiteral("Select a color channel or choose All (R+G+B)"));
            polygonmode = false;
            Canvas2->setVisible(false);
            ShowFluorogramView(false);
            break;
        case kFluorogramPage:
            SetColorModeByPopup();
            break;
        case kHistogramPage:
            Canvas2->setVisible(true);
            ShowFluorogramView(true);
            histodraw();
            break;
        default:
            break;
    }
}

}  // namespace qv
