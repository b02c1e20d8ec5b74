// ROI drawing on the image canvas: the shape buttons, press, drag and release
// of rectangles and ovals, the outline and crop of a ROI, and "Select all".
#include <cstdlib>

#include "platform/services.h"
#include "platform/core/text.h"
#include "tools/coefficient_window.h"
#include "tools/roi_analysis.h"
#include "workspace/core/roi_crop.h"
#include "workspace/core/roi_outline.h"
#include "workspace/core/roi_rules.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

constexpr Color kYellow = RGB(255, 255, 0);

}  // namespace

void Window1::StoreRoi(const RoiBox& b) {
    msdownx = b.x1;
    msdowny = b.y1;
    msupx = b.x2;
    msupy = b.y2;
}

// ---- shape buttons --------------------------------------------------------------

void Window1::RectROI_RB_Action() {
    polygonmode = false;
    ovalmode = false;
}

void Window1::OvalRoi_RB_Action() {
    polygonmode = false;
    ovalmode = true;
}

void Window1::polyRoi_RB_Action() {
    polygonmode = true;
    ovalmode = false;
    polygoncount = 1;
}

// ---- press, drag, release -------------------------------------------------------

bool Window1::Canvas1_MouseDown(int x, int y) {
    if (!pix) {
        Beep();
        Beep();
        return false;
    }
    lastclickx = msdownx;
    lastclicky = msdowny;
    Canvas2->Graphics().ClearRect(0, 0, imgsize, imgsize);
    msdownx = x;
    msdowny = y;
    Canvas1->Graphics().ForeColor = kYellow;
    ovalongoing = false;
    if (polygonmode) {
        PolygonClick(x, y);
        return false;  // polygon vertices take single clicks
    }
    ovalongoing = ovalmode;
    // The image under the rubber band, cut to the working area once per press.
    dragbase = PixSquare();
    return true;
}

void Window1::Canvas1_MouseDrag(int x, int y) {
    if (x == msdownx && y == msdowny) return;
    int dx = x - msdownx;
    int dy = y - msdowny;
    if (Platform().ShiftKey()) dy = ShiftedDy(dx, dy);
    StaticText6->SetText(QStringLiteral("\u2206x:") + Str(dx));
    StaticText8->SetText(QStringLiteral("\u2206y:") + Str(dy));
    // Each frame shows the plain image with the band: the previous outline is hidden.
    Graphics& g = Canvas1->Graphics();
    if (dragbase) g.DrawPicture(dragbase, 0, 0);
    g.ForeColor = kYellow;
    const int left = dx < 0 ? msdownx + dx : msdownx;
    const int top = dy < 0 ? msdowny + dy : msdowny;
    if (ovalongoing) g.DrawOval(left, top, std::abs(dx), std::abs(dy));
    else g.DrawRect(left, top, std::abs(dx), std::abs(dy));
}

void Window1::Canvas1_MouseUp(int x, int y) {
    dragbase.reset();
    StoreRoi(ReleasedRoi(msdownx, msdowny, x, y, Platform().ShiftKey(), imgsize));

    const int page = TabPanel1->Value();
    if (page == 0) StaticText3->SetText(QStringLiteral("Select 2-color mode"));
    ovalongoing = false;
    if (page == 1) {
        backgrhandl();
        rensa = 3;
        ritacan(msdownx, msdowny, msupx, msupy);
        return;
    }
    if (ovalmode) drawoval(msdownx, msdowny, msupx, msupy);
    else ritacan(msdownx, msdowny, msupx, msupy);
    SetColorModeByPopup();
    if (areaongoing) areas();
    quadrotate = 0;
    if (page == 2) histodraw();
}

// ---- Select all ------------------------------------------------------------------

void Window1::PushButton1_Action() {
    if (!pix) return;
    StoreRoi(WholeArea(imgsize));
    ritacan(msdownx, msdowny, msupx, msupy);
    StaticText3->SetText(QStringLiteral("Select 2-color mode"));
    if (TabPanel1->Value() != 1) setColorMode(colormode);
}

// ---- outline and crop ---------------------------------------------------------------

PicturePtr Window1::PixSquare() const { return WorkingAreaCopy(pix, imgsize); }

PicturePtr Window1::RoiOutline(bool oval, int x1, int y1, int x2, int y2) const {
    return qv::RoiOutline(pix, imgsize, oval, RoiBox{x1, y1, x2, y2});
}

PicturePtr Window1::Thumbnail(const PicturePtr& crop) const {
    return qv::Thumbnail(crop, imgsize, can2size);
}

void Window1::RefreshCoefficientWindows() {
    if (coefflive && Window6::existing()) coefficients();
}

void Window1::ritacan(int x1, int y1, int x2, int y2) {
    Canvas1->SetBackdrop(RoiOutline(ovalmode, x1, y1, x2, y2));
    if (rensa != 3) {
        PicturePtr crop = CropRectangle(pix, imgsize, RoiBox{x1, y1, x2, y2});
        bkpoxc = poxc;
        Canvas2->SetBackdrop(Thumbnail(crop));
        poxc = crop;
    }
    RefreshCoefficientWindows();
    if (roianalysisongoing) {
        if (Window11* analysis = Window11::existing()) analysis->start();
    }
}

void Window1::drawoval(int x1, int y1, int x2, int y2) {
    // The box is the ROI's own. The mask and the crop through it (which reads
    // pix itself, clipped to the working area) are made together.
    MaskedCrop made = CropOval(pix, imgsize, RoiBox{x1, y1, x2, y2});
    polymask = made.mask;
    Canvas1->SetBackdrop(RoiOutline(true, x1, y1, x2, y2));
    TakeMaskedCrop(made.crop);
}

void Window1::TakeMaskedCrop(const PicturePtr& crop) {
    if (rensa != 3) {
        Canvas2->SetBackdrop(Thumbnail(crop));
        bkpoxc = poxc;
        poxc = crop;
    }
    RefreshCoefficientWindows();
}

}  // namespace qv
