#pragma once

// The pictures a ROI release shows besides its crop: the working area with the
// ROI's outline on the image canvas, and the crop's thumbnail.

#include "platform/core/picture.h"
#include "workspace/core/roi_box.h"

namespace qv {

// The image drawn at (0, 0) into a new white imgsize x imgsize picture.
PicturePtr WorkingAreaCopy(const PicturePtr& pix, int imgsize);

// The working-area copy with the ROI's outline over it in yellow: the rectangle
// or the oval of the box (left x1, top y1, width x2 - x1, height y2 - y1).
PicturePtr RoiOutline(const PicturePtr& pix, int imgsize, bool oval, const RoiBox& box);

// The imgsize x imgsize crop scaled into a new white side x side picture.
PicturePtr Thumbnail(const PicturePtr& crop, int imgsize, int side);

}  // namespace qv
