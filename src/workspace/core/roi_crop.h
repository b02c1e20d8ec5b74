#pragma once

// The ROI crop: the ROI's pixels copied at their own coordinates into a fresh
// imgsize x imgsize picture that stays white (no data) everywhere else.

#include <vector>

#include "platform/core/color.h"
#include "platform/core/picture.h"
#include "workspace/core/roi_box.h"

namespace qv {

// Colour of the inside of an oval or polygon mask; everything else is white.
constexpr Color kMaskColor = RGB(255, 255, 0);

// Crop of a rectangle ROI: a new white imgsize x imgsize picture holding the
// source's pixels strictly inside the box's outline (x1 < x < x2, y1 < y < y2).
// The outline's own rows and columns, and every position outside the source,
// stay white; a box one or two pixels wide or high gives an all-white crop.
// A missing source gives an all-white crop; imgsize <= 0 gives no picture.
PicturePtr CropRectangle(const PicturePtr& source, int imgsize, const RoiBox& box);

// Mask of an oval ROI as the workspace makes it: a new white imgsize x imgsize
// picture with the oval inscribed in the box (left x1, top y1, width x2 - x1,
// height y2 - y1) filled in kMaskColor by Graphics::FillOval, so it covers
// exactly what the canvas fills for the same box. A box of zero width or height
// gives an empty mask.
PicturePtr OvalMask(int imgsize, const RoiBox& box);

// The mask of an oval or polygon ROI and its crop, made together. Either is
// missing when there is no picture to make (imgsize <= 0, memory short).
struct MaskedCrop {
    PicturePtr mask;
    PicturePtr crop;
};

// The same pictures as OvalMask(imgsize, box) and CropMasked(source, that
// mask, imgsize, box), each row's span of the oval computed once for both.
MaskedCrop CropOval(const PicturePtr& source, int imgsize, const RoiBox& box);

// Mask of a polygon ROI: a new white imgsize x imgsize picture with the
// polygon of `points` (x of vertex k at index 2k - 1, y at 2k) in kMaskColor:
// every pixel whose centre lies inside it or on an edge (even-odd rule), the
// pixels Graphics::FillPolygon fills and its closed outline as the canvas
// draws it by Graphics::DrawPolygon, and the slivers of white these close in
// between them near sharp vertices. So the mask holds the outline the canvas
// shows and everything within it, for edges of any direction and slope (the
// platform's fill takes the vertices as pixel corners where the outline takes
// them as pixel centres, and alone leaves a gap beside the edges whose inside
// lies to their left). One vertex gives a point, two a line. The mask is
// found a row at a time, so it costs little more than writing the picture.
PicturePtr PolygonMask(int imgsize, const std::vector<int>& points);

// The same pictures as PolygonMask(imgsize, points) and CropMasked(source,
// that mask, imgsize, the polygon's bounding box), made in one pass along the
// rows.
MaskedCrop CropPolygon(const PicturePtr& source, int imgsize, const std::vector<int>& points);

// Crop through a mask: a new white imgsize x imgsize picture that holds, for
// every pixel of the box with both edges included, the source's pixel wherever
// the mask's pixel is exactly kMaskColor. Positions outside the source or the
// mask stay white. A missing source or mask gives an all-white crop.
PicturePtr CropMasked(const PicturePtr& source, const PicturePtr& mask, int imgsize,
                      const RoiBox& box);

}  // namespace qv
