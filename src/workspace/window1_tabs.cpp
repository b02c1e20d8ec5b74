// Tab pages of the workspace.
#include "workspace/window1.h"

namespace qv {

void Window1::TabPanel1_Change() {}

}  // namespace qv
