#pragma once

// The rules of drawing a rectangle or oval ROI on the image canvas, in image
// pixels: the Shift rule, the box a release leaves and the box of Select all.

#include "workspace/core/roi_box.h"

namespace qv {

// With Shift the height follows the width: the drag's dy becomes |dx| with the
// sign of dy (a zero dx or dy gives a zero height).
constexpr int ShiftedDy(int dx, int dy) {
    const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
    return dx * sy * sx;
}

// The ROI a release at (x, y) leaves after a press at (downx, downy). With
// `shift` the lower corner's y is the press's y plus ShiftedDy. The corners are
// then swapped so that x1 <= x2 and y1 <= y2, and clamped to the working area
// 0..imgsize - 1: the upper-left corner from below, the lower-right from above.
RoiBox ReleasedRoi(int downx, int downy, int x, int y, bool shift, int imgsize);

// Select all's box: the whole working area.
constexpr RoiBox WholeArea(int imgsize) {
    return {0, 0, imgsize - 1, imgsize - 1};
}

}  // namespace qv
