#pragma once

// The ROI analysis window's copy of the ROI rectangle and its pixel and
// saturation counts. Every pass over a copy runs over its interior: columns
// 1 to width - 1 and rows 1 to height - 1, since row 0 and column 0 lie on the
// ROI's outline.

#include <array>
#include <cstdint>

#include "platform/core/picture.h"

namespace qv {

struct RoiCutSize {
    int width = 0;
    int height = 0;
};

// The size of the copy of the ROI rectangle (down, up corners): up - down in
// each direction, where 0 stands for the source's own width or height.
RoiCutSize RoiCut(int downx, int downy, int upx, int upy, const PicturePtr& source);

// A new white picture of the cut's size holding the source's rectangle with its
// top-left corner at (x, y), unscaled; what lies outside the source stays white.
// None when the size is not positive or the picture cannot be made.
PicturePtr CutRoi(const PicturePtr& source, int x, int y, const RoiCutSize& size);

// The window's content size for a copy of this size.
RoiCutSize RoiWindowSize(const RoiCutSize& copy);

// Counts over the interior, per channel red, green, blue and then "any".
struct RoiCounts {
    std::array<std::int64_t, 4> pixels{};     // channel above 0; any: not black
    std::array<std::int64_t, 4> saturated{};  // channel at 255; any: one of them at 255
};

// One pass over the interior of the copy. White counts in every cell, black in none.
RoiCounts ScanRoi(const PicturePtr& copy);

}  // namespace qv
