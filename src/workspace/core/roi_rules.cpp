#include "workspace/core/roi_rules.h"

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

}  // namespace qv
