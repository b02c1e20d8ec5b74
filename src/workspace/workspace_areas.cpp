// Area counts of the ROI per channel.
#include "workspace/workspace_window.h"

namespace qv {

void Window1::areas() {}

}  // namespace qv
