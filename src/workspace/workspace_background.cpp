// Background handling on the Background page: removal by the levels of a ROI or
// of the quadrant cross-point, Undo/Redo between the last two working pictures,
// Quad settings and "Revert to original".
#include "platform/services.h"
#include "workspace/core/background_removal.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/roi_rules.h"
#include "workspace/workspace_window.h"

namespace qv {

// "Accept" is created hidden and nothing ever shows it, so nothing depends on it.
void Window1::PushButton7_Action() {}

void Window1::ShowWorkingPicture() {
    PicturePtr shown = Canvas1->Backdrop();
    if (!shown || !pix) return;
    shown->Graphics().DrawPicture(pix, 0, 0);
    Canvas1->Refresh();
}

void Window1::SwapWorkingPictures() {
    std::swap(pix, pix2);
    ShowWorkingPicture();
}

void Window1::UntickQuadSettingsSilently() {
    CheckBox4->setVisible(false);
    CheckBox4->SetValue(false);
    CheckBox4->setVisible(true);
}

void Window1::backgrhandl() {
    staticText1->SetText(QString());
    StaticText2->SetText(QString());
    if (!pix) return;  // nothing loaded: nothing to remove
    const bool quadSettings = CheckBox4->Value();
    const ChannelChoice chosen{RadioButton1->Value() || RadioButton4->Value(),
                               RadioButton2->Value() || RadioButton4->Value(),
                               RadioButton3->Value() || RadioButton4->Value()};
    if (!quadSettings && !chosen.Any()) {
        // The first ROI drawn before a channel is chosen only chooses them all.
        RadioButton4->SetValue(true);
        return;
    }
    // The levels come from the working copy of pix and the removal makes a new
    // copy: pix stays as it is until the copy replaces it.
    BackgroundLevels levels{-1, -1, -1};  // another pair text removes nothing
    if (!quadSettings) {
        const RoiBox box{msdownx, msdowny, msupx, msupy};
        levels = ChosenLevels(RoiMaxima(pix, imgsize, box), chosen);
    } else if (const ChannelPair* pair = FindChannelPair(colormode)) {
        levels = CrossPointLevels(*pair, ms3upx, ms3upy);
    }
    PicturePtr copy = BackgroundRemoved(pix, imgsize, levels);
    if (!copy) return;
    pix2 = pix;
    pix = copy;
    ShowWorkingPicture();
    if (quadSettings) {
        ritacan(msdownx, msdowny, msupx, msupy);
        SetColorModeByPopup();
        quad();
    }
    StaticText3->SetText(QStringLiteral(
        "New Backgound\rTest with Undo/Redo.\ror choose\rFluorogram to confirm."));
    PushButton8->SetCaption(QStringLiteral("Undo"));
    PushButton8->setEnabled(true);
    PushButton8->setVisible(true);
}

void Window1::PushButton8_Action() {
    // Before the first removal there is no other picture to show.
    if (!pix2) return;
    SwapWorkingPictures();
    StaticText3->SetText(QStringLiteral("Undo, revert, or continue"));
    if (PushButton8->Caption() == QLatin1String("Redo")) {
        PushButton8->SetCaption(QStringLiteral("Undo"));
    } else {
        PushButton8->SetCaption(QStringLiteral("Redo"));
        UntickQuadSettingsSilently();
    }
}

void Window1::CheckBox4_Action() {
    if (!ControlVisible(CheckBox4)) return;
    if (CheckBox4->Value()) {
        if (!pix) {
            UntickQuadSettingsSilently();  // no image to take levels from
            return;
        }
        if (!quadnotsection) {
            MsgBox(QStringLiteral(
                "To remove background using the Quad settings function requires that you have "
                "specified Quadrants. Quandrant mode is available under the Fluorogram tab."));
            UntickQuadSettingsSilently();
            return;
        }
        StaticText3->SetText(QStringLiteral("Preparing\rQuad settings..."));
        StaticText3->repaint();
        StoreRoi(WholeArea(imgsize));
        ritacan(0, 0, imgsize - 1, imgsize - 1);
        ShowFluorogramView(true);  // the cross-point is clicked on the fluorogram
    } else if (pix2) {
        // Before the first removal there is no other picture to go back to.
        SwapWorkingPictures();
    }
    ritacan(msdownx, msdowny, msupx, msupy);
    SetColorModeByPopup();
    StaticText3->SetText(QStringLiteral("Quad setting\rNow specify Quadrant\rcross-point"));
    StaticText3->repaint();
}

void Window1::PushButton2_Action() {
    if (!pix || !originalpix) return;  // nothing loaded yet
    PicturePtr original = NewPicture(pix->Width(), pix->Height(), 32);
    if (!original) return;
    original->Graphics().DrawPicture(originalpix, 0, 0);
    // pix changes in place and stays the same picture object.
    pix->Graphics().DrawPicture(original, 0, 0);
    // The backdrop is a copy, so drawing into it never reaches pix, pix2 or originalpix.
    PicturePtr shown = NewPicture(pix->Width(), pix->Height(), 32);
    if (shown) shown->Graphics().DrawPicture(pix, 0, 0);
    Canvas1->SetBackdrop(shown);
}

}  // namespace qv
