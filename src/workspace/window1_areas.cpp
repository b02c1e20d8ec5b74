// Area counts of the ROI per channel.
#include "workspace/window1.h"

namespace qv {

void Window1::areas() {}

}  // namespace qv
