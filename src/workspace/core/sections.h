#pragma once

// Section and quadrant counts over the exact fluorogram counts, and the
// arithmetic of the points and texts drawn with them. All coordinates are
// fluorogram coordinates: column = x-axis intensity, row = 255 - y-axis intensity.

#include <array>
#include <cstdint>

#include "workspace/core/fluorogram_counts.h"

namespace qv {

// A point of the fluorogram canvas clamped to 0..255.
constexpr int ClampToFluorogram(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// A section (or, in quadrant mode, the press point and the cross-point) as the
// release leaves it: (downx, downy) and (upx, upy).
struct FluorogramRect {
    int downx = 0;
    int downy = 0;
    int upx = 0;
    int upy = 0;
};

// The section a drag or release on the fluorogram leaves, from the press point
// (downx, downy) and the pointer (x, y), which becomes the up corner. With
// `normalise` (a release in section mode on the Fluorogram page) the corners are
// first swapped so that down <= up on each axis. Then the clamps: downx and
// downy from below to 0, upx and upy to 0..255; the press lies on the canvas,
// so every corner ends in 0..255. Without normalising, (upx, upy) is the
// pointer clamped to the fluorogram: in quadrant mode the cross-point.
FluorogramRect SectionRelease(int downx, int downy, int x, int y, bool normalise);

// Hits inside a section: the bins with columns x1..x2 and rows y1..y2, edges
// included, clipped to 0..255. A reversed range (x1 > x2 or y1 > y2) holds no bin.
std::int64_t SectionCount(const FluorogramCounts& counts, int x1, int y1, int x2, int y2);

// Quadrant sums around the cross-point (cx, cy), each clamped to 0..255, in the
// order of iroi: upper-left, upper-right, lower-left, lower-right. The cross-point's
// column belongs to the left quadrants and its row to the upper ones, so the
// cross-point bin is upper-left. The four add up to counts.Total().
enum Quadrant { kUpperLeft = 0, kUpperRight = 1, kLowerLeft = 2, kLowerRight = 3 };
std::array<std::int64_t, 4> QuadrantSums(const FluorogramCounts& counts, int cx, int cy);

// Where a count text goes: x of its left end and y of its baseline.
struct TextPlace {
    int x = 0;
    int baseline = 0;
    bool operator==(const TextPlace&) const = default;
};

// The four quadrant count texts, in iroi order: the left ones at x 2, the right
// ones at min(max(40, cx + 2), 210); the upper ones on baseline 11, the lower ones
// on min(cy + 11, 245). cx and cy are clamped to 0..255 first.
std::array<TextPlace, 4> QuadrantTextPlaces(int cx, int cy);

// A section's count text: at its top-left corner (x1 + 2, baseline y1 + 11),
// shifted by (dx, dy).
constexpr TextPlace SectionTextPlace(int x1, int y1, int dx = 0, int dy = 0) {
    return {x1 + 2 + dx, y1 + 11 + dy};
}

}  // namespace qv
