// Frame lists: the drop of several files on the well, stepping through them by
// slider, arrows and menu, Flatten, and the ROI box dragged out of the thumbnail.
#include <QRect>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/longpass.h"
#include "platform/services.h"
#include "tools/core/roi_scan.h"
#include "workspace/core/frame_sequence.h"
#include "workspace/core/roi_outline.h"
#include "workspace/workspace_window.h"

namespace qv {

// ---- the frame list --------------------------------------------------------------

void Window1::ImageWell1_DropObject(const std::vector<FolderItemPtr>& files) {
    if (files.empty()) return;  // a picture dragged without a file behind it
    TakeFrameList(files, {.alwaysShown = false, .withFlatten = true});
}

void Window1::TakeFrameList(const std::vector<FolderItemPtr>& files, FrameControlsRule controls) {
    if (files.empty()) return;
    // The list has room for kFrameSlots files; the user is told when more came.
    const size_t taken = std::min(files.size(), fola.size());
    for (size_t i = 0; i < taken; ++i) {
        nbilds = static_cast<std::int32_t>(i);
        fola[i] = files[i];
    }
    // Quietly: a slider brought down to a shorter list must not load a frame now.
    Slider1->SetMaximum(nbilds + 1);
    actualframe = 0;
    newstart = true;
    const bool shown = nbilds > 0 || controls.alwaysShown;
    ShowFrameControls(shown);
    if (controls.withFlatten) PushButton10->setVisible(shown);
    if (shown) {
        // Quietly: frame 0 is loaded below in the same way whatever the slider held.
        const QSignalBlocker quiet(Slider1);
        Slider1->SetValue(actualframe + 1);
        StaticText4->SetText(FrameCounter(actualframe, nbilds));
    }
    afterdrop();  // takes newstart when frame 0 opens as a picture
    // A list of several frames then shows frame 0 as every frame step does:
    // the current ROI drawn on it and cropped from it, and the fluorogram rebuilt.
    if (nbilds > 0 && !newstart && poxc) Slider1_ValueChanged();
    if (taken < files.size())
        MsgBox(FramesLeftOut(static_cast<int>(files.size()), static_cast<int>(taken)));
}

void Window1::ShowFrameControls(bool visible) {
    Slider1->setVisible(visible);
    StaticText4->setVisible(visible);
    LittleArrows1->setVisible(visible);
}

void Window1::Slider1_ValueChanged() {
    actualframe = Slider1->Value() - 1;
    StaticText4->SetText(FrameCounter(actualframe, nbilds));
    afterdrop();
    for (const char* pair : {"rb", "rg", "bg"}) {
        if (colormode == QLatin1String(pair)) {
            setColorMode(colormode);
            break;
        }
    }
}

void Window1::StepFrame(int step) {
    actualframe = std::clamp(actualframe + step, 0, std::max(nbilds, 0));
    Slider1->SetValue(actualframe + 1);  // a new value loads the frame
}

void Window1::LittleArrows1_Up() { StepFrame(1); }

void Window1::LittleArrows1_Down() { StepFrame(-1); }

bool Window1::_FormatNextframe_Action() {
    StepFrame(1);
    return false;
}

bool Window1::_FormatPreviousframe_Action() {
    StepFrame(-1);
    return false;
}

// ---- Flatten -----------------------------------------------------------------------

PicturePtr Window1::FramePicture(int k, QString* problem) const {
    if (k < 0 || k >= static_cast<int>(fola.size())) return nullptr;
    const FolderItemPtr& f = fola[static_cast<size_t>(k)];
    return f ? f->OpenAsPicture(problem) : nullptr;
}

void Window1::PushButton10_Action() {
    if (!pix || imgsize <= 0) return;
    // A frame that does not decode is skipped; the first one too large to hold
    // is named when the merge has ended.
    QString problem;
    const auto frameAt = [&](int k) {
        QString tooLarge;
        PicturePtr frame = FramePicture(k, &tooLarge);
        if (problem.isEmpty()) problem = tooLarge;
        return frame;
    };
    PicturePtr sum;
    {
        LongPass pass;
        // The sum starts from the first frame that decodes.
        int k = 0;
        for (; k <= nbilds && !sum; ++k) {
            if (PicturePtr frame = frameAt(k)) sum = WorkingAreaCopy(frame, imgsize);
            pass.KeepAlive();
        }
        if (sum) {
            StaticText3->SetText(QStringLiteral("Merging...\rUse Escape to cancel"));
            StaticText3->repaint();
        }
        for (; sum && k <= nbilds; ++k) {
            PicturePtr frame = frameAt(k);
            pass.KeepAlive();
            if (!frame) continue;
            // A cancel keeps what was added so far as the working picture.
            if (!AddFrame(*sum, *frame, [] { return UserCancelled(); })) break;
        }
    }
    if (!problem.isEmpty()) MsgBox(problem);
    if (!sum) return;
    pix = sum;
    // Canvas1 shows a copy: drawing into its backdrop must never reach pix.
    Canvas1->SetBackdrop(PixSquare());
    StaticText3->SetText(QStringLiteral("Draw a ROI or choose Background handling"));
    if (newstart) {
        newstart = false;
        return;
    }
    rensa = 4;
    rita3();
}

// ---- the ROI box as a picture ------------------------------------------------------

PicturePtr Window1::RoiBoxPicture() const {
    if (!poxc) return nullptr;
    // Without the box's last column and row; none for a box without width or height.
    return CutRoi(poxc, msdownx, msdowny, RoiCutSize{msupx - msdownx, msupy - msdowny});
}

bool Window1::Canvas2_MouseDown(int, int) {
    if (PicturePtr cut = RoiBoxPicture())
        Platform().DragPicture(Canvas2, QRect(msdownx, msdowny, cut->Width(), cut->Height()),
                               cut);
    return false;
}

}  // namespace qv
