#pragma once

#include <vector>

namespace qv::test {

// Whether the point (x, y) lies inside the polygon of `points` (x of vertex k
// at index 2k - 1, y at 2k), the vertices being pixel positions as the
// outline draws them (crossing rule).
inline bool InsidePolygon(const std::vector<int>& points, double x, double y) {
    const int n = static_cast<int>(points.size() - 1) / 2;
    bool inside = false;
    for (int k = 1, j = n; k <= n; j = k++) {
        const double xa = points[2 * k - 1], ya = points[2 * k];
        const double xb = points[2 * j - 1], yb = points[2 * j];
        if ((ya > y) != (yb > y) && x < xa + (y - ya) * (xb - xa) / (yb - ya)) inside = !inside;
    }
    return inside;
}

}  // namespace qv::test
