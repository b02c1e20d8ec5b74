#include "workspace/core/roi_rules.h"

#include <algorithm>
#include <utility>

namespace qv {

RoiBox ReleasedRoi(int downx, int downy, int x, int y, bool shift, int imgsize) {
    RoiBox b{downx, downy, x, y};
    if (shift) b.y2 = downy + ShiftedDy(x - downx, y - downy);
    if (b.x2 < b.x1) std::swap(b.x1, b.x2);
    if (b.y2 < b.y1) std::swap(b.y1, b.y2);
    if (b.x1 < 0) b.x1 = 0;
    if (b.x2 > imgsize - 1) b.x2 = imgsize - 1;
    if (b.y1 < 0) b.y1 = 0;
    if (b.y2 > imgsize - 1) b.y2 = imgsize - 1;
    return b;
}

std::optional<RoiBox> PolygonBounds(const std::vector<int>& points, int n, int imgsize) {
    n = std::min(n, static_cast<int>((points.size() - (points.empty() ? 0 : 1)) / 2));
    if (n < 1 || imgsize < 1) return std::nullopt;
    RoiBox b{points[1], points[2], points[1], points[2]};
    for (int k = 2; k <= n; ++k) {
        const int x = points[static_cast<size_t>(2 * k - 1)], y = points[static_cast<size_t>(2 * k)];
        b.x1 = std::min(b.x1, x);
        b.x2 = std::max(b.x2, x);
        b.y1 = std::min(b.y1, y);
        b.y2 = std::max(b.y2, y);
    }
    const int last = imgsize - 1;
    b.x1 = std::clamp(b.x1, 0, last);
    b.y1 = std::clamp(b.y1, 0, last);
    b.x2 = std::clamp(b.x2, 0, last);
    b.y2 = std::clamp(b.y2, 0, last);
    return b;
}

}  // namespace qv
