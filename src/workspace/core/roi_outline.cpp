#include "workspace/core/roi_outline.h"

#include "workspace/core/roi_crop.h"

namespace qv {

namespace {
constexpr Color kYellow = RGB(255, 255, 0);
}  // namespace

PicturePtr WorkingAreaCopy(const PicturePtr& pix, int imgsize) {
    // An opaque image is copied in one pass: the whole working area is the
    // interior of the box one pixel outside it.
    if (pix && pix->Transparent == 0 && !pix->HasMask())
        return CropRectangle(pix, imgsize, RoiBox{-1, -1, imgsize, imgsize});
    PicturePtr p = NewPicture(imgsize, imgsize, 32);
    if (p && pix) p->Graphics().DrawPicture(pix, 0, 0);
    return p;
}

PicturePtr RoiOutline(const PicturePtr& pix, int imgsize, bool oval, const RoiBox& box) {
    PicturePtr outline = WorkingAreaCopy(pix, imgsize);
    if (outline) {
        Graphics& g = outline->Graphics();
        g.ForeColor = kYellow;
        if (oval) g.DrawOval(box.x1, box.y1, box.x2 - box.x1, box.y2 - box.y1);
        else g.DrawRect(box.x1, box.y1, box.x2 - box.x1, box.y2 - box.y1);
    }
    return outline;
}

PicturePtr Thumbnail(const PicturePtr& crop, int imgsize, int side) {
    PicturePtr t = NewPicture(side, side, 32);
    if (t && crop) t->Graphics().DrawPicture(crop, 0, 0, side, side, 0, 0, imgsize, imgsize);
    return t;
}

}  // namespace qv
