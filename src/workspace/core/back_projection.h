#pragma once

// The on-screen back-projection: the ROI pixels whose channel pair falls into
// a fluorogram region, painted white onto a copy of the image canvas.

#include <functional>

#include "platform/core/picture.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/roi_box.h"
#include "workspace/core/sections.h"

namespace qv {

// The region of a quadrant On-screen around the cross-point (cx, cy) and the
// two corners of its outline, as `quadrotate` (0..3) chooses it: 0 upper right
// (x cx..255, y 0..cy), 1 lower right (x cx..255, y cy..255), 2 lower left
// (x 0..cx, y cy..255), 3 upper left (x 0..cx, y 0..cy). The cross-point's
// own row and column belong to every quadrant. The region is normalised
// (down <= up on each axis); the outline corners are as drawn, not normalised.
struct QuadrantOnScreen {
    FluorogramRect region;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // outline corners
};
QuadrantOnScreen QuadrantRegion(int quadrotate, int cx, int cy);

// The quadrant after `quadrotate`: 0 -> 1 -> 2 -> 3 -> 0.
constexpr int NextQuadrant(int quadrotate) {
    return quadrotate + 1 > 3 ? 0 : quadrotate + 1;
}

// The rectangle with both corners on its outline, as DrawRect takes it.
struct OutlineRect {
    int left = 0, top = 0, width = 0, height = 0;
};
OutlineRect OutlineThrough(int x1, int y1, int x2, int y2);

// Paints white into `target` every pixel (x, y) of the box's interior
// (x1 < x < x2 outer, y1 < y < y2 inner, clipped to the crop and the target)
// whose crop pixel has the pair's channels X and Y inside the region:
// 255 - region.upy <= Y <= 255 - region.downy and region.downx <= X <=
// region.upx, all bounds inclusive. A pixel with X and Y both 0 is never
// painted, nor one whose red and green are both 255, whatever the pair.
//
// For the pairs "rg" and "rb" `cancelled` is asked after each column (when
// given); once it answers true the pass stops with the columns finished so
// far painted and returns false. The "bg" pass never asks. Returns true when
// the pass ran to its end.
bool PaintBackProjection(const PicturePtr& crop, Picture& target, const RoiBox& box,
                         const ChannelPair& pair, const FluorogramRect& region,
                         const std::function<bool()>& cancelled);

}  // namespace qv
