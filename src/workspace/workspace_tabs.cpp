// Tab pages of the workspace.
#include "workspace/workspace_window.h"

namespace qv {

void Window1::TabPanel1_Change() {}

}  // namespace qv
