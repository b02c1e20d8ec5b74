#pragma once

// The rules of drawing a ROI on the image canvas, in image pixels: the Shift
// rule, the box a release leaves, the box of Select all and a polygon's vertices.

#include <optional>
#include <vector>

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

// A polygon's vertices live in one array: vertex k (from 1) has its x at index
// 2k - 1 and its y at 2k, index 0 holds nothing. The count of the array's used
// indexes (polygoncount) is 1 for no vertex and 2n + 1 for n vertices.
inline constexpr int kMaxPolygonVertices = 20;
inline constexpr int kPolygonSlots = 2 * kMaxPolygonVertices + 1;  // indexes 0..40

// The vertices a count stands for (none for a count below 3).
constexpr int PolygonVertices(int polygoncount) {
    return polygoncount < 3 ? 0 : (polygoncount - 1) / 2;
}

// The bounding box of the first n vertices: the smallest and largest x and y,
// clamped to the working area 0..imgsize - 1 (a polygon clicked on a larger
// frame may lie outside a smaller one). None without a vertex.
std::optional<RoiBox> PolygonBounds(const std::vector<int>& points, int n, int imgsize);

}  // namespace qv
